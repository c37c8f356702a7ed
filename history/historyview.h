// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include "daysfile.h"
#include "readingsfile.h"

#include <QList>
#include <QLocale>
#include <QMap>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QTimeZone>

#include <optional>

// What the History window shows, worked out from the recorded days, the day the tally is still
// counting and one day's readings. Energies in Wh, powers in W.
namespace HistoryView {

// Readings further apart than this are not joined: a poll failed or the program did not run.
inline constexpr qint64 MaxGapSecs = 90;

// A day's curve is placed by the time since the day's start on the clocks of `zone`, so that the
// hour repeated when they go back is not drawn over itself.
// Hours since the start of the day of `time`: 13.5 at 13:30, 14.5 on the day the clocks go back.
[[nodiscard]] double HoursIntoDay(const QDateTime &time,
                                  const QTimeZone &zone = QTimeZone::systemTimeZone());
// The length of `day` in hours: 24, 25 when the clocks go back, 23 when they go forward.
[[nodiscard]] double DayHours(QDate day, const QTimeZone &zone = QTimeZone::systemTimeZone());
// Where each hour of the clock (0:00 to 23:00) starts, in hours since the start of `day`.
[[nodiscard]] QList<double> ClockHours(QDate day,
                                       const QTimeZone &zone = QTimeZone::systemTimeZone());

// The day's power curve: hours into the day against watts, one line for each run of readings,
// broken where they are further apart than MaxGapSecs or the clock was set back.
[[nodiscard]] QList<QList<QPointF>>
CurveSegments(const QList<Reading> &readings, const QTimeZone &zone = QTimeZone::systemTimeZone());

struct Peak
{
    QTime time;
    double powerW = 0.0;
    double hours = 0.0; // into the day

    friend bool operator==(const Peak &, const Peak &) = default;
};

// The first reading of the highest power; none when nothing was produced (no reading shows as
// 1 W or more): a "peak 0 W at 00:00" would tell nothing.
[[nodiscard]] std::optional<Peak> DayPeak(const QList<Reading> &readings,
                                          const QTimeZone &zone = QTimeZone::systemTimeZone());

// The recorded days by date, with `live`, the day the tally is still counting, where no record
// of its date is (an older state file's figure never hides a recorded row; an invalid date adds
// nothing).
[[nodiscard]] QMap<QDate, double> AllDays(const QList<DayRecord> &days, const DayRecord &live);

// A bar of a chart: a day's energy or a month's (dated on its first day); not recorded when no
// day of it is.
struct Bar
{
    QDate date;
    double energyWh = 0.0;
    bool recorded = false;

    friend bool operator==(const Bar &, const Bar &) = default;
};

// One bar a day for the `count` days up to `today`.
[[nodiscard]] QList<Bar> DayBars(const QMap<QDate, double> &days, QDate today, int count = 31);
// One bar a month for the `count` months up to today's, each the sum of its days.
[[nodiscard]] QList<Bar> MonthBars(const QMap<QDate, double> &days, QDate today, int count = 12);

struct Sums
{
    std::optional<double> today;
    std::optional<double> yesterday;
    double month = 0.0; // this month up to today
    double year = 0.0; // this year up to today
    double all = 0.0;
    std::optional<DayRecord> best; // the first of the best days

    friend bool operator==(const Sums &, const Sums &) = default;
};

[[nodiscard]] Sums HistorySums(const QMap<QDate, double> &days, QDate today);

// "620 W", "1.2 kW": the unit scaled, the number as the locale writes it.
[[nodiscard]] QString PowerText(double watts, const QLocale &locale);
// "850 Wh", "1.2 kWh".
[[nodiscard]] QString EnergyText(double wattHours, const QLocale &locale);
// An energy and, with a price per kWh, its worth in the locale's currency: "1.2 kWh (0,36 €)";
// "none" without an energy.
[[nodiscard]] QString SumText(std::optional<double> wattHours, std::optional<double> pricePerKwh,
                              const QLocale &locale);

// The time of day in the locale's short format without seconds: "12:40", "12:40 PM".
[[nodiscard]] QString ClockText(QTime time, const QLocale &locale);
// "Today", "Yesterday", or the date in full.
[[nodiscard]] QString DayName(QDate day, QDate today, const QLocale &locale);
// What the curve of a day with `readings` shows: "Today: 1.2 kWh, peak 620 W at 12:40".
[[nodiscard]] QString CurveSummary(const QString &dayName, std::optional<double> wattHours,
                                   const QList<Reading> &readings, const QLocale &locale);
// A bar's date and value: "Saturday, 1 June 2024: 1.2 kWh", "June 2024: 35.2 kWh".
[[nodiscard]] QString BarText(const Bar &bar, bool month, const QLocale &locale);
// The labels under the bars: each month's short name; the day of the month under the last day's
// bar and every seventh before it, nothing under the others.
[[nodiscard]] QStringList BarLabels(const QList<Bar> &bars, bool months, const QLocale &locale);

} // namespace HistoryView
