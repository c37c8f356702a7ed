// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "barchart.h"
#include "curvechart.h"
#include "fakedevice.h"
#include "historyview.h"
#include "historywindow.h"
#include "mainwindow.h"
#include "passworddialog.h"
#include "settings.h"
#include "statefile.h"
#include "translations.h"
#include "trayicon.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSpinBox>
#include <QSystemTrayIcon>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>
#include <QToolTip>
#include <QTranslator>

using namespace Qt::StringLiterals;
using namespace HistoryView;
using Segments = QList<QList<double>>; // the hours of each line of a curve

// Each test in a fresh working directory, a locale with a decimal comma, settings of its own and a
// clock in UTC.
class TestHistory : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<PollCycle> m_cycle;
    std::unique_ptr<HistoryWindow> m_history;
    QDateTime m_now; // the window's clock
    QTimeZone m_zone; // its time zone
    FakeDevice m_device;

    // The device's counter at `total` and the clock at `at` for the next poll.
    void next(const QString &at, double total)
    {
        m_now = QDateTime::fromString(at + u'Z', Qt::ISODate).toTimeZone(m_zone);
        m_device.reply = FakeDevice::reading(QByteArray::number(total, 'f', 4), "480");
    }
    // A window on the fake device, which polls at once.
    void open(const QString &at, double total)
    {
        next(at, total);
        m_window.reset(new MainWindow({ m_device.address(), [this] { return m_now; } }));
    }
    void poll(const QString &at, double total)
    {
        if (!m_window)
            return open(at, total);
        next(at, total);
        pollCycle()->PollDevice(m_device.address());
    }
    PollCycle *pollCycle() { return m_window->findChild<PollCycle *>(); }
    bool polled()
    {
        return QTest::qWaitFor([this] { return !pollCycle()->isPolling(); });
    }
    QString status() { return m_window->statusText(); }
    template<typename T = QLabel>
    T *historyControl(const QString &name)
    {
        return m_window->findChild<HistoryWindow *>()->findChild<T *>(name);
    }
    static QString name(QWidget *widget, QAccessible::Text text = QAccessible::Name)
    {
        return QAccessible::queryAccessibleInterface(widget)->text(text);
    }
    static QByteArray bytes(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : "<none>";
    }
    static bool write(const QString &path, const QByteArray &data)
    {
        QFile f(path);
        return QDir().mkpath(QFileInfo(path).path()) && f.open(QIODevice::WriteOnly)
                && f.write(data) == data.size();
    }
    // Readings of `watts` a minute apart over [from, to) on `day`, as the program keeps them.
    static QByteArray readings(QDate day, QTime from, QTime to, double watts)
    {
        QByteArray lines;
        for (QTime at = from; at < to; at = at.addSecs(60))
            lines += (day.toString(Qt::ISODate) + at.toString(u"'T'HH:mm:ss'+00:00,'"_s)).toLatin1()
                    + QByteArray::number(watts) + ".0,1000.000\n";
        return lines;
    }
    // A run of columns of an image that hold coloured pixels (the curve's, the bars'): where it
    // begins and ends, and how many coloured pixels its middle column holds and how coloured.
    struct Run
    {
        int left, right, height, saturation;
    };
    static QList<Run> colouredRuns(const QImage &image)
    {
        const auto saturation = [&image](int x, int y) {
            return x < image.width() ? image.pixelColor(x, y).hsvSaturation() : 0;
        };
        QList<Run> runs;
        for (int x = 0, start = -1; x <= image.width(); ++x) {
            int most = 0;
            for (int y = 0; y < image.height(); ++y)
                most = std::max(most, saturation(x, y));
            if (most > 40 && start < 0)
                start = x;
            if (most > 40 || start < 0)
                continue;
            Run run{ start, x - 1, 0, 0 };
            for (int y = 0; y < image.height(); ++y) {
                run.height += saturation((start + x) / 2, y) > 40;
                run.saturation = std::max(run.saturation, saturation((start + x) / 2, y));
            }
            runs.append(run);
            start = -1;
        }
        return runs;
    }

    // The words of every window under `language`: the main window after a poll, History, the Find
    // dialog (not looking), the password question, the tray's menu and tooltip.
    QSet<QString> shownWords(QLocale::Language language)
    {
        QLocale::setDefault(QLocale(language));
        Settings().setPricePerKwh(0.3);
        Settings().setHomeShare(0.5);
        m_window.reset();
        open(u"2024-06-01T12:00:30"_s, 1000);
        if (!polled())
            return {};
        QTest::mouseClick(m_window->findChild<QPushButton *>(u"cmdHistory"_s), Qt::LeftButton);
        m_window->findChild<PasswordDialog *>()->Ask(m_device.address());
        Settings settings;
        TrayIcon tray(m_window.get(), &settings);
        tray.ShowStatus(status());
        QSet<QString> words;
        addWords(tray.findChild<QSystemTrayIcon *>()->toolTip(), words);
        QList<QWidget *> windows = m_window->findChildren<QWidget *>() << m_window.get();
        windows.removeIf([](const QWidget *widget) { return !widget->isWindow(); });
        for (QWidget *window : windows << tray.findChild<QSystemTrayIcon *>()->contextMenu())
            addWords(QAccessible::queryAccessibleInterface(window), words);
        return words;
    }
    static void addWords(QAccessibleInterface *node, QSet<QString> &words)
    {
        addWords(node->text(QAccessible::Name) + u' ' + node->text(QAccessible::Description),
                 words);
        if (auto *widget = qobject_cast<QWidget *>(node->object())) {
            addWords(widget->toolTip(), words);
            for (const QAction *action : widget->actions())
                addWords(action->text() + u' ' + action->toolTip(), words);
        }
        for (int i = 0; i < node->childCount(); ++i)
            addWords(node->child(i), words);
    }
    // Words of two letters or more, not all capitals (codes: EUR, OK), not part of a number, a file
    // name, a path or a device's name.
    static void addWords(QString text, QSet<QString> &words)
    {
        static const QRegularExpression word(
                uR"((?<![\w./\\-])(?!\p{Lu}+\b)[^\W\d_]{2,}(?![\w/\\-]|\.\w))"_s,
                QRegularExpression::UseUnicodePropertiesOption);
        for (const QRegularExpressionMatch &match : word.globalMatch(text.remove(u'&')))
            words.insert(match.captured());
    }

    // Pixels near black: text, a solid frame; not a dotted one's grey.
    static int darkPixels(const QImage &image)
    {
        int dark = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                dark += image.pixelColor(x, y).lightness() < 80;
        }
        return dark;
    }

    // Every day from 2016-01-01 to 2026-07-07 recorded, each of a year Y (Y − 2015) × 100 Wh, and a
    // History window on them at noon on 2026-07-08, not polling.
    HistoryWindow *yearsOfDays()
    {
        QByteArray days = "date,energy_wh\n";
        for (QDate day(2016, 1, 1); day < QDate(2026, 7, 8); day = day.addDays(1))
            days += day.toString(Qt::ISODate).toLatin1() + ','
                    + QByteArray::number((day.year() - 2015) * 100) + '\n';
        if (!write(u"palvorin_days.csv"_s, days))
            return nullptr;
        m_cycle = std::make_unique<PollCycle>(
                u"state.txt"_s, [] { return QDateTime(QDate(2026, 7, 8), QTime(12, 0)); });
        (void)m_cycle->LoadHistory();
        m_history = std::make_unique<HistoryWindow>(m_cycle.get());
        m_history->show();
        return m_history.get();
    }

private Q_SLOTS:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::German));
        QVERIFY(QDir::setCurrent(m_dir.emplace().path()));
        QSettings().clear();
        m_zone = QTimeZone::utc();
    }
    void cleanup()
    {
        m_window.reset();
        m_history.reset();
        m_cycle.reset();
        QDir::setCurrent(QDir::tempPath()); // frees the folder for its removal
    }

    // Polls at "yyyy-MM-ddTHH:mm counter" in UTC; "restart" closes the program and starts it again
    // (a start polls at once); "add line" adds a line to the days file, as a user may; "zone id"
    // sets the clock's time zone. The state and days files read back to what the program holds.
    void recordsEachDayOnce_data()
    {
        QTest::addColumn<QByteArray>("state"); // none when empty
        QTest::addColumn<QByteArray>("days");
        QTest::addColumn<QStringList>("polls");
        QTest::addColumn<QByteArray>("recorded"); // the days file after them
        const QByteArray header = "date,energy_wh\n";
        QTest::newRow("at midnight in a run")
                << QByteArray() << QByteArray()
                << QStringList{ u"2024-06-01T23:58 1000"_s, u"2024-06-01T23:59 1234.5674"_s,
                                u"2024-06-02T00:00 1300"_s, u"2024-06-02T00:01 1301"_s }
                << header + "2024-06-01,234.567\n";
        QTest::newRow("on a later start, from a state file with a decimal comma")
                << QByteArray("2024-06-01\r\n1000\r\n1\r\n1234,5678\r\n")
                << header + "2024-05-30,12.5\n"
                << QStringList{ u"2024-06-03T08:00 1500"_s, u"restart"_s,
                                u"2024-06-03T09:00 1510"_s }
                << header + "2024-05-30,12.5\n2024-06-01,1234.568\n";
        QTest::newRow("a restart on the same day records nothing")
                << QByteArray("2024-06-01\r\n1000\r\n1\r\n10\r\n") << QByteArray()
                << QStringList{ u"2024-06-01T12:00 1005"_s, u"restart"_s,
                                u"2024-06-01T12:01 1006"_s }
                << QByteArray("<none>");
        QTest::newRow("a day added by hand while it runs stays")
                << QByteArray("2024-06-01\r\n1000\r\n1\r\n10\r\n") << header
                << QStringList{ u"2024-06-01T12:00 1005"_s, u"add 2024-05-20,7"_s,
                                u"2024-06-02T00:00 1010"_s }
                << header + "2024-05-20,7\n2024-06-01,15\n";
        QTest::newRow("in Berlin: an older state over a recorded row, a clock set back, DST ends")
                << QByteArray("2026-10-24\r\n1095\r\n1\r\n95\r\n") << header + "2026-10-24,70\n"
                << QStringList{ u"zone Europe/Berlin"_s,    u"2026-10-24T22:07 1100"_s,
                                u"2026-10-24T21:52 1130"_s, u"2026-10-25T00:30 1135"_s,
                                u"2026-10-25T01:30 1140"_s, u"2026-10-25T23:01 1150"_s }
                << header + "2026-10-24,70\n2026-10-25,40\n";
        QTest::newRow("absurd counters refused, a huge sum read recorded whole")
                << QByteArray("2024-06-01\r\n1000\r\n1\r\n1e306\r\n") << QByteArray()
                << QStringList{ u"2024-06-01T23:59 1e308"_s, u"2024-06-01T23:59 1.7e308"_s,
                                u"2024-06-01T23:59 1e307"_s, u"2024-06-01T23:59 2e12"_s,
                                u"2024-06-02T00:00 1006"_s }
                << header + "2024-06-01," + QByteArray::number(1e306, 'f', 0) + '\n';
    }
    void recordsEachDayOnce()
    {
        QFETCH(QByteArray, state);
        QFETCH(QByteArray, days);
        QVERIFY(state.isEmpty() || write(QLatin1StringView(StateFile::DefaultName), state));
        QVERIFY(days.isEmpty() || write(QLatin1StringView(DaysFile::DefaultName), days));
        QFETCH(QStringList, polls);
        for (const QString &at : polls) {
            const QStringList time = at.split(u' ');
            if (at == u"restart")
                m_window.reset();
            else if (time[0] == u"add")
                QVERIFY(write(QLatin1StringView(DaysFile::DefaultName),
                              days + time[1].toLatin1() + '\n'));
            else if (time[0] == u"zone")
                m_zone = QTimeZone(time[1].toLatin1());
            else
                poll(time[0], time[1].toDouble());
            QVERIFY(!m_window || polled());
        }
        QTEST(bytes(QLatin1StringView(DaysFile::DefaultName)), "recorded");
        QCOMPARE(StateFile::ReadState(bytes(u"shelly_daily_state.txt"_s)), pollCycle()->tally());
        QCOMPARE(DaysFile::ReadDays(bytes(u"palvorin_days.csv"_s)), pollCycle()->history().days());
    }

    // A poll on 2024-06-02 finishes 2024-06-01 (10 Wh); one after it, with the obstacle removed,
    // writes what the first could not, or else the program's end.
    void failedWritesLoseNothing_data()
    {
        QTest::addColumn<QByteArray>("days"); // the days file at the start
        QTest::addColumn<QString>("obstacle"); // a folder in the way, removed after the first poll
        QTest::addColumn<QString>("started"); // the start-up line, before "Polling every 60s."
        QTest::addColumn<QString>("polled"); // what the first poll adds to the status line
        QTest::addColumn<QString>("then"); // "poll" again, "close", or "kill" with the obstacle
        QTest::newRow("unreadable days file kept aside")
                << QByteArray("date;energy_wh\n2024-05-31;1,5\n") << QString()
                << u"Unreadable days file kept as palvorin_days.csv.unreadable."_s
                << u" Unreadable days file kept as palvorin_days.csv.unreadable."_s << u"poll"_s;
        QTest::newRow("unreadable, never kept aside over an older one")
                << QByteArray("date,energy_wh\n2024-05-31\n") << u"palvorin_days.csv.unreadable"_s
                << u"Unreadable days file could not be kept aside: Destination file exists."_s
                << u" (days file not saved: unreadable days file not kept aside: Destination file "
                   "exists)"_s
                << u"poll"_s;
        QTest::newRow("days file not written, written when the program ends")
                << QByteArray() << u"palvorin_days.csv.palvorin-partial"_s << u"Loaded."_s
                << u" (days file not saved: REASON)"_s << u"close"_s;
        QTest::newRow("days file not written, the program killed, written at the next start")
                << QByteArray() << u"palvorin_days.csv.palvorin-partial"_s << u"Loaded."_s
                << u" (days file not saved: REASON)"_s << u"kill"_s;
        QTest::newRow("reading not kept, the day recorded")
                << QByteArray() << u"palvorin_readings/2024-06.csv"_s << u"Loaded."_s
                << u" (reading not kept: REASON)"_s << u"poll"_s;
    }
    void failedWritesLoseNothing()
    {
        QFETCH(QByteArray, days);
        QFETCH(QString, obstacle);
        QVERIFY(days.isEmpty() || write(QLatin1StringView(DaysFile::DefaultName), days));
        QVERIFY(obstacle.isEmpty() || QDir().mkpath(obstacle));
        QVERIFY(write(QLatin1StringView(StateFile::DefaultName),
                      "2024-06-01\r\n1000\r\n1\r\n10\r\n"));
        open(u"2024-06-02T10:00"_s, 1010);
        QTEST(status().remove(u" Polling every 60s."_s), "started");
        QVERIFY(polled());
        // The system words its reasons; the program's own are checked.
        const QRegularExpression reason(u"(?<=saved: |kept: )(?!unreadable)[^)]+(?=\\)$)"_s);
        QTEST(status().remove(u"Last update: 2024-06-02 10:00:00"_s).replace(reason, u"REASON"_s),
              "polled");
        QFETCH(QString, started);
        m_window->showHistory();
        const QLabel *keptAside = historyControl(u"lblKeptAside"_s);
        const bool kept = started.contains(u"kept as "_s);
        QCOMPARE(keptAside->text(), kept ? started : QString());
        QCOMPARE(keptAside->isVisible(), kept);
        QCOMPARE(m_window->findChild<QLabel *>(u"lblToday"_s)->text(), u"0,0 Wh"_s);
        QFETCH(QString, then);
        if (then == u"kill") // the days file still not writable when the program ends
            m_window.reset();
        QVERIFY(obstacle.isEmpty() || QDir(obstacle).removeRecursively());
        if (then == u"close")
            m_window.reset();
        else
            poll(u"2024-06-02T10:01"_s, 1011);
        QVERIFY(!m_window || polled());
        QCOMPARE(bytes(QLatin1StringView(DaysFile::DefaultName)),
                 "date,energy_wh\n2024-06-01,10\n");
        QCOMPARE(bytes(u"palvorin_days.csv.unreadable"_s), days.isEmpty() ? "<none>" : days);
    }

    void readsWholeReadings_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QList<Reading>>("expected"); // those of 2024-06-01
        const QDateTime midnight(QDate(2024, 6, 1), QTime(0, 0), QTimeZone(7200));
        const QByteArray header = "time,power_w,total_wh\n";
        const QByteArray whole = "2024-06-01T00:01:00+02:00,-3.5,7.000\n";
        const QList<Reading> wholeOnly{ { midnight.addSecs(60), -3.5, 7 } };
        QTest::newRow("other days and the header skipped, CR LF taken")
                << header
                        + "2024-05-31T23:59:00+02:00,1.0,5.000\n2024-06-01T00:00:00+02:00,2.5,6."
                          "000\r\n"
                        + whole
                << QList<Reading>{ { midnight, 2.5, 6 }, { midnight.addSecs(60), -3.5, 7 } };
        QTest::newRow("cut short in the counter")
                << "2024-06-01T00:02:00+02:00,2.5,1000.5\n" + whole << wholeOnly;
        QTest::newRow("cut short before the counter")
                << "2024-06-01T00:02:00+02:00,2.5\n" + whole << wholeOnly;
        QTest::newRow("last line not ended")
                << whole + "2024-06-01T00:02:00+02:00,2.5,9.000" << wholeOnly;
        QTest::newRow("no time") << "2024-06-01T12:61:00+02:00,2.5,9.000\n" + whole << wholeOnly;
        QTest::newRow("no number") << "2024-06-01T00:02:00+02:00,x,9.000\n" + whole << wholeOnly;
    }
    void readsWholeReadings()
    {
        QFETCH(QByteArray, content);
        QTEST(ReadingsFile::ReadDay(content, QDate(2024, 6, 1)), "expected");
    }

    void appendNeverGluesOntoACutLine()
    {
        const QDateTime at(QDate(2024, 6, 1), QTime(12, 1), QTimeZone(-12600));
        const QString folder = u"palvorin_readings"_s;
        const QString file = folder + u"/2024-06.csv"_s;
        QVERIFY(write(file, {})); // created, not written yet
        QVERIFY(ReadingsFile::AppendReading(folder, { at, 230.44, 999.5 }));
        QVERIFY(ReadingsFile::AppendReading(folder, { at.addSecs(60), 1, 1000 }));
        QVERIFY(QFile::resize(file, QFileInfo(file).size() - 3)); // a crash cut it short
        QVERIFY(ReadingsFile::AppendReading(folder,
                                            { at.addSecs(120).toOffsetFromUtc(0), 0, 1e6 }));
        QCOMPARE(bytes(file),
                 "time,power_w,total_wh\n2024-06-01T12:01:00-03:30,230.4,999.500\n"
                 "2024-06-01T12:02:00-03:30,1.0,1000.0\n2024-06-01T15:33:00+00:00,0.0,1000000."
                 "000\n");
    }

    void readsDays_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QList<DayRecord>>("days"); // none: not understood
        const QDate first(2024, 6, 1);
        QTest::newRow("as a spreadsheet saves it: byte order mark, CR LF, out of order, twice")
                << QByteArray("\xEF\xBB\xBF"
                              "date,energy_wh\r\n2024-06-02,7\r\n\n2024-06-01,1e3\r\n2024-06-02,8")
                << QList<DayRecord>{ { first, 1000 }, { first.addDays(1), 8 } };
        QTest::newRow("no header") << QByteArray("2024-06-01,5\n") << QList<DayRecord>();
        QTest::newRow("decimal comma")
                << QByteArray("date,energy_wh\n2024-06-01,5,5\n") << QList<DayRecord>();
        QTest::newRow("infinite") << QByteArray("date,energy_wh\n2024-06-01,inf\n")
                                  << QList<DayRecord>();
    }
    void readsDays()
    {
        QFETCH(QByteArray, content);
        QFETCH(QList<DayRecord>, days);
        bool ok = false;
        QCOMPARE(DaysFile::ReadDays(content, &ok), days);
        QCOMPARE(ok, !days.isEmpty());
    }

    void curve_data()
    {
        QTest::addColumn<QDateTime>("start"); // in Berlin
        QTest::addColumn<QList<int>>("seconds"); // of the readings: their times after the start
        QTest::addColumn<Segments>("lines");
        QTest::addColumn<Peak>("peak"); // a reading's power: 1000 W less a tenth of its seconds
        const QTimeZone berlin("Europe/Berlin");
        const QDateTime ten(QDate(2024, 6, 1), QTime(10, 0), berlin);
        const auto hour = [](int seconds) { return (10 * 3600 + seconds) / 3600.0; };
        QTest::newRow("a minute and a half apart, or none: joined")
                << ten << QList<int>{ 0, 90, 90, 150 }
                << Segments{ { hour(0), hour(90), hour(90), hour(150) } }
                << Peak{ QTime(10, 0), 1000, 10 };
        QTest::newRow("a failed poll: a gap") << ten << QList<int>{ 0, 91, 151 }
                                              << Segments{ { hour(0) }, { hour(91), hour(151) } }
                                              << Peak{ QTime(10, 0), 1000, 10 };
        QTest::newRow("the clock set back: a new line")
                << ten << QList<int>{ 300, 240, 250 }
                << Segments{ { hour(300) }, { hour(240), hour(250) } }
                << Peak{ QTime(10, 4), 976, hour(240) };
        // 02:59 summer time, then 02:00 winter time; 01:59 winter time, then 03:00 summer time.
        const QDateTime before = QDateTime(QDate(2026, 10, 25), QTime(0, 59), QTimeZone::utc());
        QTest::newRow("the clocks go back: on, not over the hour before")
                << before.toTimeZone(berlin) << QList<int>{ 0, 60 }
                << Segments{ { 2 + 59 / 60.0, 3 } } << Peak{ QTime(2, 59), 1000, 2 + 59 / 60.0 };
        QTest::newRow("the clocks go forward: no gap")
                << before.addDays(-210).toTimeZone(berlin) << QList<int>{ 0, 60 }
                << Segments{ { 1 + 59 / 60.0, 2 } } << Peak{ QTime(1, 59), 1000, 1 + 59 / 60.0 };
    }
    void curve()
    {
        QFETCH(QDateTime, start);
        QFETCH(QList<int>, seconds);
        QList<Reading> day;
        for (const int second : seconds)
            day.append({ start.addSecs(second), 1000 - second / 10.0, 0 });
        Segments lines;
        for (const QList<QPointF> &segment : CurveSegments(day, start.timeZone())) {
            lines.append(QList<double>());
            for (const QPointF &point : segment)
                lines.last().append(point.x());
        }
        QTEST(lines, "lines");
        QTEST(*DayPeak(day, start.timeZone()), "peak");
    }

    void sums_data()
    {
        QTest::addColumn<QList<DayRecord>>("recorded");
        QTest::addColumn<DayRecord>("live"); // the tally's day
        QTest::addColumn<Sums>("sums"); // on 2024-06-02
        QTest::addColumn<QList<double>>("months"); // the last three
        const QDate today(2024, 6, 2);
        const QList<DayRecord> year{ { QDate(2023, 12, 31), 9 },
                                     { QDate(2024, 4, 30), 5 },
                                     { QDate(2024, 5, 31), 3 },
                                     { QDate(2024, 6, 1), 2 },
                                     { QDate(2024, 6, 3), 1 } }; // the clock was set back
        QTest::newRow("a record over the day under way, an older state file's")
                << year + QList<DayRecord>{ { today, 8 } } << DayRecord{ today, 7 }
                << Sums{ 8, 2, 10, 18, 28, DayRecord{ QDate(2023, 12, 31), 9 }, 2, 2, 4, 154 }
                << QList<double>{ 5, 3, 10 };
        QTest::newRow("nothing recorded")
                << QList<DayRecord>() << DayRecord() << Sums{ {}, {}, 0, 0, 0, {}, 0, 2, 0, 154 }
                << QList<double>{ 0, 0, 0 };
    }
    void sums()
    {
        QFETCH(QList<DayRecord>, recorded);
        QFETCH(DayRecord, live);
        const auto days = AllDays(recorded, live);
        const QDate today(2024, 6, 2);
        QTEST(HistorySums(days, today), "sums");
        QList<double> months;
        for (const Bar &bar : PeriodBars(days, Period::Months, { QDate(2024, 4, 1), today }))
            months.append(bar.energyWh);
        QTEST(months, "months");
    }

    void texts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const QLocale german(QLocale::German);
        const QLocale british(QLocale::English, QLocale::UnitedKingdom);
        const auto row = [](const char *name, const QString &text, const QString &expected) {
            QTest::newRow(name) << text << expected;
        };
        row("no energy", SumText(std::nullopt, { 0.3, u"EUR"_s }, german), u"none"_s);
        row("a day: kWh with two decimals", EnergyText(999.5, british), u"1.00 kWh"_s);
        row("a few Wh: never -0.00", EnergyText(-1, british), u"0.00 kWh"_s);
        row("a month: one decimal", EnergyText(56234, british, Span::Period), u"56.2 kWh"_s);
        row("a year: none from 100 kWh", EnergyText(1234567, british, Span::Period),
            u"1,235 kWh"_s);
        row("a watt below zero", PowerText(-0.4, british), u"0 W"_s);
        const auto worth = [&german](double share, double feedIn) {
            return SumText(2500, { 0.32, u"EUR"_s, share, feedIn }, german);
        };
        row("money labelled", worth(1, 0.08), u"2,50 kWh, worth 0,80\u00a0€ at 0,32\u00a0€/kWh"_s);
        row("money split: the rest fed in", worth(0.7, 0.08),
            u"2,50 kWh, worth 0,62\u00a0€: 1,75 kWh used at home at 0,32\u00a0€/kWh, "
            u"0,75 kWh fed in at 0,08\u00a0€/kWh"_s);
        row("another currency than the locale's: its code",
            SumText(1000, { 0.3125, u"USD"_s }, german),
            u"1,00 kWh, worth 0,31\u00a0USD at 0,3125\u00a0USD/kWh"_s);
        const QDateTime noon(QDate(2024, 6, 1), QTime(12, 40, 59));
        row("the curve's summary, no seconds",
            CurveSummary(DayName(noon.date(), noon.date(), british), 1234.5, { { noon, 620.4, 0 } },
                         QLocale::c()),
            u"Today: 1.23 kWh, peak 620 W at 12:40"_s);
        row("nothing produced: no peak at midnight",
            CurveSummary(u"Today"_s, 0, { { noon.addSecs(-45600), 0.4, 0 } }, british),
            u"Today: 0.00 kWh, no peak"_s);
        row("an earlier day without readings",
            CurveSummary(DayName(QDate(2024, 5, 30), QDate(2024, 6, 1), british), std::nullopt, {},
                         british),
            u"Thursday, 30 May 2024: not recorded, no readings"_s);
        const auto at = [&noon](const char *time, double watts, double total) {
            return Reading{ QDateTime(noon.date(), QTime::fromString(QLatin1StringView(time)),
                                      QTimeZone::utc()),
                            watts, total };
        };
        const QList<Reading> restarted{ at("06:12", 0, 1000), at("06:13", 100, 1300),
                                        at("12:00", 620, 3200), at("12:10", 600, 3300) };
        row("energy counted after a gap: named", CurveSummary(u"Today"_s, 2300, restarted, british),
            u"Today: 2.30 kWh, of which 1.90 kWh while no readings were taken, peak 620 W at "
            u"12:00"_s);
        row("gaps over ten minutes, from midnight on",
            GapsText(restarted, british, QTimeZone::utc()),
            u"no readings 00:00–06:12, 06:13–12:00"_s);
        const auto axis = [&british](double highest, double smallest) {
            QStringList labels;
            for (const double value : ChartScale::Ticks(ChartScale::NiceAxis(highest, 4, smallest)))
                labels.append(smallest < 1 ? AxisKwhText(value, british)
                                           : AxisWattText(value, british));
            return labels.join(u", "_s);
        };
        row("an empty day's axis: no label twice", axis(0, 1), u"0 W, 1 W"_s);
        row("a power axis in W alone", axis(1100, 1), u"0 W, 500 W, 1,000 W, 1,500 W"_s);
        row("an energy axis in kWh, no trailing zero", axis(1.4, 0.01),
            u"0 kWh, 0.5 kWh, 1 kWh, 1.5 kWh"_s);
        row("a months' axis", axis(150, 0.01), u"0 kWh, 50 kWh, 100 kWh, 150 kWh"_s);
        const QMap<QDate, double> days{ { QDate(2024, 5, 30), 2000 },
                                        { QDate(2024, 5, 31), 1000 },
                                        { QDate(2024, 6, 1), 500 } };
        const QList<Bar> months =
                PeriodBars(days, Period::Months,
                           PeriodRange(Period::Months, { 2024, 6, 2 }, {}, { 2024, 6, 2 }));
        row("a month with days missing", BarText(months[4], Period::Months, british),
            u"May 2024: 3.0 kWh, 2 of 31 days recorded"_s);
        row("this month's days counted up to today", BarText(months[5], Period::Months, british),
            u"June 2024: 0.5 kWh, 1 of 2 days recorded"_s);
        const Range june = PeriodRange(Period::Days, { 2024, 6, 9 }, {}, { 2024, 6, 15 });
        row("day labels, a week apart from the first",
            BarLabels(PeriodBars({}, Period::Days, june), Period::Days, british).join(u'|'),
            u"1|||||||8|||||||15"_s);
        row("month labels", BarLabels(months.mid(4, 1), Period::Months, german).join(u'|'),
            u"Mai"_s);
        row("years from the first recorded",
            PeriodName(Period::Years,
                       PeriodRange(Period::Years, {}, { 2016, 3, 1 }, { 2026, 1, 2 }), british),
            u"2016–2026"_s);
        const QMap<QDate, double> july{ { { 2025, 7, 1 }, 4000 },
                                        { { 2025, 7, 9 }, 9999 }, // after the same day
                                        { { 2026, 7, 2 }, 6000 },
                                        { { 2026, 7, 3 }, 1000 },
                                        { { 2026, 7, 4 }, 1000 } };
        const Range now = PeriodRange(Period::Days, { 2026, 7, 1 }, {}, { 2026, 7, 8 });
        const Reading peak{ QDateTime({ 2026, 7, 2 }, { 12, 40 }), 812.4, 0 };
        row("a period's figures: the first best and worst day, the peak",
            FiguresText(PeriodFigures(july, now), peak, british).join(u'|'),
            u"Total: 8.0 kWh, 3 of 8 days recorded|Average per recorded day: 2.67 kWh|"
            u"Best day: 6.00 kWh on Thursday, 2 July 2026|"
            u"Worst day: 1.00 kWh on Friday, 3 July 2026|"
            u"Peak power: 812 W at 12:40 on Thursday, 2 July 2026"_s);
        row("a month under way beside the same days a year earlier",
            CompareText(july, Period::Days, now, { 2026, 7, 8 }, british),
            u"July 2026: 8.0 kWh · July 2025 up to 08/07/2025: 4.0 kWh, +100 %"_s);
        row("nothing recorded either year",
            CompareText(july, Period::Days, YearEarlier(YearEarlier(now)), { 2026, 7, 8 }, british),
            u"July 2024: not recorded · July 2023: not recorded"_s);
        row("a whole February beside a whole leap-year February",
            CompareText({ { { 2024, 2, 29 }, 1000 }, { { 2025, 2, 28 }, 1000 } }, Period::Days,
                        { { 2025, 2, 1 }, { 2025, 2, 28 } }, { 2025, 3, 5 }, british),
            u"February 2025: 1.0 kWh · February 2024: 1.0 kWh, 0 %"_s);
        row("copied for a spreadsheet: the locale's decimals, nothing where not recorded",
            CopyText(PeriodBars(july, Period::Days, { { 2026, 7, 1 }, { 2026, 7, 2 } }),
                     Period::Days, german),
            u"Date\tEnergy (kWh)\n2026-07-01\t\n2026-07-02\t6,000\n"_s);
    }
    void texts()
    {
        QFETCH(QString, text);
        QTEST(text, "expected");
    }

    void chartScale()
    {
        using namespace ChartScale;
        QCOMPARE(NiceAxis(620, 4), (Axis{ 200, 4 }));
        QCOMPARE(NiceAxis(800, 4), (Axis{ 200, 4 }));
        QCOMPARE(NiceAxis(240, 4), (Axis{ 100, 3 }));
        QCOMPARE(NiceAxis(90, 4), (Axis{ 50, 2 }));
        const QRectF plot = PlotArea({ 0, 0, 540, 160 }, 30, 10);
        QCOMPARE(plot, QRectF(35, 15, 500, 130));
        QCOMPARE(DayPoint(plot, 6, 100, 400), QPointF(160, 112.5));
        QCOMPARE(DayPoint(plot, 0, -5, 400), QPointF(35, 145));
        QCOMPARE(DayPoint(plot, 25, 500, 400, 25), QPointF(535, 15)); // the day the clocks go back
        QCOMPARE(BarRect(plot, 1, 4, 200, 400), QRectF(175.625, 80, 93.75, 65));
        QCOMPARE(Above(plot, { 160, 80 }), QRectF(-340, 65, 1000, 15));
        QCOMPARE(BarAt(plot, 4, 34), -1);
        QCOMPARE(BarAt(plot, 4, 35), 0);
        QCOMPARE(BarAt(plot, 4, 534.9), 3);
        QCOMPARE(BarAt(plot, 4, 535), -1);
        QCOMPARE(BarAt(QRectF(), 4, 1), -1); // before the first paint
        QCOMPARE(HourTicks(plot, 41.5), (QList<int>{ 0, 3, 6, 9, 12, 15, 18, 21 }));
        QCOMPARE(HourTicks(plot, 42), (QList<int>{ 0, 6, 12, 18 }));
        QCOMPARE(HourTicks(plot, 62.5 / 1.5).size(), 8); // labels 1.5 wide exactly fit
        QCOMPARE(HourTicks(plot, 200), QList<int>({ 0, 12 }));
        // The chart of a day as long as it is, "06:00" where 06:00 falls.
        const QTimeZone berlin("Europe/Berlin");
        QCOMPARE(HistoryView::DayHours(QDate(2026, 10, 25), berlin), 25);
        QCOMPARE(HistoryView::ClockHours(QDate(2026, 3, 29), berlin)[6], 5);
    }

    // A day not recorded is drawn unlike a day recorded with 0 Wh, in its own slot alone.
    void notRecordedDayMarked()
    {
        BarChart chart(u"Days of the month"_s);
        chart.resize(480, 150);
        const QStringList texts{ u"a"_s, u"b"_s, u"c"_s };
        chart.setBars({ 0, 0, 1000 }, { true, true, true }, texts, texts);
        const QImage zero = chart.grab().toImage();
        chart.setBars({ 0, 0, 1000 }, { true, false, true }, texts, texts);
        const QImage missing = chart.grab().toImage();
        QCOMPARE(missing.copy(0, 0, 150, 150), zero.copy(0, 0, 150, 150));
        QVERIFY2(missing.copy(200, 0, 80, 150) != zero.copy(200, 0, 80, 150), "not marked");
    }

    void priceReadInAnyLocale_data()
    {
        QTest::addColumn<QString>("typed"); // as pasted; typing validates each key the same way
        QTest::addColumn<double>("price"); // as saved at once, in a German and in a US locale
        QTest::newRow("decimal point") << u"0.31"_s << 0.31;
        QTest::newRow("decimal comma") << u"0,31"_s << 0.31;
        QTest::newRow("blanks around") << u" 0,31 "_s << 0.31;
        QTest::newRow("three decimals: a price has no thousands") << u"1.234"_s << 1.234;
    }
    void priceReadInAnyLocale()
    {
        QFETCH(QString, typed);
        QFETCH(double, price);
        for (const char *locale : { "de_DE", "en_US" }) {
            QLocale::setDefault(QLocale(QString::fromLatin1(locale)));
            PollCycle cycle(u"state.txt"_s,
                            [] { return QDateTime(QDate(2024, 6, 1), QTime(12, 0)); });
            HistoryWindow window(&cycle);
            auto *edit =
                    window.findChild<QDoubleSpinBox *>(u"txtPrice"_s)->findChild<QLineEdit *>();
            edit->selectAll();
            edit->insert(typed);
            QVERIFY2(qFuzzyCompare(Settings().pricePerKwh().value_or(0), price), locale);
            // The currency of the first use, de_DE's, kept under en_US: written as its code there.
            QCOMPARE(window.findChild<QComboBox *>(u"cmbCurrency"_s)->currentText(), u"EUR"_s);
            QCOMPARE(window.findChild<QDoubleSpinBox *>(u"txtPrice"_s)->suffix(),
                     locale[0] == 'd' ? u" €"_s : u" EUR"_s);
        }
    }

    // Actions on yearsOfDays(): "tab N", "key K" to the bars shown, "click last" bar, "previous"
    // period, "today", "date yyyy-MM-dd" in the date box, "pgup" on the curve.
    void periods_data()
    {
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QString>("period");
        QTest::addColumn<QString>("bar"); // the selected one's text
        QTest::addColumn<QString>("day"); // the curve's
        QTest::addColumn<QString>("steps"); // previous and next period enabled: "10"
        const QString today = u"Mittwoch, 8. Juli 2026"_s;
        QTest::newRow("today's month at first") << QStringList() << u"Juli 2026"_s
                                                << today + u": not recorded"_s << today << u"10"_s;
        QTest::newRow("the month before, the curve stays")
                << QStringList{ u"previous"_s } << u"Juni 2026"_s
                << u"Dienstag, 30. Juni 2026: 1,10 kWh"_s << today << u"11"_s;
        QTest::newRow("a year opens its months, a month its days, a day its curve")
                << QStringList{ u"tab 2"_s,    u"key Left"_s,   u"key Return"_s,
                                u"key Home"_s, u"key Return"_s, u"click last"_s }
                << u"Januar 2025"_s << u"Freitag, 31. Januar 2025: 1,00 kWh"_s
                << u"Freitag, 31. Januar 2025"_s << u"11"_s;
        QTest::newRow("the date box: the bars follow")
                << QStringList{ u"date 2025-07-13"_s } << u"Juli 2025"_s
                << u"Sonntag, 13. Juli 2025: 1,00 kWh"_s << u"Sonntag, 13. Juli 2025"_s << u"11"_s;
        QTest::newRow("a day back across a month's start: the bars follow")
                << QStringList{ u"date 2025-08-01"_s, u"pgup"_s } << u"Juli 2025"_s
                << u"Donnerstag, 31. Juli 2025: 1,00 kWh"_s << u"Donnerstag, 31. Juli 2025"_s
                << u"11"_s;
        QTest::newRow("Today from a year back, last year's month whole beside")
                << QStringList{ u"date 2025-07-13"_s, u"tab 1"_s, u"today"_s } << u"2026"_s
                << u"Juli 2026: 7,7 kWh, 7 of 8 days recorded · Juli 2025: 31,0 kWh"_s << today
                << u"10"_s;
        QTest::newRow("the first recorded month: no previous")
                << QStringList{ u"date 2016-01-05"_s } << u"Januar 2016"_s
                << u"Dienstag, 5. Januar 2016: 0,10 kWh"_s << u"Dienstag, 5. Januar 2016"_s
                << u"01"_s;
        QTest::newRow("every year: no previous, no next")
                << QStringList{ u"tab 2"_s } << u"2016–2026"_s
                << u"2026: 207 kWh, 188 of 189 days recorded"_s << today << u"00"_s;
    }
    void periods()
    {
        HistoryWindow *window = yearsOfDays();
        QVERIFY(window);
        auto *tabs = window->findChild<QTabWidget *>();
        const auto button = [window](const QString &name) {
            return window->findChild<QPushButton *>(name);
        };
        QFETCH(QStringList, actions);
        for (const QString &action : actions) {
            const QString argument = action.section(u' ', 1);
            auto *bars = static_cast<BarChart *>(tabs->currentWidget());
            if (action.startsWith(u"tab")) {
                tabs->setCurrentIndex(argument.toInt());
            } else if (action.startsWith(u"key")) {
                QTest::keyClick(bars, QKeySequence(argument)[0].key());
            } else if (action == u"click last") {
                (void)bars->grab(); // lays its bars out
                QTest::mouseClick(bars, Qt::LeftButton, {}, { bars->width() - 10, 50 });
            } else if (action.startsWith(u"date")) {
                window->findChild<QDateEdit *>()->setDate(QDate::fromString(argument, Qt::ISODate));
            } else if (action == u"pgup") {
                QTest::keyClick(window->findChild<CurveChart *>(), Qt::Key_PageUp);
            } else {
                QTest::mouseClick(
                        button(action == u"today" ? u"cmdToday"_s : u"cmdPreviousPeriod"_s),
                        Qt::LeftButton);
            }
        }
        QTEST(window->findChild<QLabel *>(u"lblPeriod"_s)->text(), "period");
        QTEST(window->findChild<QLabel *>(u"lblBar"_s)->text(), "bar");
        QTEST(window->findChild<QLabel *>(u"lblDay"_s)->text(), "day");
        QTEST(QString::number(button(u"cmdPreviousPeriod"_s)->isEnabled())
                      + QString::number(button(u"cmdNextPeriod"_s)->isEnabled()),
              "steps");
    }

    // Every year as a bar, each whole year's taller than the one before, the year under way paler;
    // this year's months beside last year's, paler still, and the sums beside a year earlier.
    void yearsAndComparisonDrawn()
    {
        HistoryWindow *window = yearsOfDays();
        QVERIFY(window);
        auto *tabs = window->findChild<QTabWidget *>();
        tabs->setCurrentIndex(2);
        const QList<Run> years =
                colouredRuns(window->findChild<BarChart *>(u"yearBars"_s)->grab().toImage());
        QCOMPARE(years.size(), 11);
        for (qsizetype i = 1; i < 10; ++i)
            QVERIFY2(years[i].height > years[i - 1].height,
                     "a year not taller than the one before");
        QVERIFY2(std::abs(years[9].height - 10 * years[0].height) <= 12, "2025 not ten times 2016");
        QVERIFY(years[10].saturation < years[9].saturation);
        tabs->setCurrentIndex(1);
        const QImage months = window->findChild<BarChart *>(u"monthBars"_s)->grab().toImage();
        const auto most = [&months](int x) {
            int saturation = 0;
            for (int y = 0; y < months.height(); ++y)
                saturation = std::max(saturation, months.pixelColor(x, y).hsvSaturation());
            return saturation;
        };
        const QList<Run> slots = colouredRuns(months);
        QCOMPARE(slots.size(), 7); // January to July, each with last year's on its left
        for (const Run &slot : slots.first(6))
            QVERIFY2(most(slot.left + 2) < most(slot.right - 2), "last year's month not paler");
        const auto compared = [window] {
            return window->findChild<QLabel *>(u"lblCompare"_s)->text();
        };
        QCOMPARE(compared(), u"2026: 207 kWh · 2025 up to 08.07.25: 189 kWh, +9 %"_s);
        tabs->setCurrentIndex(0);
        QCOMPARE(compared(), u"Juli 2026: 7,7 kWh · Juli 2025 up to 08.07.25: 8,0 kWh, -4 %"_s);
        QCOMPARE(window->findChild<QLabel *>(u"lblFigures"_s)->text(),
                 u"Total: 7,7 kWh, 7 of 8 days recorded\nAverage per recorded day: 1,10 kWh\n"
                 u"Best day: 1,10 kWh on Mittwoch, 1. Juli 2026\n"
                 u"Worst day: 1,10 kWh on Mittwoch, 1. Juli 2026"_s);
    }

    // Export… writes what the dialog names, Copy puts the days on the clipboard; a folder in the
    // way refuses the export, says why and leaves nothing beside it.
    void exports_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("path"); // none: the clipboard
        QTest::addColumn<QByteArray>("written"); // none: refused
        QByteArray days = "date,energy_wh\n";
        QByteArray copied = "Date\tEnergy (kWh)\n";
        for (int day = 1; day <= 8; ++day) {
            days += day < 8 ? "2026-07-0" + QByteArray::number(day) + ",1100\n" : "";
            copied += "2026-07-0" + QByteArray::number(day) + (day < 8 ? "\t1,100\n" : "\t\n");
        }
        QTest::newRow("a month's days") << u"cmdExport"_s << u"july.csv"_s << days;
        QTest::newRow("a day's readings")
                << u"cmdExportDay"_s << u"day.csv"_s
                << "time,power_w,total_wh\n" + readings({ 2026, 7, 8 }, { 6, 0 }, { 6, 2 }, 480);
        QTest::newRow("copied") << u"cmdCopy"_s << QString() << copied;
        QTest::newRow("a folder in the way") << u"cmdExport"_s << u"folder.csv"_s << QByteArray();
    }
    void exports()
    {
        QVERIFY(write(u"palvorin_readings/2026-07.csv"_s,
                      readings({ 2026, 7, 8 }, { 6, 0 }, { 6, 2 }, 480)));
        QVERIFY(QDir().mkpath(u"folder.csv"_s));
        HistoryWindow *window = yearsOfDays();
        QVERIFY(window);
        QFETCH(QString, button);
        QFETCH(QString, path);
        QFETCH(QByteArray, written);
        QTest::mouseClick(window->findChild<QPushButton *>(button), Qt::LeftButton);
        if (path.isEmpty()) {
            QCOMPARE(QApplication::clipboard()->text().toUtf8(), written);
            return;
        }
        auto *dialog = window->findChild<QFileDialog *>(u"exportDialog"_s);
        QVERIFY(dialog && dialog->isVisible());
        const QString target = QDir::current().absoluteFilePath(path);
        Q_EMIT dialog->fileSelected(target); // as its Save does
        // Named as the system writes paths.
        const QString said = window->findChild<QLabel *>(u"lblExport"_s)
                                     ->text()
                                     .replace(QDir::toNativeSeparators(target), target);
        if (written.isEmpty()) {
            QVERIFY2(said.startsWith(u"Not exported to %1: "_s.arg(target)) && !said.endsWith(u' '),
                     qPrintable(said));
            QVERIFY(QFileInfo(path).isDir() && QDir(path).isEmpty());
            QCOMPARE(QDir().entryList({ u"*.palvorin-partial"_s }), QStringList());
        } else {
            QCOMPARE(said, u"Exported to %1."_s.arg(target));
            QCOMPARE(bytes(path), written);
        }
    }

    // The window through the real poll cycle: today (2024-06-01) read from 06:00 to 10:00 and from
    // 14:00 on at 500 W; yesterday 1 kWh with one reading of 700 W at noon, the day before 2 kWh.
    void historyWindow()
    {
        QVERIFY(write(u"palvorin_days.csv"_s,
                      "date,energy_wh\n2024-05-30,2000\n2024-05-31,1000\n"));
        QVERIFY(write(u"shelly_daily_state.txt"_s, "2024-06-01\r\n1000\r\n1\r\n2500\r\n"));
        QVERIFY(write(u"palvorin_days.csv.palvorin-partial"_s, "date,energy")); // a save cut short
        const QDate today(2024, 6, 1);
        QVERIFY(write(u"palvorin_readings/2024-05.csv"_s,
                      readings(today.addDays(-1), QTime(12, 0), QTime(12, 1), 700)));
        QVERIFY(write(u"palvorin_readings/2024-06.csv"_s,
                      readings(today, QTime(6, 0), QTime(10, 0), 500)
                              + readings(today, QTime(14, 0), QTime(18, 0), 500)));
        open(u"2024-06-01T18:00:30"_s, 1010);
        QVERIFY(polled() && !QFile::exists(u"palvorin_days.csv.palvorin-partial"_s));
        auto *history = m_window->findChild<QPushButton *>(u"cmdHistory"_s);
        QVERIFY(m_window->rect().contains(history->geometry()));
        QTest::mouseClick(history, Qt::LeftButton);
        auto *window = m_window->findChild<HistoryWindow *>();
        QVERIFY(window && window->isVisible() && !window->isModal());
        QTest::mouseClick(history, Qt::LeftButton);
        QCOMPARE(m_window->findChildren<HistoryWindow *>().size(), 1);
        QList<QWidget *> controls = window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        controls.removeIf([](const QWidget *control) { return control->isHidden(); });
        for (const QWidget *control : controls) {
            for (const QWidget *other : controls)
                QVERIFY(control == other || !control->geometry().intersects(other->geometry()));
        }

        auto *curve = historyControl<CurveChart>(u"curve"_s);
        // Named once: the line under a chart is its description.
        QCOMPARE(name(curve), u"Power over the day"_s);
        QCOMPARE(QAccessible::queryAccessibleInterface(curve)->role(), QAccessible::Chart);
        QCOMPARE(historyControl(u"lblCurve"_s)->text(),
                 u"Today: 2,51 kWh, peak 500 W at 06:00\nno readings 00:00–06:00, 09:59–14:00"_s);
        QCOMPARE(name(curve, QAccessible::Description), historyControl(u"lblCurve"_s)->text());
        const QList<Run> lines = colouredRuns(curve->grab().toImage());
        QCOMPARE(lines.size(), 2); // the gap from 10:00 to 14:00 left empty
        QCOMPARE(curve->grab().toImage().pixelColor(0, 0), curve->palette().color(QPalette::Base));
        QVERIFY2(lines[1].left - lines[0].right > curve->width() / 8, "the gap too narrow");
        // The cursor: from the first reading by key, to the nearest by pointer.
        QTest::keyClick(curve, Qt::Key_Right);
        QTest::keyClick(curve, Qt::Key_Left);
        QCOMPARE(historyControl(u"lblCursor"_s)->text(), u"06:00: 500 W"_s);
        QCOMPARE(name(curve), u"Power over the day: 06:00: 500 W"_s);
        QMouseEvent move(QEvent::MouseMove, QPointF(curve->width() - 12, 50),
                         curve->mapToGlobal(QPointF(curve->width() - 12, 50)), Qt::NoButton, {},
                         {});
        QApplication::sendEvent(curve, &move);
        QCOMPARE(curve->toolTip(), u"18:00: 480 W"_s); // the poll's
        QCOMPARE(historyControl(u"lblCursor"_s)->text(), curve->toolTip());

        auto *days = historyControl<BarChart>(u"dayBars"_s);
        const QList<Run> june = colouredRuns(days->grab().toImage());
        QCOMPARE(june.size(), 1); // today's growing bar alone
        QTest::mouseClick(historyControl<QPushButton>(u"cmdPreviousPeriod"_s), Qt::LeftButton);
        const QList<Run> bars = colouredRuns(days->grab().toImage());
        QCOMPARE(bars.size(), 2);
        QVERIFY2(std::abs(bars[0].height - 2 * bars[1].height) <= 2, "2 kWh not twice 1 kWh");
        QVERIFY2(june[0].saturation < bars[0].saturation, "a growing bar not paler");
        // Tab onto a chart draws the style's focus frame round it; the bars' selection turns solid.
        QVERIFY(QTest::qWaitForWindowActive(window));
        for (QWidget *chart : std::initializer_list<QWidget *>{ curve, days }) {
            historyControl<QDoubleSpinBox>(u"txtPrice"_s)->setFocus();
            const QImage before = chart->grab().toImage();
            for (int tabs = 0; !chart->hasFocus() && tabs < 20; ++tabs)
                QTest::keyClick(window->windowHandle(), Qt::Key_Tab);
            const QImage after = chart->grab().toImage();
            // Above the plot, where nothing else is drawn.
            QVERIFY2(before.copy(0, 0, before.width(), 1) != after.copy(0, 0, after.width(), 1),
                     qPrintable(chart->objectName()));
            QVERIFY(chart == curve || darkPixels(after) > darkPixels(before) + chart->height());
        }
        QCOMPARE(name(days), u"Days of the month"_s);
        QCOMPARE(QAccessible::queryAccessibleInterface(days)->role(), QAccessible::Chart);
        QTest::keyClick(days, Qt::Key_Left);
        QCOMPARE(historyControl(u"lblBar"_s)->text(), u"Donnerstag, 30. Mai 2024: 2,00 kWh"_s);
        QCOMPARE(name(days, QAccessible::Description), historyControl(u"lblBar"_s)->text());
        QTest::keyClick(days, Qt::Key_End);
        QTest::keyClick(days, Qt::Key_Right);
        QCOMPARE(days->selectedText(), u"Freitag, 31. Mai 2024: 1,00 kWh"_s);
        QTest::keyClick(days, Qt::Key_Home);
        QTest::keyClick(days, Qt::Key_Left);
        QCOMPARE(historyControl(u"lblBar"_s)->text(), u"Mittwoch, 1. Mai 2024: not recorded"_s);
        QAccessibleInterface *tabs =
                QAccessible::queryAccessibleInterface(window->findChild<QTabBar *>());
        QCOMPARE(tabs->childCount(), 3); // the tabs alone, not the hidden scroll buttons
        QCOMPARE(tabs->child(1)->text(QAccessible::Name), u"Months"_s);
        tabs->child(1)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(historyControl(u"lblBar"_s)->text(),
                 u"Juni 2024: 2,5 kWh · Juni 2023: not recorded"_s);

        QHelpEvent hover(QEvent::ToolTip, { days->width() - 10, days->height() / 2 }, {});
        QApplication::sendEvent(days, &hover);
        QCOMPARE(QToolTip::text(), u"Freitag, 31. Mai 2024: 1,00 kWh"_s);

        const auto sums = [window] {
            QStringList names;
            for (const QLabel *label : window->findChildren<QLabel *>())
                names << label->accessibleName();
            names.removeAll(QString());
            return names;
        };
        QCOMPARE(sums(),
                 (QStringList{ u"Today: 2,51 kWh"_s, u"Yesterday: 1,00 kWh"_s,
                               u"This month: 2,5 kWh"_s,
                               u"This year: 5,5 kWh, 3 of 153 days recorded"_s,
                               u"All recorded: 5,5 kWh"_s,
                               u"Best day: 2,51 kWh on Samstag, 1. Juni 2024"_s }));
        for (const QLabel *label : window->findChildren<QLabel *>())
            QVERIFY(!label->text().endsWith(u':') || label->buddy());
        auto *price = historyControl<QDoubleSpinBox>(u"txtPrice"_s);
        QCOMPARE(price->text(), u"none"_s);
        price->setValue(1500.1234); // some currencies count a kWh in thousands
        QCOMPARE(price->text(), u"1500,1234 €"_s);
        QCOMPARE(sums().first(),
                 u"Today: 2,51 kWh, worth 3.765,31\u00a0€ at 1.500,1234\u00a0€/kWh"_s);
        price->setValue(0);
        QCOMPARE(sums().first(), u"Today: 2,51 kWh"_s);
        QVERIFY(!QSettings().contains(u"PricePerKwh"_s));
        // A plant's size: its yield beside each sum, the curve on a scale up to it.
        const int curveHeight = colouredRuns(curve->grab().toImage())[0].height;
        historyControl<QSpinBox>(u"spnPlant"_s)->setValue(800);
        QCOMPARE(sums()[3], u"This year: 5,5 kWh (6,9 kWh/kWp), 3 of 153 days recorded"_s);
        const int scaled = colouredRuns(curve->grab().toImage())[0].height;
        QVERIFY2(std::abs(scaled * 800 - curveHeight * 600) <= 800,
                 "500 W not on a scale to 800 W");
        historyControl<QSpinBox>(u"spnPlant"_s)->setValue(0);

        // Earlier days back to the first recorded, from their own month's file.
        QTest::keyClick(curve, Qt::Key_PageUp);
        QCOMPARE(historyControl(u"lblCurve"_s)->text(),
                 u"Yesterday: 1,00 kWh, peak 700 W at 12:00\nno readings 00:00–12:00"_s);
        QCOMPARE(name(curve), u"Power over the day"_s); // another day: the cursor gone
        QTest::keyClick(curve, Qt::Key_PageUp);
        QTest::keyClick(curve, Qt::Key_PageUp);
        QCOMPARE(historyControl(u"lblDay"_s)->text(), u"Donnerstag, 30. Mai 2024"_s);
        QVERIFY(!historyControl<QPushButton>(u"cmdPrevious"_s)->isEnabled());
        QTest::mouseClick(historyControl<QPushButton>(u"cmdNext"_s), Qt::LeftButton);
        QTest::keyClick(curve, Qt::Key_PageDown);
        QTest::keyClick(curve, Qt::Key_PageDown);
        QCOMPARE(historyControl(u"lblDay"_s)->text(), u"Samstag, 1. Juni 2024"_s);
        QVERIFY(!historyControl<QPushButton>(u"cmdNext"_s)->isEnabled());

        // Polls hand the window their readings, no file is read again; at midnight it goes on.
        QVERIFY(QFile::remove(u"palvorin_readings/2024-06.csv"_s));
        poll(u"2024-06-01T18:01:30"_s, 1500);
        QVERIFY(polled());
        QCOMPARE(historyControl(u"lblCurve"_s)->text(),
                 u"Today: 3,00 kWh, peak 500 W at 06:00\nno readings 00:00–06:00, 09:59–14:00"_s);
        poll(u"2024-06-02T00:00:30"_s, 1600);
        QVERIFY(polled());
        QCOMPARE(historyControl(u"lblCurve"_s)->text(), u"Today: 0,00 kWh, peak 480 W at 00:00"_s);
        QCOMPARE(sums()[1], u"Yesterday: 3,00 kWh"_s);
        QCOMPARE(historyControl(u"lblBar"_s)->text(),
                 u"Juni 2024: 3,0 kWh · Juni 2023: not recorded"_s);
        QCOMPARE(bytes(u"palvorin_days.csv"_s),
                 "date,energy_wh\n2024-05-30,2000\n2024-05-31,1000\n2024-06-01,3000\n");
        window->close(); // and its month of readings freed
        QTRY_VERIFY(!m_window->findChild<HistoryWindow *>());
    }

    // Every window under German: nothing it shows or tells a screen reader keeps an English word,
    // names and words both languages share aside.
    void germanThroughout()
    {
        const QSet<QString> english = shownWords(QLocale::English);
        const QList<QTranslator *> translators = InstallTranslations(QLocale(QLocale::German));
        QSet<QString> left = shownWords(QLocale::German) & english;
        for (QTranslator *translator : translators)
            QCoreApplication::removeTranslator(translator);
        // The device's user and model as it names them, units, and words German shares.
        left -= { u"admin"_s, u"PlusPlugS"_s, u"Palvorin"_s, u"Shelly"_s,  u"kWh"_s,
                  u"Wh"_s,    u"Wp"_s,        u"kWp"_s,      u"Details"_s, u"Generation"_s,
                  u"Name"_s,  u"Status"_s,    u"in"_s,       u"negative"_s };
        QVERIFY2(left.isEmpty(), qPrintable(QStringList(left.cbegin(), left.cend()).join(u' ')));
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Settings of the tests' own, never the user's.
    QTemporaryDir settings;
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    QApplication::setOrganizationName(u"Palvorin"_s);
    QApplication::setApplicationName(u"Palvorin"_s);
    TestHistory test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_history.moc"
