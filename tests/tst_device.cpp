// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "devicelink.h"
#include "devicemodel.h"
#include "direction.h"
#include "fakedevice.h"
#include "pollcycle.h"

#include <QDebug>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;
using Replies = QList<QByteArray>;

// Replies as devices send them: Gen1 Plug S, Plus Plug S (Gen2, no return counter), Plug S Gen3,
// PM Mini Gen3, Pro EM.
namespace Reply {
const QByteArray plugSGen1 =
        R"({"type":"SHPLG-S","mac":"AABBCCDDEEFF","auth":true,"fw":"20230913-113421/v1.14.0-gcb84623","num_outputs":1,"num_meters":1})";
const QByteArray plusPlugS =
        R"({"name":null,"id":"shellyplusplugs-b0b21c10a2b8","mac":"B0B21C10A2B8","slot":0,"model":"SNPL-00112EU","gen":2,"fw_id":"20231107-164738/1.0.8-g8c7bb8d","ver":"1.0.8","app":"PlusPlugS","auth_en":true,"auth_domain":"shellyplusplugs-b0b21c10a2b8"})";
const QByteArray plugSGen3 =
        R"({"name":null,"id":"shellyplugsg3-e4b3233ad5a0","mac":"E4B3233AD5A0","slot":1,"model":"S3PL-00112EU","gen":3,"fw_id":"20241011-114455/1.4.4-g6d2a586","ver":"1.4.4","app":"PlugSG3","auth_en":false,"auth_domain":null})";
const QByteArray proEM =
        R"({"name":null,"id":"shellyproem50-08f9e0e5a1b4","mac":"08F9E0E5A1B4","slot":1,"model":"SPEM-002CEBEU50","gen":2,"fw_id":"20240430-105751/1.3.1-gd8534ee","ver":"1.3.1","app":"ProEM","auth_en":false,"auth_domain":null})";
const QByteArray plusPlugSOpen =
        QByteArray(plusPlugS).replace("\"auth_en\":true", "\"auth_en\":false");
const QByteArray pmMini =
        R"({"name":null,"id":"shellypmminig3-84fce63e6c4c","mac":"84FCE63E6C4C","slot":1,"model":"S3PM-001PCEU16","gen":3,"fw_id":"20241011-114455/1.4.4-g6d2a586","ver":"1.4.4","app":"MiniPMG3","auth_en":false,"auth_domain":null})";
const QByteArray plusPlugSStatus =
        R"({"sys":{"available_updates":{}},"switch:0":{"id":0,"source":"init","output":true,"apower":8.9,"voltage":237.5,"current":0.068,"aenergy":{"total":6.532,"by_minute":[45.199,47.141,88.397],"minute_ts":1654511972},"temperature":{"tC":23.5,"tF":74.4}},"wifi":{"rssi":-58}})";
const QByteArray plugSGen3Status =
        R"({"switch:0":{"id":0,"source":"init","output":true,"apower":-626.6,"voltage":232.1,"freq":50.0,"current":2.713,"aenergy":{"total":15761.124,"by_minute":[0,0,0],"minute_ts":1713080940},"ret_aenergy":{"total":15754.266,"by_minute":[10443.2,10450.1,10438.9],"minute_ts":1713080940},"temperature":{"tC":38.2,"tF":100.8}}})";
const QByteArray pm1Status =
        R"({"ble":{},"cloud":{"connected":true},"pm1:0":{"id":0,"voltage":240.4,"current":5.555,"apower":1322.8,"freq":49.9,"aenergy":{"total":699.393,"by_minute":[5997.86,0,0],"minute_ts":1713080940},"ret_aenergy":{"total":0,"by_minute":[0,0,0],"minute_ts":1713080940}},"sys":{}})";
const QByteArray proEMStatus =
        R"({"em1:0":{"id":0,"current":2.1,"voltage":236.1,"act_power":-480.2,"aprt_power":495.8,"pf":-0.97,"freq":50.0,"calibration":"factory"},"em1:1":{"id":1,"current":0.029,"voltage":236.1,"act_power":0.0,"aprt_power":6.9,"pf":0.0,"freq":50.0,"calibration":"factory"},"em1data:1":{"id":1,"total_act_energy":6644.90,"total_act_ret_energy":2595.26},"switch:0":{"id":0,"source":"init","output":false},"eth":{"ip":null}})";
const QByteArray noHandler = R"({"code":404,"message":"No handler for Switch.GetStatus"})";
// A Gen1 Plug S's /status, cut short
Replies gen1(const QByteArray &meter)
{
    return { R"({"relays":[{"ison":true,"overpower":false}],"meters":[)" + meter + "]}" };
}
// A Plug S Gen3's Switch.GetStatus
Replies plug(const char *power, const char *imported, const char *returned)
{
    return { R"({"id":0,"source":"init","output":true,"apower":)" + QByteArray(power)
             + R"(,"voltage":232.1,"aenergy":{"total":)" + imported
             + R"(,"by_minute":[0,0,0],"minute_ts":1713080940},"ret_aenergy":{"total":)" + returned
             + R"(,"by_minute":[0,0,0],"minute_ts":1713080940},"temperature":{"tC":38.2}})" };
}
// A Pro EM's EM1.GetStatus and EM1Data.GetStatus of `channel`, each after its target
Replies em(const char *power, const char *imported, const char *returned,
           const QByteArray &channel = "1")
{
    return { "/rpc/EM1.GetStatus?id=" + channel,
             R"({"id":)" + channel + R"(,"current":1.3,"voltage":236.1,"act_power":)" + power
                     + R"(,"aprt_power":310.0,"pf":0.97,"freq":50.0,"calibration":"factory"})",
             "/rpc/EM1Data.GetStatus?id=" + channel,
             R"({"id":)" + channel + R"(,"total_act_energy":)" + imported
                     + R"(,"total_act_ret_energy":)" + returned + '}' };
}
// The replies alone, without their targets
Replies bodies(const Replies &replies)
{
    Replies only;
    for (qsizetype i = 1; i < replies.size(); i += 2)
        only << replies[i];
    return only;
}
} // namespace Reply

const DeviceModel plugG3{
    3,     Meter::Switch, 0, u"shellyplugsg3-e4b3233ad5a0"_s, u"S3PL-00112EU"_s, u"PlugSG3"_s,
    false, true
};
const DeviceModel plugG1{ 1, Meter::Gen1, 0, u"SHPLG-S-AABBCCDDEEFF"_s, u"SHPLG-S"_s, {}, true };
const DeviceModel emPro{
    2, Meter::EM1, 1, u"shellyproem50-08f9e0e5a1b4"_s, u"SPEM-002CEBEU50"_s, u"ProEM"_s, false, true
};

class TestDevice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Two polls of a device new to the program, through the poll cycle: what it is asked at the
    // first contact and at the next tick, the power shown and the energy the day counts between.
    void meters_data()
    {
        QTest::addColumn<QByteArray>("shelly");
        QTest::addColumn<QByteArray>("status");
        QTest::addColumn<Replies>("before"); // by target, as the device's replies at each poll
        QTest::addColumn<Replies>("after");
        QTest::addColumn<Replies>("asked"); // the targets of the first poll, then of the second
        QTest::addColumn<QString>("shown"); // power, day's energy
        QTest::addColumn<QString>("turned"); // by the user between the polls
        const auto row = [](const char *name, const QByteArray &shelly, const QByteArray &status,
                            const Replies &before, const Replies &after, const Replies &asked,
                            const char *shown, const char *turned = "") {
            QTest::newRow(name) << shelly << status << before << after << asked
                                << QString::fromUtf8(shown) << QString::fromLatin1(turned);
        };
        using namespace Reply;
        const QByteArray switchPath = "/rpc/Switch.GetStatus?id=0",
                         pm1Path = "/rpc/PM1.GetStatus?id=0";
        const Replies first{ "/shelly", "/rpc/Shelly.GetStatus" };
        row("switch only: one request a tick once known", plusPlugSOpen, plusPlugSStatus,
            { switchPath, plug("8.9", "6.5", "0").first() },
            { switchPath, plug("9", "6.75", "0").first() },
            first + Replies{ switchPath, "|", switchPath }, "9.0 W|0.3 Wh|");
        row("PM1", pmMini, pm1Status, { pm1Path, plug("410", "1000", "0").first() },
            { pm1Path, plug("420", "1012.5", "0").first() },
            first + Replies{ pm1Path, "|", pm1Path }, "420.0 W|12.5 Wh|");
        row("feeding back, import-only firmware", plugSGen3, plugSGen3Status,
            { switchPath, plug("-626.6", "15761.124", "15754.266").first() },
            { switchPath, plug("-630", "15761.124", "15764.766").first() },
            first + Replies{ switchPath, "|", switchPath }, "630.0 W|10.5 Wh|");
        row("feeding back, firmware raising both counters", plugSGen3, plugSGen3Status,
            { switchPath, plug("-626.6", "15761.124", "15754.266").first() },
            { switchPath, plug("-630", "15771.624", "15764.766").first() },
            first + Replies{ switchPath, "|", switchPath }, "630.0 W|10.5 Wh|");
        row("night draw after feeding back adds nothing", plugSGen3, plugSGen3Status,
            { switchPath, plug("-9", "15771.624", "15764.766").first() },
            { switchPath, plug("1.2", "15771.644", "15764.766").first() },
            first + Replies{ switchPath, "|", switchPath }, "-1.2 W|0.0 Wh|");
        row("Gen1 watt-minutes", QByteArray(plugSGen1).replace("\"auth\":true", "\"auth\":false"),
            {}, { "/status", gen1(R"({"power":750,"total":60000})").first() },
            { "/status", gen1(R"({"power":750,"total":60750})").first() },
            { "/shelly", "/status", "|", "/status" }, "750.0 W|12.5 Wh|");
        row("Gen1 with a password: not polled, no password sent", plugSGen1, {},
            { "/status", gen1(R"({"power":750,"total":60000})").first() }, {},
            { "/shelly", "|", "/shelly" },
            "||This first-generation device has a password, which it would take in clear: it is "
            "not polled. Turn its password off to have it polled");
        row("Gen1 that turns its password on: asked again, not polled",
            QByteArray(plugSGen1).replace("\"auth\":true", "\"auth\":false"), {},
            { "/status", gen1(R"({"power":750,"total":60000})").first() },
            { "/status",
              "HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"SHPLG-S\"\r\n"
              "Content-Length: 0\r\n\r\n",
              "/shelly", plugSGen1 },
            { "/shelly", "/status", "|", "/status", "/shelly" },
            "750.0 W|0.0 Wh|This first-generation device has a password, which it would take in "
            "clear: it is not polled. Turn its password off to have it polled");
        row("EM channel 0 feeding back", proEM, proEMStatus,
            em("-480.2", "6644.90", "2595.26", "0"), em("-480", "6644.90", "2605.26", "0"),
            first
                    + Replies{ "/rpc/EM1.GetStatus?id=0", "/rpc/EM1Data.GetStatus?id=0", "|",
                               "/rpc/EM1.GetStatus?id=0", "/rpc/EM1Data.GetStatus?id=0" },
            "480.0 W|10.0 Wh|");
        row("a relay without a meter", plusPlugSOpen, R"({"switch:0":{"id":0,"output":false}})", {},
            {}, first + Replies{ "|" } + first, "||This device measures no power");
        row("direction turned by the user: the other counter from a baseline", plugSGen3,
            plugSGen3Status, { switchPath, plug("-626.6", "15761.124", "15754.266").first() },
            { switchPath, plug("-630", "15761.124", "15764.766").first() },
            first + Replies{ switchPath, "|", switchPath }, "-630.0 W|0.0 Wh|", "forward");
        row("EM second channel chosen: its energy from a baseline", proEM, proEMStatus,
            em("-480.2", "6644.90", "2595.26", "0"), em("-300", "6644.90", "2605.26"),
            first
                    + Replies{ "/rpc/EM1.GetStatus?id=0", "/rpc/EM1Data.GetStatus?id=0", "|",
                               "/rpc/EM1.GetStatus?id=1", "/rpc/EM1Data.GetStatus?id=1" },
            "300.0 W|0.0 Wh|", "channel 1");
        row("no device answers /shelly", "<html><body>Router</body></html>", {}, {}, {},
            { "/shelly", "|", "/shelly" },
            "||The device at this address does not say what it is: no Shelly device answers there");
        row("new firmware: the reading's 404 has the device asked again, the new counter a "
            "baseline",
            plusPlugSOpen, plusPlugSStatus, { switchPath, plug("400", "1000", "0").first() },
            { switchPath, "404", "/rpc/Shelly.GetStatus", pm1Status, pm1Path,
              plug("420", "1012.5", "0").first() },
            first + Replies{ switchPath, "|", switchPath } + first + Replies{ pm1Path },
            "420.0 W|0.0 Wh|");
    }
    void meters()
    {
        QFETCH(QByteArray, shelly);
        QFETCH(QByteArray, status);
        QFETCH(Replies, before);
        QFETCH(Replies, after);
        FakeDevice device;
        device.identity = shelly;
        device.replies.insert("/rpc/Shelly.GetStatus", FakeDevice::ok(status));
        device.reply = "HTTP/1.1 404 Not Found\r\nContent-Length: 56\r\n\r\n" + Reply::noHandler;
        QTemporaryDir folder;
        QDateTime now(QDate(2024, 6, 1), QTime(12, 0));
        PollCycle cycle(folder.filePath(u"state.txt"_s), [&now] { return now; });
        cycle.SetPassword(device.address(), u"pw"_s); // never to go out in clear
        QString power, today, failure;
        connect(&cycle, &PollCycle::powerTextChanged, this, [&](const QString &t) { power = t; });
        connect(&cycle, &PollCycle::todayTextChanged, this, [&](const QString &t) { today = t; });
        connect(&cycle, &PollCycle::statusTextChanged, this, [&](const QString &text) {
            failure = text.startsWith(u"Poll failed"_s) ? text.section(u": "_s, 1) : QString();
        });
        QSignalSpy finished(&cycle, &PollCycle::pollFinished);
        Replies asked;
        for (const Replies *replies : { &before, &after }) {
            for (qsizetype i = 0; i + 1 < replies->size(); i += 2) {
                if (replies->at(i + 1) == "404")
                    device.replies.remove(replies->at(i));
                else if (replies->at(i + 1).startsWith("HTTP/"))
                    device.replies.insert(replies->at(i), replies->at(i + 1));
                else
                    device.replies.insert(replies->at(i), FakeDevice::ok(replies->at(i + 1)));
            }
            device.targets.clear();
            cycle.PollDevice(device.address());
            QTRY_COMPARE(finished.size(), replies == &before ? 1 : 2);
            asked += device.targets + (replies == &before ? Replies{ "|" } : Replies());
            now = now.addSecs(60);
            QFETCH(QString, turned);
            if (turned == u"forward"_s)
                cycle.SetDirection(device.address(), FlowDirection::Forward);
            if (turned == u"channel 1"_s)
                cycle.SetEmChannel(device.address(), 1);
        }
        QTEST(asked, "asked");
        QTEST(power + u'|' + today + u'|' + failure, "shown");
        QCOMPARE(device.authorizations.count(QByteArray()), device.authorizations.size());
    }

    // A state file of an earlier version, its fifth line missing: its counter was a switch's import
    // counter, and only that counts on from it; another counter starts from a baseline.
    void earlierStateFile_data()
    {
        QTest::addColumn<QByteArray>("status");
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QString>("today");
        QTest::newRow("a switch counts on")
                << Reply::plusPlugSStatus << QByteArray("/rpc/Switch.GetStatus?id=0")
                << u"22.5 Wh"_s;
        QTest::newRow("a PM meter starts from a baseline")
                << Reply::pm1Status << QByteArray("/rpc/PM1.GetStatus?id=0") << u"10.0 Wh"_s;
    }
    void earlierStateFile()
    {
        QFETCH(QByteArray, status);
        QFETCH(QByteArray, path);
        QTemporaryDir folder;
        QFile state(folder.filePath(u"state.txt"_s));
        QVERIFY(state.open(QIODevice::WriteOnly)
                && state.write("2024-06-01\r\n1000\r\n1\r\n10\r\n") > 0);
        state.close();
        FakeDevice device;
        device.identity = Reply::plusPlugSOpen;
        device.replies.insert("/rpc/Shelly.GetStatus", FakeDevice::ok(status));
        device.replies.insert(path, FakeDevice::ok(Reply::plug("400", "1012.5", "0").first()));
        PollCycle cycle(state.fileName(),
                        [] { return QDateTime(QDate(2024, 6, 1), QTime(12, 0)); });
        QVERIFY(cycle.LoadState().isEmpty());
        QSignalSpy today(&cycle, &PollCycle::todayTextChanged);
        cycle.PollDevice(device.address());
        QTRY_COMPARE(today.size(), 1);
        QTEST(today.first().first().toString(), "today");
    }

    // A remembered password, bound to the device and algorithm it was accepted by, meets the
    // device now at its address: sent or not, and what the status says; bound at its first use.
    void passwordOnlyToItsDevice_data()
    {
        QTest::addColumn<QByteArray>("realm"); // the device's now
        QTest::addColumn<QByteArray>("algorithm");
        QTest::addColumn<QString>("boundTo"); // realm and algorithm, as kept
        QTest::addColumn<QString>("outcome"); // whether sent, the status; then the binding
        const QString plug = u"shellyplusplugs-b0b21c19a7c8"_s;
        QTest::newRow("its device, by SHA-256")
                << plug.toLatin1() << QByteArray("SHA-256") << plug + u" SHA-256"_s
                << u"sent|Last update|"_s + plug + u" SHA-256"_s;
        QTest::newRow("another device at the address")
                << QByteArray("shellyplusplugs-e465b8f3a1c0") << QByteArray("SHA-256")
                << plug + u" SHA-256"_s
                << u"not sent|Another device than %1 answers at DEVICE: the password is not "
                   "sent|%1 SHA-256"_s.arg(plug);
        QTest::newRow("MD5 asked where SHA-256 was used")
                << plug.toLatin1() << QByteArray("MD5") << plug + u" SHA-256"_s
                << u"not sent|DEVICE asks for its password by MD5, where it used SHA-256: the "
                   "password is not sent|%1 SHA-256"_s.arg(plug);
        QTest::newRow("bound at its first acceptance")
                << plug.toLatin1() << QByteArray("MD5") << u" "_s
                << u"sent|Last update|"_s + plug + u" MD5"_s;
    }
    void passwordOnlyToItsDevice()
    {
        QFETCH(QString, boundTo);
        FakeDevice device;
        QFETCH(QByteArray, realm);
        QFETCH(QByteArray, algorithm);
        device.realm = realm;
        device.algorithm = algorithm;
        device.password = "pw";
        device.reply = FakeDevice::reading("515");
        QTemporaryDir folder;
        PollCycle cycle(folder.filePath(u"state.txt"_s),
                        [] { return QDateTime(QDate(2024, 6, 1), QTime(12, 0)); });
        KnownDevice known{ { 2, Meter::Switch, 0, u"shellyplusplugs-b0b21c19a7c8"_s,
                             u"SNPL-00112EU"_s, u"PlusPlugS"_s, true, false },
                           FlowDirection::Forward,
                           boundTo.section(u' ', 0, 0),
                           boundTo.section(u' ', 1).toLatin1() };
        cycle.KnowDevice(device.address(), known);
        cycle.SetPassword(device.address(), u"pw"_s);
        QString status;
        connect(&cycle, &PollCycle::statusTextChanged, this, [&](const QString &s) { status = s; });
        QSignalSpy finished(&cycle, &PollCycle::pollFinished);
        cycle.PollDevice(device.address());
        QTRY_COMPARE(finished.size(), 1);
        known = *cycle.knownDevice(device.address());
        QCOMPARE(KnownDevice::fromText(known.toText()), known); // as the settings keep it
        const QString shown = status.startsWith(u"Last update"_s)
                ? u"Last update"_s
                : status.remove(u"Poll failed at 12:00:00: "_s)
                          .replace(device.address(), u"DEVICE"_s);
        const QString sent = device.authorizations.last().isEmpty() ? u"not sent"_s : u"sent"_s;
        QTEST(sent + u'|' + shown + u'|' + known.passwordFor + u' '
                      + QString::fromLatin1(known.passwordAlgorithm),
              "outcome");
    }

    // Two readings a while apart: the direction learned, the power shown and the energy the day
    // counts (the rise of the counter chosen), none where there is no counter to count; replies
    // that are no reading of the meter, and counters that are no counter.
    void production_data()
    {
        QTest::addColumn<DeviceModel>("model");
        QTest::addColumn<Replies>("before");
        QTest::addColumn<Replies>("after");
        QTest::addColumn<FlowDirection>("learned");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<std::optional<double>>("counted");
        const auto row = [](const char *name, const DeviceModel &model, const Replies &before,
                            const Replies &after, FlowDirection learned, const char *shown,
                            std::optional<double> counted) {
            QTest::newRow(name) << model << before << after << learned << QString::fromLatin1(shown)
                                << counted;
        };
        using namespace Reply;
        const FlowDirection U = FlowDirection::Unknown, F = FlowDirection::Forward,
                            R = FlowDirection::Reverse;
        DeviceModel model = plugG3;
        row("reverse at rest shows no minus", plugG3, plug("-9", "2", "1"), plug("0", "2", "1"), R,
            "0.0", 0);
        row("below 5 W nothing learned or counted", plugG3, plug("-4.9", "1", "1"),
            plug("4.9", "1", "2"), U, "4.9", {});
        row("learned direction kept", plugG3, plug("5", "1", "1"), plug("-600", "1", "2"), F,
            "-600.0", 0);
        model.hasReturnCounter = false;
        row("no return counter: forward at once", model, plug("3", "6.5", "0"),
            plug("-3", "6.75", "9"), F, "-3.0", 0.25);
        row("EM forward", emPro, bodies(em("300", "6644.90", "2595.26")),
            bodies(em("300", "6654.90", "2595.26")), F, "300.0", 10);
        row("Gen1 meter not valid", plugG1, gen1(R"({"power":9,"total":1})"),
            gen1(R"({"power":9,"is_valid":false,"total":2})"), F, "no reading", {});
        row("EM energy of another channel", emPro, bodies(em("-9", "1", "1")),
            { bodies(em("-9", "1", "2")).first(),
              R"({"id":0,"total_act_energy":1,"total_act_ret_energy":2})" },
            R, "no reading", {});
        row("counter at and above 1e12 Wh", emPro, bodies(em("-5", "0", "1e12")),
            bodies(em("-5", "0", "1.0001e12")), R, "5.0", {});
    }
    void production()
    {
        QFETCH(DeviceModel, model);
        QFETCH(Replies, before);
        QFETCH(Replies, after);
        QFETCH(std::optional<double>, counted);
        FlowDirection known = FlowDirection::Unknown;
        std::optional<double> from;
        std::optional<MeterReading> reading;
        Production production;
        for (const Replies *replies : { &before, &after }) {
            reading = DeviceReply::ReadReading(model, *replies);
            QVERIFY(reading || replies == &after);
            if (!reading)
                break;
            known = LearnDirection(known, reading->powerW, model.hasReturnCounter);
            from = std::exchange(production,
                                 ToProduction(known, reading->powerW, reading->importWh,
                                              reading->returnWh))
                           .counterWh;
        }
        QTEST(known, "learned");
        QTEST(reading ? QString::number(production.powerW, 'f', 1) : u"no reading"_s, "shown");
        QVERIFY2(production.powerW < 0 || !std::signbit(production.powerW), "a minus zero");
        QCOMPARE(reading && from && production.counterWh, counted.has_value());
        if (counted)
            QCOMPARE(*production.counterWh - *from, *counted);
    }
};

QTEST_GUILESS_MAIN(TestDevice)
#include "tst_device.moc"
