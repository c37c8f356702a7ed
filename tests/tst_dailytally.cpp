#include "dailytally.h"

#include <QTest>

namespace {
const QDate Today(2024, 6, 1);
const QDate Tomorrow = Today.addDays(1);
const QString TodayKey = QStringLiteral("2024-06-01");
} // namespace

struct Reading
{
    QDate day;
    double totalWh;
};

class TestDailyTally : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void counts_data();
    void counts();
};

void TestDailyTally::counts_data()
{
    QTest::addColumn<DailyTally>("start");
    QTest::addColumn<QList<Reading>>("readings");
    QTest::addColumn<DailyTally>("expected");

    const DailyTally reset;
    const DailyTally restored{TodayKey, 1000, true, 12};

    QTest::newRow("first reading sets the baseline")
        << reset << QList<Reading>{{Today, 1000}} << DailyTally{TodayKey, 1000, true, 0};
    QTest::newRow("increase on the same day")
        << reset << QList<Reading>{{Today, 1000}, {Today, 1003.5}} << DailyTally{TodayKey, 1003.5, true, 3.5};
    QTest::newRow("unchanged reading adds nothing")
        << restored << QList<Reading>{{Today, 1000}} << DailyTally{TodayKey, 1000, true, 12};
    QTest::newRow("restart on the same day counts the gap")
        << restored << QList<Reading>{{Today, 1010}} << DailyTally{TodayKey, 1010, true, 22};
    QTest::newRow("restored without a reading adds nothing")
        << DailyTally{TodayKey, 1000, false, 12} << QList<Reading>{{Today, 1010}}
        << DailyTally{TodayKey, 1010, true, 12};
    QTest::newRow("yesterday's sum is dropped")
        << DailyTally{QStringLiteral("2024-05-31"), 900, true, 50} << QList<Reading>{{Today, 1000}}
        << DailyTally{TodayKey, 1000, true, 0};
    QTest::newRow("midnight gap counted in neither day")
        << reset << QList<Reading>{{Today, 1000}, {Today, 1010}, {Tomorrow, 1020}, {Tomorrow, 1021}}
        << DailyTally{QStringLiteral("2024-06-02"), 1021, true, 1};
    QTest::newRow("counter restarted")
        << DailyTally{TodayKey, 500, true, 40} << QList<Reading>{{Today, 3}} << DailyTally{TodayKey, 3, true, 43};
    QTest::newRow("counter restarted to zero then climbs")
        << DailyTally{TodayKey, 500, true, 40} << QList<Reading>{{Today, 0}, {Today, 10}}
        << DailyTally{TodayKey, 10, true, 50};
    QTest::newRow("small step back keeps the higher reading")
        << DailyTally{TodayKey, 544587.493, true, 40}
        << QList<Reading>{{Today, 544587.0}, {Today, 544587.493}, {Today, 544588.5}}
        << DailyTally{TodayKey, 544588.5, true, 41.007};
    QTest::newRow("step back to exactly 90 percent is not a restart")
        << DailyTally{TodayKey, 1000, true, 5} << QList<Reading>{{Today, 900}} << DailyTally{TodayKey, 1000, true, 5};
}

void TestDailyTally::counts()
{
    QFETCH(DailyTally, start);
    QFETCH(QList<Reading>, readings);
    QFETCH(DailyTally, expected);

    DailyTally tally = start;
    for (const Reading &reading : readings) {
        const DailyTally before = tally;
        UpdateDaily(tally, reading.totalWh, reading.day);
        QVERIFY2(tally.todayWh >= before.todayWh || tally.currentDay != before.currentDay,
                 "the day's sum went down");
    }
    // Sums of decimal fractions differ from the literal in the last bits.
    QCOMPARE(tally.currentDay, expected.currentDay);
    QCOMPARE(tally.lastTotalWh, expected.lastTotalWh);
    QCOMPARE(tally.haveLastTotal, expected.haveLastTotal);
    QVERIFY2(qAbs(tally.todayWh - expected.todayWh) < 1e-6,
             qPrintable(QStringLiteral("today %1, expected %2").arg(tally.todayWh).arg(expected.todayWh)));
}

QTEST_GUILESS_MAIN(TestDailyTally)
#include "tst_dailytally.moc"
