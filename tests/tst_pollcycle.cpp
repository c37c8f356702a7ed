#include "fakedevice.h"
#include "figuretext.h"
#include "pollcycle.h"
#include "statefile.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

QByteArray statusReply(double totalWh, double powerW)
{
    return QByteArray(R"({"id":0,"source":"timer","output":true,"apower":)") + QByteArray::number(powerW)
           + R"(,"voltage":231.2,"aenergy":{"total":)" + QByteArray::number(totalWh, 'f', 3)
           + R"(,"by_minute":[0,0,0],"minute_ts":1717243380},"temperature":{"tC":41.2,"tF":106.1}})";
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

// A poll cycle against a fake device, with its state file in a fresh
// directory and a clock the test sets.
class Harness
{
public:
    Harness()
        : statePath(dir.filePath(QString::fromLatin1(StateFile::DefaultName)))
        , now(QDate(2024, 6, 1), QTime(14, 3, 7))
        , cycle(statePath, [this] { return now; }, 300ms)
    {
        QObject::connect(&cycle, &PollCycle::powerTextChanged, &cycle, [this](const QString &t) { power = t; });
        QObject::connect(&cycle, &PollCycle::todayTextChanged, &cycle, [this](const QString &t) { today = t; });
        QObject::connect(&cycle, &PollCycle::statusTextChanged, &cycle, [this](const QString &t) { status = t; });
        cycle.LoadState();
    }

    // One poll, waited for to its end.
    bool poll(const QString &address)
    {
        QSignalSpy finished(&cycle, &PollCycle::pollFinished);
        cycle.PollDevice(address);
        return finished.isValid() && finished.wait(5000);
    }
    bool poll() { return poll(device.address()); }

    void serve(double totalWh, double powerW) { device.answer = FakeAnswer::json(statusReply(totalWh, powerW)); }

    FakeDevice device;
    QTemporaryDir dir;
    QString statePath;
    QDateTime now;
    PollCycle cycle;
    QString power = u"0.0 W"_s;
    QString today = u"0.0 Wh"_s;
    QString status;
};

class TestPollCycle : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void completePollThenRestartSameDay();
    void replyAfterTwoReadings_data();
    void replyAfterTwoReadings();
    void blankAddressMakesNoRequest_data();
    void blankAddressMakesNoRequest();
    void figuresFollowTheLocale_data();
    void figuresFollowTheLocale();
    void unsavableStateIsReported();
    void tickWhilePollWaitsIsSkipped();
};

void TestPollCycle::init()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestPollCycle::cleanup()
{
    QLocale::setDefault(QLocale::c());
}

void TestPollCycle::completePollThenRestartSameDay()
{
    Harness h;
    h.serve(1000, 230.44);
    QVERIFY(h.poll(u"  "_s + h.device.address() + u" "_s));
    QCOMPARE(h.device.targets, QList<QByteArray>{"/rpc/Switch.GetStatus?id=0"});
    QCOMPARE(h.power, u"230.4 W"_s);
    QCOMPARE(h.today, u"0.0 Wh"_s);
    QCOMPARE(h.status, u"Last update: 2024-06-01 14:03:07"_s);

    h.serve(1003.5, 12);
    h.now = h.now.addSecs(60);
    QVERIFY(h.poll());
    QCOMPARE(h.today, u"3.5 Wh"_s);
    QCOMPARE(h.status, u"Last update: 2024-06-01 14:04:07"_s);
    QCOMPARE(fileBytes(h.statePath), QByteArray("2024-06-01\r\n1003.5\r\n1\r\n3.5\r\n"));

    // The program closes; a new one in the same directory goes on counting.
    PollCycle next(h.statePath, [&h] { return h.now.addSecs(3600); });
    next.LoadState();
    QCOMPARE(next.tally(), (DailyTally{u"2024-06-01"_s, 1003.5, true, 3.5}));
    QString today;
    connect(&next, &PollCycle::todayTextChanged, this, [&today](const QString &t) { today = t; });
    QSignalSpy finished(&next, &PollCycle::pollFinished);
    h.serve(1010, 0);
    next.PollDevice(h.device.address());
    QVERIFY(finished.wait(5000));
    QCOMPARE(today, u"10.0 Wh"_s);
}

void TestPollCycle::replyAfterTwoReadings_data()
{
    QTest::addColumn<FakeAnswer>("answer");
    QTest::addColumn<QString>("failure"); // empty: the reply is a reading
    QTest::addColumn<QString>("today");
    QTest::addColumn<QString>("power");

    const QString noTotal = u"The reply holds no valid \"total\" energy counter"_s;
    const QString unchanged = u"10.0 Wh"_s;
    const QString before = u"100.0 W"_s;
    const QString noPower = u"0.0 W"_s;
    FakeAnswer unauthorized;
    unauthorized.status = 401;
    unauthorized.reason = "Unauthorized";
    QTest::newRow("401") << unauthorized << u"HTTP 401 Unauthorized"_s << unchanged << before;
    FakeAnswer notFound = unauthorized;
    notFound.status = 404;
    notFound.reason = "Not Found";
    QTest::newRow("404") << notFound << u"HTTP 404 Not Found"_s << unchanged << before;
    const QList<QByteArray> notReadings{R"({"apower":5})", R"({"apower":5,"total":null})", R"({"total":"520"})",
                                        R"({"Total":520,"totl":520})", R"({"apower":5,"total":-20})",
                                        R"({"total":1e999})", {}, QByteArray("\x00\x7b\xff\"total\"\x00:", 11)};
    for (const QByteArray &body : notReadings)
        QTest::newRow(body.isEmpty() ? "empty body" : body.constData()) << FakeAnswer::json(body) << noTotal << unchanged << before;
    QTest::newRow("key repeated: first wins") << FakeAnswer::json(R"({"total":520,"total":9999})") << QString()
                                              << u"20.0 Wh"_s << noPower;
    QTest::newRow("nested key first: it wins") << FakeAnswer::json(R"({"x":{"total":515},"total":9999,"apower":7.25})")
                                               << QString() << u"15.0 Wh"_s << u"7.3 W"_s;
    QTest::newRow("exponent") << FakeAnswer::json(R"({"total":5.2E2})") << QString() << u"20.0 Wh"_s << noPower;
    QTest::newRow("plus sign") << FakeAnswer::json(R"({"total":+512.5})") << QString() << u"12.5 Wh"_s << noPower;
    QTest::newRow("zero is a restarted counter") << FakeAnswer::json(R"({"total":0})") << QString() << unchanged
                                                 << noPower;
}

void TestPollCycle::replyAfterTwoReadings()
{
    QFETCH(FakeAnswer, answer);
    QFETCH(QString, failure);
    QFETCH(QString, today);
    QFETCH(QString, power);

    Harness h;
    h.serve(500, 100);
    QVERIFY(h.poll());
    h.serve(510, 100);
    QVERIFY(h.poll());
    const QByteArray savedBefore = fileBytes(h.statePath);
    const DailyTally tallyBefore = h.cycle.tally();

    h.device.answer = answer;
    h.now = h.now.addSecs(60);
    QVERIFY(h.poll());
    QCOMPARE(h.today, today);
    QCOMPARE(h.power, power);
    if (failure.isEmpty()) {
        QCOMPARE(h.status, u"Last update: 2024-06-01 14:04:07"_s);
        QCOMPARE(fileBytes(h.statePath), StateFile::FormatState(h.cycle.tally()));
        return;
    }
    QCOMPARE(h.status, u"Poll failed at 14:04:07: "_s + failure);
    QCOMPARE(h.cycle.tally(), tallyBefore);
    QCOMPARE(fileBytes(h.statePath), savedBefore);

    // The gap is not counted as the device's whole lifetime.
    h.serve(520, 100);
    QVERIFY(h.poll());
    QCOMPARE(h.today, u"20.0 Wh"_s);
}

void TestPollCycle::blankAddressMakesNoRequest_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("empty") << QString();
    QTest::newRow("only blanks") << u"     "_s;
}

void TestPollCycle::blankAddressMakesNoRequest()
{
    QFETCH(QString, address);
    Harness h;
    h.serve(1000, 5);
    QSignalSpy status(&h.cycle, &PollCycle::statusTextChanged);
    h.cycle.PollDevice(address);
    QCOMPARE(status.size(), 1);
    QCOMPARE(h.status, u"Enter an IP address."_s);
    QVERIFY(!h.cycle.isPolling());
    QTest::qWait(50);
    QVERIFY(h.device.targets.isEmpty());
    QVERIFY(!QFile::exists(h.statePath));
}

void TestPollCycle::figuresFollowTheLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("rounded to one decimal") << english << 12.34 << u"12.3"_s;
    QTest::newRow("zero") << english << 0.0 << u"0.0"_s;
    QTest::newRow("no grouping") << english << 1234.56 << u"1234.6"_s;
    QTest::newRow("decimal comma, no grouping") << QLocale(QLocale::German, QLocale::Germany) << 1234.56 << u"1234,6"_s;
    QTest::newRow("negative keeps its sign") << english << -12.5 << u"-12.5"_s;
}

void TestPollCycle::figuresFollowTheLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(double, value);
    QFETCH(QString, shown);
    QLocale::setDefault(locale);
    QCOMPARE(FigureText(value), shown);
}

void TestPollCycle::unsavableStateIsReported()
{
    Harness h;
    QVERIFY(QDir(h.dir.path()).mkdir(QString::fromLatin1(StateFile::DefaultName)));
    h.serve(1000, 50);
    QVERIFY(h.poll());
    QCOMPARE(h.power, u"50.0 W"_s);
    QVERIFY2(h.status.startsWith(u"Last update: 2024-06-01 14:03:07 (state not saved: "_s), qPrintable(h.status));
    QVERIFY(h.status.endsWith(u')'));

    QVERIFY(QDir(h.statePath).removeRecursively());
    QVERIFY(h.poll());
    QCOMPARE(h.status, u"Last update: 2024-06-01 14:03:07"_s);
}

void TestPollCycle::tickWhilePollWaitsIsSkipped()
{
    Harness h;
    h.serve(1000, 50);
    h.device.answer.delay = 100ms;
    QSignalSpy finished(&h.cycle, &PollCycle::pollFinished);
    h.cycle.PollDevice(h.device.address());
    QVERIFY(h.cycle.isPolling());
    h.cycle.PollDevice(h.device.address());
    h.cycle.PollDevice(QString());
    QVERIFY(finished.wait(5000));
    QTest::qWait(150);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(h.device.targets.size(), 1);
    QCOMPARE(h.status, u"Last update: 2024-06-01 14:03:07"_s);
}

QTEST_GUILESS_MAIN(TestPollCycle)
#include "tst_pollcycle.moc"
