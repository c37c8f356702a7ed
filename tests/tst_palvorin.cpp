#include "fakedevice.h"
#include "jsonnumber.h"
#include "mainwindow.h"
#include "statefile.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#ifdef Q_OS_WIN
#  include <qt_windows.h>
#endif

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using Polls = QList<std::pair<QString, double>>; // addresses polled and the counters read

// Each test in a fresh working directory and a locale with a decimal comma; the window's clock at
// noon, 2024-06-01.
class TestPalvorin : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
    const QString m_state = QString::fromLatin1(StateFile::DefaultName);

    void open(const QString &address, std::chrono::milliseconds interval = 60s)
    {
        const auto noon = [] { return QDateTime(QDate(2024, 6, 1), QTime(12, 0)); };
        m_window.reset(new MainWindow(
                { address, noon, interval, 300ms, [](auto &) { return u"no editor found"_s; } }));
    }
    template<typename T = QLabel>
    T *control(const char *name)
    {
        return m_window->findChild<T *>(QLatin1String(name));
    }
    QString text(const char *name) { return control<QWidget>(name)->property("text").toString(); }
    QStringList figures() { return { text("lblNow"), text("lblToday"), text("lblStatus") }; }
    bool statusFits()
    {
        const QLabel *s = control("lblStatus");
        return s->heightForWidth(s->width()) <= s->height();
    }
    QByteArray bytes(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : "<none>";
    }

private Q_SLOTS:
    void cleanup()
    {
        m_window.reset();
        QDir::setCurrent(QDir::tempPath());
    } // frees the folder for its removal
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::German));
        QVERIFY(QDir::setCurrent(m_dir.emplace().path()));
    }

    // Each text as a device's reply (its "total", with "." whatever the user's decimal point) and
    // as a state file.
    void readers_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<std::optional<double>>("total");
        QTest::addColumn<DailyTally>("tally");
        for (const auto &[text, total, tally] :
             QList<std::tuple<QByteArray, std::optional<double>, DailyTally>>{
                     { R"({"id":0,"total":12.5,"x":2})", 12.5, {} },
                     { R"({"a":{"total":1532.75}})", 1532.75, {} },
                     { R"("total":90,)", 90, {} },
                     { R"({"x":{"total":1},"total":2})", 1, {} },
                     { R"({"total": 7 ,"b":1})", 7, {} },
                     { R"({"total":-3.5})", -3.5, {} },
                     { R"({"total":.5})", 0.5, {} },
                     { R"({"total":1.9E+3})", 1900, {} },
                     { R"({"total":25e-1})", 2.5, {} },
                     { R"({"total" : 5})", {}, {} },
                     { R"({"ret_total":3})", {}, {} },
                     { R"({"Total":3})", {}, {} },
                     { R"({"total":,"b":1})", {}, {} },
                     { R"({"total":1e})", {}, {} },
                     { R"({"total":12.5)", {}, {} },
                     { "{\"total\":\t7}", {}, {} },
                     { R"({"total":1e999})", {}, {} },
                     { R"({"total":1e-400})", {}, {} },
                     { "2024-06-01\r\n  100 \r\n1\r\n\t7.5",
                       {},
                       { u"2024-06-01"_s, 100, true, 7.5 } },
                     { "2024-06-01\n100\r1\r\n7,5\rrest\n",
                       {},
                       { u"2024-06-01"_s, 100, true, 7.5 } },
                     { "2024-06-01\r\n544587,493\r\n0\r\n-0,5\r\n",
                       {},
                       { u"2024-06-01"_s, 544587.493, false, -0.5 } },
                     { "d\r\n1\r\n 1\r\n,5\r\n", {}, { u"d"_s, 1, false, 0.5 } },
                     { "d\r\n1\r\n1\r\n", {}, {} },
                     { "d\r\n1\r\n1\r\n\r\n", {}, {} },
                     { "d\r\n1.000,5\r\n1\r\ninf\r\n", {}, {} },
                     { QByteArray(65536, 'x') + "\r\n1\r\n1\r\n1", {}, {} } })
            QTest::newRow(text.left(40).toPercentEncoding("{}\":,. +-[]_").constData())
                    << text << total << tally;
    }
    void readers()
    {
        QFETCH(QByteArray, text);
        QTEST(DeviceReply::FindJsonNumber(text, "total"), "total");
        QTEST(StateFile::ReadState(text), "tally");
        QLocale::setDefault(QLocale(QLocale::English)); // a file written under German, read here
        QTEST(StateFile::ReadState(text), "tally");
    }

    void counts_data()
    {
        QTest::addColumn<DailyTally>("tally");
        QTest::addColumn<QList<double>>("readings"); // one minute apart from `from` on 2024-06-01
        QTest::addColumn<DailyTally>("expected");
        QTest::addColumn<QTime>("from");
        const QString day = u"2024-06-01"_s;
        const auto row = [](const char *name, DailyTally tally, QList<double> readings,
                            DailyTally expected, QTime from = { 12, 0 }) {
            QTest::newRow(name) << tally << readings << expected << from;
        };
        row("restored without a reading, a slow restart", { day, 220, false, 12 },
            { 220, 100, 200 }, { day, 200, true, 212 });
        row("small step back keeps the mark", { day, 5445.5, true, 4 }, { 5445, 5445.5, 5446.5 },
            { day, 5446.5, true, 5 });
        row("step back to exactly 90 percent", { day, 1000, true, 5 }, { 900 },
            { day, 1000, true, 5 });
        row("zero glitch", {}, { 1000, 1010, 0, 1011 }, { day, 1011, true, 11 });
        row("two glitch readings", {}, { 1000, 1010, 0, 0, 1012 }, { day, 1012, true, 12 });
        row("what the glitch added is taken back", {}, { 1000, 1010, 2, 1011 },
            { day, 1011, true, 11 });
        row("glitch back into the step back", {}, { 1000, 1010, 0, 1009.5 },
            { day, 1010, true, 10 });
        row("restart", {}, { 1000, 1010, 3, 4 }, { day, 4, true, 14 });
        row("restart from zero", {}, { 1000, 1010, 0, 0.5 }, { day, 0.5, true, 10.5 });
        row("restart climbing at a load's pace", {}, { 40, 50, 0, 46 }, { day, 46, true, 56 });
        row("a new day forgets the glitch", {}, { 1000, 1010, 0, 1011, 1012 },
            { u"2024-06-02"_s, 1012, true, 1 }, { 23, 57 });
    }
    void counts()
    {
        QFETCH(DailyTally, tally);
        QFETCH(QList<double>, readings);
        QFETCH(QTime, from);
        std::optional<CounterDrop> drop;
        for (qsizetype i = 0; i < readings.size(); ++i)
            UpdateDaily(tally, drop, readings[i],
                        QDateTime(QDate(2024, 6, 1), from).addSecs(60 * i));
        QTEST(tally, "expected");
    }

    void killedWriterLeavesWholeFile()
    {
        for (int kill = 0; kill < 60; ++kill) {
            QProcess writer;
            writer.start(QCoreApplication::applicationFilePath(), { u"hammer"_s, m_state });
            QVERIFY(writer.waitForReadyRead()); // its first save is done
            QTest::qSleep(kill % 5); // at different moments of a save
            writer.kill();
            QVERIFY(writer.waitForFinished());
            const DailyTally tally = StateFile::LoadState(m_state);
            QVERIFY(tally.haveLastTotal && tally.lastTotalWh == 1000 + tally.todayWh);
        }
    }

    void deviceOutcome_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>(
                "shown"); // power|day|status; DEVICE stands for the device's address
        QTest::addColumn<QByteArray>(
                "saved"); // a reading saves "counter|day"; a failure leaves the file as it was
        const auto row = [](const char *name, const QByteArray &reply, const char *shown,
                            const char *saved = nullptr, int mode = FakeDevice::AnswerAndClose) {
            const QString failed = saved ? QString() : u"0.0 W|0.0 Wh|Poll failed at 12:00:00: "_s;
            const QString read = saved ? u"|Last update: 2024-06-01 12:00:00"_s : QString();
            const QByteArray file = "2024-06-01\r\n"
                    + QByteArray(saved ? saved : "510|10").replace('|', "\r\n1\r\n");
            QTest::newRow(name) << reply << mode << failed + QString::fromUtf8(shown) + read
                                << file + "\r\n";
        };
        const QByteArray pad(DeviceLink::MaxBodyBytes - 15, ' ');
        row("200", FakeDevice::ok(R"({"apower":3488.25,"aenergy":{"total":515}})"),
            "3488,3 W|15,0 Wh", "515|15");
        row("200 of 1 MiB", FakeDevice::ok("{\"total\":28520" + pad + '}'), "0,0 W|28020,0 Wh",
            "28520|28020");
        row("counter restarted at 0", FakeDevice::ok(R"({"total":0})"), "0,0 W|10,0 Wh", "0|10");
        row("404", "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n", "HTTP 404 Not Found");
        row("refused", {}, "Connection refused by DEVICE", nullptr, -1);
        row("silent", {}, "Timed out: no response from DEVICE within 0.3 s", nullptr,
            FakeDevice::Silent);
        row("trickling", FakeDevice::ok(R"({"total":515})"),
            "Timed out: reply from DEVICE not complete within 1.2 s", nullptr, FakeDevice::Trickle);
        row("announced over 1 MiB", "HTTP/1.1 200 OK\r\nContent-Length: 1048577\r\n\r\n",
            "Reply too large (over 1 MiB) from DEVICE", nullptr, FakeDevice::Answer);
        row("dropped mid-body", "HTTP/1.1 200 OK\r\nContent-Length: 99\r\n\r\n{\"total\":",
            "Connection closed by 127.0.0.1 before the reply was complete");
        row("total null", FakeDevice::ok(R"({"total":null})"),
            "No valid \"total\" energy counter in the reply");
        row("total negative", FakeDevice::ok(R"({"total":-20})"),
            "No valid \"total\" energy counter in the reply");
        QTest::newRow("state not saved")
                << FakeDevice::ok(R"({"total":515})") << 0
                << u"0,0 W|0,0 Wh|Last update: "
                   "2024-06-01 12:00:00 (state not saved: Filename refers to a directory)"_s
                << QByteArray("<none>");
    }
    void deviceOutcome()
    {
        QFETCH(QByteArray, reply);
        QFETCH(int, mode);
        QFETCH(QByteArray, saved);
        QVERIFY(saved == "<none>"
                        ? QDir().mkdir(m_state) // a directory in its place
                        : StateFile::SaveState({ u"2024-06-01"_s, 510, true, 10 }, m_state));
        for (const char *stray :
             { ".AvoHep", ".Avo-ep", ".bak" }) // what interrupted saves left, and others
            QFile(m_state + QLatin1StringView(stray)).open(QIODevice::WriteOnly);
        FakeDevice device;
        device.reply = reply;
        device.mode = FakeDevice::Mode(std::max(mode, 0));
        const QString address =
                mode < 0 ? FakeDevice().address() : device.address(); // refused: a port just freed
        open(u"  http://"_s + address + u"/ "_s); // as copied from the device's web page
        QCOMPARE(text("lblStatus"), u"Loaded. Polling every 60s."_s);
        QCOMPARE(control("lblNow")->font().pointSize(), 12);
        m_window->findChild<PollCycle *>()->PollDevice(
                address); // skipped: the first poll still waits
        QTRY_VERIFY(!text("lblStatus").startsWith(u"Loaded"_s));
        QTEST(figures().join(u'|').replace(address, u"DEVICE"_s), "shown");
        const QString longest = text("lblStatus").replace(address, u"255.255.255.255:65535"_s);
        Q_EMIT m_window->findChild<PollCycle *>()->statusTextChanged(
                longest); // for the longest address a user types
        QVERIFY2(text("lblStatus") == longest && statusFits() && control("lblStatus")->wordWrap(),
                 qPrintable(longest));
        auto *box = control<QLineEdit>("txtIP");
        box->setText(u"127.100.100.200"_s); // the widest dotted address, the cursor at its end
        const int unscrolled = box->inputMethodQuery(Qt::ImCursorRectangle).toRect().left();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        box->repaint(); // a box too narrow for its text scrolls it here
        QCOMPARE(box->inputMethodQuery(Qt::ImCursorRectangle).toRect().left(), unscrolled);
        QCOMPARE(device.targets, QList<QByteArray>(mode < 0 ? 0 : 1, "/rpc/Switch.GetStatus?id=0"));
        QCOMPARE(bytes(m_state), saved);
        QCOMPARE(QDir().entryList({ m_state + u".*"_s }),
                 (QStringList{ m_state + u".Avo-ep"_s, m_state + u".bak"_s }));
        QCOMPARE(text("lblIP"), u"Shelly IP:                    Current                    Day"_s);
        for (const QLabel *label : { control("lblNow"), control("lblToday"), control("lblIP") }) {
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                     qPrintable(label->text()));
            QCOMPARE(label->font().bold(), label == control("lblToday"));
        }
        m_window->findChild<PollCycle *>()->PollDevice(address);
        m_window.reset(); // closed mid-poll: nothing may reach the window any more
    }

    void ticksAndDetails()
    {
        FakeDevice device;
        device.reply = FakeDevice::ok(R"({"apower":5,"total":100})");
        open(device.address(), 50ms);
        QTRY_VERIFY(!device.targets.isEmpty());
        device.reply = FakeDevice::ok(
                R"({"apower":5,"total":0})"); // a glitch of the meter, then its counter again
        const qsizetype polled = device.targets.size();
        QTRY_VERIFY(device.targets.size() > polled);
        device.reply = FakeDevice::ok(R"({"apower":5,"total":101})");
        QTRY_COMPARE(bytes(m_state), "2024-06-01\r\n101\r\n1\r\n1\r\n");
        QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
        QCOMPARE(
                text("lblStatus"),
                u"Could not open daily_production_log.csv or production_log.csv: no editor found."_s);
        control<QLineEdit>("txtIP")->setText(u"https://"_s + QString(80, u'm') + u".example/"_s);
        QTRY_VERIFY(
                text("lblStatus")
                        .startsWith(
                                u"Poll failed at 12:00:00: Only plain HTTP addresses are polled"_s));
        QVERIFY(statusFits()
                && text("lblStatus")
                        != control("lblStatus")->toolTip()); // elided, whole in the tooltip
        control<QLineEdit>("txtIP")->setText(u"   "_s);
        QTRY_COMPARE(figures(),
                     (QStringList{ u"5,0 W"_s, u"1,0 Wh"_s, u"Enter an IP address."_s }));
    }

    void detailsStartsTheEditor()
    {
        MonitorSetup setup{ QString() };
#ifdef Q_OS_WIN
        // A stand-in for Notepad, started as the system folder's Notepad is.
        const QString notepad = QCoreApplication::applicationDirPath() + u"/Notepad.exe"_s;
        QFile::remove(notepad);
        QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), notepad));
        setup.openInEditor = [notepad](const QString &file) {
            return OpenInNotepad(notepad, file);
        };
#else
        // `touch` stands in for the editor that the desktop TEST makes the default for plain text.
        for (auto [path, text] : { std::pair{ "test-mimeapps.list",
                                              "[Default Applications]\ntext/plain=touch.desktop" },
                                   { "applications/touch.desktop",
                                     "[Desktop Entry]\nType=Application\nExec=touch %f" } }) {
            QFile file(QString::fromLatin1(path));
            QVERIFY(QDir().mkpath(u"applications"_s) && file.open(QIODevice::WriteOnly)
                    && file.write(text) > 0);
        }
        for (const char *variable : { "XDG_DATA_HOME", "XDG_CONFIG_HOME" })
            qputenv(variable, QFile::encodeName(QDir::currentPath()));
        qputenv("XDG_CURRENT_DESKTOP", "TEST");
#endif
        MainWindow window(setup);
        QTest::mouseClick(window.findChild<QPushButton *>(u"Command1"_s), Qt::LeftButton);
#ifdef Q_OS_WIN
        QByteArrayList calls; // the file each stand-in was given, and how it was to show its window
        QTRY_COMPARE((calls = bytes(u"notepad.txt"_s).split('\n')).size(), 3);
        std::sort(calls.begin(), calls.end());
        QCOMPARE(calls,
                 (QByteArrayList{ "", "daily_production_log.csv maximized",
                                  "production_log.csv maximized" }));
#else
        QTRY_VERIFY(QFileInfo(u"daily_production_log.csv"_s).isFile()
                    && QFileInfo(u"production_log.csv"_s).isFile());
#endif
    }

#ifdef Q_OS_LINUX
    void fullDiskKeepsOldFile()
    {
        // On a full disk (a 16 KiB tmpfs of our own) the save fails, the old file stays, no
        // temporary is left.
        const QString script =
                uR"(mount -t tmpfs -o size=16k tmpfs "$1" && printf 'old\r\n' > "$1/state"
            cat /dev/zero > "$1/fill" 2>/dev/null; "$2" hammer "$1/state"; echo "exit $?"; cat "$1/state"; ls "$1")"_s;
        QProcess shell;
        shell.start(u"unshare"_s,
                    { u"-rm"_s, u"sh"_s, u"-c"_s, script, u"sh"_s, QDir::currentPath(),
                      QCoreApplication::applicationFilePath() });
        QVERIFY(shell.waitForFinished());
        QCOMPARE(shell.readAll(), "No space left on device\nexit 1\nold\r\nfill\nstate\n");
    }

    void programStartsCutOffFromTheNetwork()
    {
        // In a fresh network namespace the preset address fails at once and nothing leaves the
        // machine.
        QProcess program;
        program.start(u"unshare"_s,
                      { u"-rn"_s, u"sh"_s, u"-c"_s, u"ip link set lo up && exec \"$0\""_s,
                        QString::fromLocal8Bit(PALVORIN_BINARY) });
        QVERIFY2(!program.waitForFinished(3000), program.readAllStandardError().constData());
        program.kill();
        QVERIFY(program.waitForFinished());
    }
#endif

    void anotherDeviceStartsFromABaseline_data()
    {
        QTest::addColumn<Polls>("polls"); // %1, %2: two devices
        QTest::addColumn<DailyTally>("expected"); // from a saved 1000 Wh with 10 Wh today
        const auto row = [](const char *name, Polls polls, DailyTally expected) {
            QTest::newRow(name) << polls << expected;
        };
        const QString day = u"2024-06-01"_s;
        row("another address gives a baseline",
            { { u"%1"_s, 1000 }, { u"%2"_s, 52000 }, { u"%2"_s, 52003 } },
            { day, 52003, true, 13 });
        row("the same address copied from its web page",
            { { u"%1"_s, 1000 }, { u" http://%1/ "_s, 1005 } }, { day, 1005, true, 15 });
        row("the first reading of a run counts on", { { u"%2"_s, 1004 } }, { day, 1004, true, 14 });
        row("another device forgets the glitch",
            { { u"%1"_s, 1000 }, { u"%1"_s, 0 }, { u"%1"_s, 5 }, { u"%2"_s, 1001 } },
            { day, 1001, true, 15 });
    }
    void anotherDeviceStartsFromABaseline()
    {
        QFETCH(Polls, polls);
        QVERIFY(StateFile::SaveState({ u"2024-06-01"_s, 1000, true, 10 }, m_state));
        PollCycle cycle(
                m_state, [] { return QDateTime(QDate(2024, 6, 1), QTime(12, 0)); }, 300ms);
        QVERIFY(cycle.LoadState().isEmpty());
        FakeDevice first, second;
        for (const auto &[address, total] : polls) {
            first.reply = second.reply =
                    FakeDevice::ok("{\"total\":" + QByteArray::number(total) + '}');
            cycle.PollDevice(QString(address)
                                     .replace(u"%1"_s, first.address())
                                     .replace(u"%2"_s, second.address()));
            QTRY_VERIFY(!cycle.isPolling());
        }
        QTEST(cycle.tally(), "expected");
    }

    void unreadableStateKeptAside_data()
    {
        QTest::addColumn<QByteArray>("state"); // found at start
        QTest::addColumn<QByteArray>("older"); // an earlier run's; a directory when empty
        QTest::addColumn<QString>("loaded"); // the start of the start-up line
        QTest::addColumn<QByteArray>("kept"); // kept aside after the first poll
        QTest::addColumn<QByteArray>("saved");
        const QByteArray bad = "2024-06-01\r\n1000\r\n1\r\nten\r\n";
        const QByteArray fresh = "2024-06-01\r\n515\r\n1\r\n0\r\n";
        QTest::newRow("unreadable: kept aside byte for byte")
                << bad << QByteArray("older")
                << u"Unreadable state file kept as shelly_daily_state.txt.unreadable. Polling every 60s."_s
                << bad << fresh;
        QTest::newRow("not kept aside: never replaced")
                << bad << QByteArray() << u"Unreadable state file could not be kept aside: "_s
                << QByteArray("<none>") << bad;
    }
    void unreadableStateKeptAside()
    {
        QFETCH(QByteArray, state);
        QFETCH(QByteArray, older);
        QFETCH(QString, loaded);
        const QString aside = m_state + u".unreadable"_s;
        const auto write = [](const QString &path, const QByteArray &data) {
            QFile file(path);
            return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
        };
        QVERIFY(older.isEmpty() ? QDir().mkdir(aside) : write(aside, older));
        QVERIFY(write(m_state, state));
        FakeDevice device;
        device.reply = FakeDevice::ok(R"({"total":515})");
        open(device.address());
        QVERIFY2(text("lblStatus").startsWith(loaded), qPrintable(text("lblStatus")));
        QTRY_VERIFY(text("lblStatus").startsWith(u"Last update"_s));
        QTEST(bytes(aside), "kept");
        QTEST(bytes(m_state), "saved");
    }

    void labelsReadAsWritten_data()
    {
        QTest::addColumn<QString>("address"); // DEVICE stands for the fake device's
        QTest::addColumn<QStringList>("heard"); // read out for power, day and status
        QTest::newRow("an address with markup shows literally")
                << u"<b>x</b>"_s
                << QStringList{
                       u"Current power: 0.0 W"_s, u"Energy today: 0.0 Wh"_s,
                       u"Status: Poll failed at 12:00:00: Not a valid device address: \"<b>x</b>\""_s
                   };
        QTest::newRow("a figure's accessible name holds its value")
                << u"DEVICE"_s
                << QStringList{ u"Current power: 230,4 W"_s, u"Energy today: 0,0 Wh"_s,
                                u"Status: Last update: 2024-06-01 12:00:00"_s };
    }
    void labelsReadAsWritten()
    {
        QFETCH(QString, address);
        QFETCH(QStringList, heard);
        FakeDevice device;
        device.reply = FakeDevice::ok(R"({"apower":230.44,"total":5})");
        open(address.replace(u"DEVICE"_s, device.address()));
        const auto names = [this] {
            QStringList names;
            for (const char *label : { "lblNow", "lblToday", "lblStatus" })
                names.append(QAccessible::queryAccessibleInterface(control(label))
                                     ->text(QAccessible::Name));
            return names;
        };
        QTRY_COMPARE(names(), heard);
        QTextDocument tip; // as the tooltip shows the status
        const QString toolTip = control("lblStatus")->toolTip();
        Qt::mightBeRichText(toolTip) ? tip.setHtml(toolTip) : tip.setPlainText(toolTip);
        QCOMPARE(u"Status: "_s + tip.toPlainText(), heard.last());
        for (const QLabel *label : m_window->findChildren<QLabel *>())
            QCOMPARE(label->textFormat(), Qt::PlainText);
    }
};

int main(int argc, char *argv[])
{
#ifdef Q_OS_WIN
    // As Notepad.exe: records the file it was given and whether it was to show its window
    // maximized.
    if (argc == 2 && QByteArray(argv[0]).toLower().endsWith("notepad.exe")) {
        STARTUPINFOW startup;
        GetStartupInfoW(&startup);
        const bool maximized =
                startup.dwFlags & STARTF_USESHOWWINDOW && startup.wShowWindow == SW_SHOWMAXIMIZED;
        const QByteArray call = argv[1] + QByteArray(maximized ? " maximized\n" : "\n");
        QFile calls(u"notepad.txt"_s);
        return calls.open(QIODevice::Append) && calls.write(call) == call.size() ? 0 : 1;
    }
#endif
    // "hammer PATH": the writer the tests above kill or starve; it saves ever larger tallies until
    // it fails.
    for (qint64 i = 1; argc == 3 && qstrcmp(argv[1], "hammer") == 0; ++i) {
        QString why;
        const DailyTally tally{ u"2024-06-01"_s, 1000 + i / 8.0, true, i / 8.0 };
        if (!StateFile::SaveState(tally, QFile::decodeName(argv[2]), &why)) {
            std::puts(qPrintable(why));
            return 1;
        }
        std::fputs(i == 1 ? "saved\n" : "", stdout);
        std::fflush(stdout);
    }
    QApplication app(argc, argv);
    TestPalvorin test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_palvorin.moc"
