// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "noticerules.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <numbers>

using namespace Qt::StringLiterals;

namespace {

const QDate Today(2026, 6, 15);

// The plant's power (W) at `time` on a day of `weather`: a clear sky gives 600 W at noon and
// light from 7:00 to 17:00.
double power(const QString &weather, QTime time)
{
    const double hours = QTime(0, 0).secsTo(time) / 3600.0;
    const double sun =
            hours > 7 && hours < 17 ? 600 * std::sin(std::numbers::pi * (hours - 7) / 10) : 0;
    if (weather == u"cloudy")
        return sun * (0.3 + 0.15 * std::sin(hours * 40));
    if (weather == u"snowy")
        return sun * 0.008;
    if (weather == u"fog after first light")
        return time >= QTime(7, 20) && time < QTime(8, 20) ? 3 : sun;
    if (weather == u"clouds before dusk")
        return time < QTime(15, 45) ? sun : 3;
    if (weather == u"stops at 13:10")
        return time < QTime(13, 10) ? sun : 0;
    return sun;
}

// The day's yield told at `at`: "3.82 kWh, peak 600 W at 12:00", the "2nd" best day.
QString yieldAt(const QString &at, const QString &figures, const QString &rank)
{
    return u"%1 Today's production: Today: %2 — the %3 best day this month"_s.arg(at, figures,
                                                                                  rank);
}

} // namespace

// The notices a day of readings a minute apart calls for, after recorded days of clear sky.
class TestNotices : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rules_data()
    {
        QTest::addColumn<QString>("weather");
        QTest::addColumn<int>("recordedDays");
        QTest::addColumn<QTime>("dropFrom"); // the first of the polls that fail
        QTest::addColumn<int>("dropPolls");
        QTest::addColumn<bool>("reachedBefore"); // the address, in an earlier run
        QTest::addColumn<double>("price");
        QTest::addColumn<QStringList>("expected");
        const QTime none;
        const QString sunny = yieldAt(u"17:29"_s, u"3.82 kWh, peak 600 W at 12:00"_s, u"2nd"_s);
        QTest::newRow("sunny, price set")
                << u"sunny"_s << 7 << none << 0 << true << 0.3
                << QStringList{ yieldAt(
                           u"17:29"_s, u"3.82 kWh, worth €1.15 at €0.30/kWh, peak 600 W at 12:00"_s,
                           u"2nd"_s) };
        QTest::newRow("cloudy") << u"cloudy"_s << 7 << none << 0 << true << 0.0
                                << QStringList{ yieldAt(u"17:24"_s,
                                                        u"1.15 kWh, peak 270 W at 12:08"_s,
                                                        u"8th"_s) };
        QTest::newRow("snowy from morning")
                << u"snowy"_s << 7 << none << 0 << true << 0.0 << QStringList{};
        QTest::newRow("fog after first light")
                << u"fog after first light"_s << 7 << none << 0 << true << 0.0
                << QStringList{ yieldAt(u"17:29"_s, u"3.67 kWh, peak 600 W at 12:00"_s, u"2nd"_s) };
        QTest::newRow("clouds before dusk")
                << u"clouds before dusk"_s << 7 << none << 0 << true << 0.0
                << QStringList{ yieldAt(u"16:15"_s, u"3.67 kWh, peak 600 W at 12:00"_s, u"2nd"_s) };
        QTest::newRow("stops at 13:10")
                << u"stops at 13:10"_s << 7 << none << 0 << true << 0.0
                << QStringList{
                       u"13:40 Production stopped: The plant has produced nothing since 13:10, in daylight: on recent days it produced until about 16:58."_s,
                       yieldAt(u"15:59"_s, u"2.59 kWh, peak 600 W at 12:00"_s, u"7th"_s)
                   };
        QTest::newRow("stops, too few days")
                << u"stops at 13:10"_s << 2 << none << 0 << true << 0.0
                << QStringList{ yieldAt(u"15:10"_s, u"2.59 kWh, peak 600 W at 12:00"_s, u"3rd"_s) };
        QTest::newRow("off for 2 polls")
                << u"sunny"_s << 7 << QTime(10, 2) << 2 << true << 0.0 << QStringList{ sunny };
        QTest::newRow("off for 47 min")
                << u"sunny"_s << 7 << QTime(10, 2) << 47 << true << 0.0
                << QStringList{
                       u"10:04 Plug unreachable: Palvorin cannot reach the plug at 192.168.1.60 since 10:02 (Network unreachable)"_s,
                       u"10:49 Plug reachable again: The plug answers again after 47 min; the energy of the meantime is counted"_s,
                       sunny
                   };
        QTest::newRow("never reached at start")
                << u"sunny"_s << 7 << QTime(5, 0) << 10 << false << 0.0 << QStringList{ sunny };
        QTest::newRow("reached in an earlier run")
                << u"sunny"_s << 7 << QTime(5, 0) << 10 << true << 0.0
                << QStringList{
                       u"05:02 Plug unreachable: Palvorin cannot reach the plug at 192.168.1.60 since 05:00 (Network unreachable)"_s,
                       u"05:10 Plug reachable again: The plug answers again after 10 min; the energy of the meantime is counted"_s,
                       sunny
                   };
    }
    void rules()
    {
        QFETCH(QString, weather);
        QFETCH(int, recordedDays);
        QFETCH(QTime, dropFrom);
        QFETCH(int, dropPolls);
        QFETCH(bool, reachedBefore);
        QFETCH(double, price);

        const QTemporaryDir dir;
        ProductionHistory history(dir.path());
        QVERIFY(history.Load().isEmpty());
        const double energies[] = { 3000, 4100, 2500, 3200, 2800, 3600, 3300 };
        QList<DayRecord> days;
        QByteArray lines;
        for (int i = 0; i < recordedDays; ++i) {
            const QDate day = Today.addDays(i - recordedDays);
            days << DayRecord{ day, energies[i] };
            for (QTime at(5, 0); at < QTime(21, 0); at = at.addSecs(60))
                lines += ReadingsFile::FormatReading({ QDateTime(day, at), power(u"sunny"_s, at) });
        }
        QVERIFY(history.Record(days).isEmpty());
        QFile month(QDir(history.readingsFolder()).filePath(ReadingsFile::MonthFileName(Today)));
        QVERIFY(QDir().mkpath(history.readingsFolder()) && month.open(QIODevice::WriteOnly));
        QCOMPARE(month.write(lines), lines.size());
        month.close();

        QDateTime now;
        NoticeRules rules(
                &history, [&now] { return now; }, QLocale(QLocale::English, QLocale::Ireland));
        rules.SetWorth({ price, u"EUR"_s });
        QStringList notices;
        const auto add = [&](const Notice &notice) {
            notices << now.toString(u"HH:mm "_s) + notice.title + u": "_s + notice.text;
        };
        double todayWh = 0;
        for (QTime at(5, 0); at < QTime(21, 0); at = at.addSecs(60)) {
            now = QDateTime(Today, at);
            todayWh += power(weather, at) / 60;
            const qint64 intoDrop = dropFrom.isValid() ? dropFrom.secsTo(at) / 60 : -1;
            if (intoDrop >= 0 && intoDrop < dropPolls) {
                if (auto notice = rules.PollFailed(u"192.168.1.60"_s, u"Network unreachable"_s,
                                                   reachedBefore))
                    add(*notice);
                continue;
            }
            for (const Notice &notice :
                 rules.ReadingTaken({ now, power(weather, at), todayWh }, todayWh))
                add(notice);
        }
        QTEST(notices, "expected");
    }
    // A poll the plug answered, though without a reading, ends a streak of failures, as does
    // another address.
    void streakEnds()
    {
        const QTemporaryDir dir;
        ProductionHistory history(dir.path());
        NoticeRules rules(&history, [] { return QDateTime(Today, QTime(10, 0)); });
        const auto fail = [&rules](const QString &address) {
            return rules.PollFailed(address, u"Network unreachable"_s, true).has_value();
        };
        QVERIFY(!fail(u"a"_s) && !fail(u"a"_s) && !rules.Answered());
        QVERIFY(!fail(u"a"_s) && !fail(u"a"_s) && !fail(u"b"_s) && !fail(u"b"_s));
        QVERIFY(fail(u"b"_s) && rules.Answered());
    }
};

QTEST_GUILESS_MAIN(TestNotices)
#include "tst_notices.moc"
