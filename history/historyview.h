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
// Readings further apart than this are named as a gap under the curve.
inline constexpr qint64 NamedGapSecs = 600;

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

// A bar of a chart: a day's energy or a month's (dated on its first day), and how many of its days
// (up to today) are recorded; not recorded when none is.
struct Bar
{
    QDate date;
    double energyWh = 0.0;
    int daysRecorded = 0;
    int days = 1;

    [[nodiscard]] bool recorded() const { return daysRecorded > 0; }
    friend bool operator==(const Bar &, const Bar &) = default;
};

// What the bars show: the days of a month, the months of a year, or every recorded year.
enum class Period { Days, Months, Years };

// The days a period covers, both included.
struct Range
{
    QDate first;
    QDate last;

    friend bool operator==(const Range &, const Range &) = default;
};

// The period of `period` that holds `day`, up to `today` at most: Days its month, Months its
// year, Years each year from the year of `firstRecorded` (today's when none is) on.
[[nodiscard]] Range PeriodRange(Period period, QDate day, QDate firstRecorded, QDate today);
// The same days a year earlier; 29 February as the 28th.
[[nodiscard]] Range YearEarlier(const Range &range);
// One bar for each day, month or year of `range`, each the sum of its days up to `range.last`.
[[nodiscard]] QList<Bar> PeriodBars(const QMap<QDate, double> &days, Period period,
                                    const Range &range);
// The bar of `period` that holds `day`, -1 when none does.
[[nodiscard]] int BarIndex(const QList<Bar> &bars, Period period, QDate day);

// A period's figures from its recorded days.
struct Figures
{
    double totalWh = 0.0;
    int daysRecorded = 0;
    int days = 0;
    std::optional<DayRecord> best; // the first of the best days
    std::optional<DayRecord> worst; // the first of the worst

    friend bool operator==(const Figures &, const Figures &) = default;
};
[[nodiscard]] Figures PeriodFigures(const QMap<QDate, double> &days, const Range &range);
// The first reading of the highest power among `readings`, none among none.
[[nodiscard]] std::optional<Reading> HighestReading(const QList<Reading> &readings);

// "July 2026", "2026", "2016–2026".
[[nodiscard]] QString PeriodName(Period period, const Range &range, const QLocale &locale);
// The lines that tell a period's figures: its total with the days recorded, the average per
// recorded day, the best and the worst day, and the peak power when known.
[[nodiscard]] QStringList FiguresText(const Figures &figures, const std::optional<Reading> &peak,
                                      const QLocale &locale);
// "July 2026: 127.1 kWh · July 2025: 113.5 kWh, +12 %": the period beside the same days a year
// earlier, a period under way beside the same part of it.
[[nodiscard]] QString CompareText(const QMap<QDate, double> &days, Period period,
                                  const Range &range, QDate today, const QLocale &locale);
// The bars as tab-separated lines, a header first, for a spreadsheet to paste into columns: the
// date, month or year, and the energy in kWh as the locale writes numbers (none when not
// recorded).
[[nodiscard]] QString CopyText(const QList<Bar> &bars, Period period, const QLocale &locale);
// The time of `reading` and its power: "12:40: 620 W".
[[nodiscard]] QString CursorText(const Reading &reading, const QLocale &locale,
                                 const QTimeZone &zone = QTimeZone::systemTimeZone());

struct Sums
{
    std::optional<double> today;
    std::optional<double> yesterday;
    double month = 0.0; // this month up to today
    double year = 0.0; // this year up to today
    double all = 0.0;
    std::optional<DayRecord> best; // the first of the best days
    // Of the days of this month and this year up to today, how many are recorded.
    int monthDaysRecorded = 0;
    int monthDays = 0;
    int yearDaysRecorded = 0;
    int yearDays = 0;

    friend bool operator==(const Sums &, const Sums &) = default;
};

[[nodiscard]] Sums HistorySums(const QMap<QDate, double> &days, QDate today);

// "620 W", "1.2 kW": the unit scaled, the number as the locale writes it.
[[nodiscard]] QString PowerText(double watts, const QLocale &locale);

// Energies in History are all in kWh: a day's with two decimals, a longer period's with one, or
// none from 100 kWh on.
enum class Span { Day, Period };
// "0.85 kWh", "56.2 kWh", "847 kWh".
[[nodiscard]] QString EnergyText(double wattHours, const QLocale &locale, Span span = Span::Day);
// An axis label: "0 kWh", "0.5 kWh", "150 kWh", as exact as the axis' steps (0.01 at least) and no
// more: never "1.0".
[[nodiscard]] QString AxisKwhText(double kilowattHours, const QLocale &locale);
// A power axis' label, in W alone: "1.0 kW" beside "500 W" would read as two scales.
[[nodiscard]] QString AxisWattText(double watts, const QLocale &locale);
// " (3.14 kWh/kWp)": the energy a plant of `plantWp` gave for each kWp of its size, as exact as
// EnergyText() gives the energy.
[[nodiscard]] QString YieldText(double wattHours, double plantWp, const QLocale &locale, Span span);
// ", 24 of 31 days recorded"; nothing when all are.
[[nodiscard]] QString RecordedText(int daysRecorded, int days);

// What energy is worth: the share used at home at the price paid for a kWh, the rest at the price
// paid for a kWh fed in; prices in `currency` (an ISO 4217 code).
struct Worth
{
    double pricePerKwh = 0.0; // none when 0
    QString currency;
    double homeShare = 1.0; // 0 to 1
    double feedInPerKwh = 0.0;
};
// The sign `locale` writes for `currency`: its symbol where it is the locale's own currency, the
// code elsewhere (a "$" could be any dollar).
[[nodiscard]] QString CurrencySign(const QString &currency, const QLocale &locale);
// "1,000.00 €" as `locale` writes its money, with CurrencySign().
[[nodiscard]] QString MoneyText(double amount, const QString &currency, const QLocale &locale,
                                int decimals = 2);
// A price with the decimals it was given, at least two: "0.3125 €/kWh".
[[nodiscard]] QString PriceText(double price, const QString &currency, const QLocale &locale);
// An energy, `note` (RecordedText()) and, with a price, what the energy is worth: "2.50 kWh, worth
// 0.80 € at 0.32 €/kWh", with the split where only a share is used at home; "none" without an
// energy.
[[nodiscard]] QString SumText(std::optional<double> wattHours, const Worth &worth,
                              const QLocale &locale, Span span = Span::Day,
                              const QString &note = QString());

// The time of day in the locale's short format without seconds: "12:40", "12:40 PM".
[[nodiscard]] QString ClockText(QTime time, const QLocale &locale);
// "Today", "Yesterday", or the date in full.
[[nodiscard]] QString DayName(QDate day, QDate today, const QLocale &locale);
// The energy the counter gained across gaps in `readings` longer than NamedGapSecs: the energy
// counted at the first reading after Palvorin was closed, or could not reach the device.
[[nodiscard]] double GapEnergyWh(const QList<Reading> &readings);
// "no readings 00:00–06:12, 10:12–13:47": the stretches of more than NamedGapSecs without a
// reading, from the start of the day on; nothing when there are none, or no readings at all.
[[nodiscard]] QString GapsText(const QList<Reading> &readings, const QLocale &locale,
                               const QTimeZone &zone = QTimeZone::systemTimeZone());
// What the curve of a day with `readings` shows: "Today: 1.20 kWh, peak 620 W at 12:40",
// "Today: 2.20 kWh, of which 1.90 kWh while no readings were taken, peak …".
[[nodiscard]] QString CurveSummary(const QString &dayName, std::optional<double> wattHours,
                                   const QList<Reading> &readings, const QLocale &locale);
// A bar's date and value: "Saturday, 1 June 2024: 1.20 kWh", "June 2024: 35.2 kWh, 24 of 30 days
// recorded", "2024: 796.7 kWh".
[[nodiscard]] QString BarText(const Bar &bar, Period period, const QLocale &locale);
// The labels under the bars: each month's short name, each year; the day of the month under the
// first day's bar and every seventh after it, nothing under the others.
[[nodiscard]] QStringList BarLabels(const QList<Bar> &bars, Period period, const QLocale &locale);

} // namespace HistoryView
