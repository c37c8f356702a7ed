// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "historyview.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace HistoryView {

namespace {

QString translated(const char *text)
{
    return QCoreApplication::translate("HistoryView", text);
}

// Whole units below a thousand (as rounded), kilo-units with one decimal from there on.
QString scaled(double value, const QString &unit, const QLocale &locale)
{
    const double whole = std::round(value) + 0.0; // never "-0"
    if (std::abs(whole) < 1000)
        return locale.toString(whole, 'f', 0) + u' ' + unit;
    return locale.toString(value / 1000, 'f', 1) + u" k"_s + unit;
}

// "June 2024".
QString monthName(QDate date, const QLocale &locale)
{
    return locale.standaloneMonthName(date.month()) + u' ' + QString::number(date.year());
}

} // namespace

double HoursIntoDay(const QDateTime &time, const QTimeZone &zone)
{
    const QDateTime local = time.toTimeZone(zone);
    return local.date().startOfDay(zone).msecsTo(local) / 3'600'000.0;
}

double DayHours(QDate day, const QTimeZone &zone)
{
    return day.startOfDay(zone).secsTo(day.addDays(1).startOfDay(zone)) / 3600.0;
}

QList<double> ClockHours(QDate day, const QTimeZone &zone)
{
    QList<double> hours;
    for (int hour = 0; hour < 24; ++hour)
        hours.append(HoursIntoDay(QDateTime(day, QTime(hour, 0), zone), zone));
    return hours;
}

QList<QList<QPointF>> CurveSegments(const QList<Reading> &readings, const QTimeZone &zone)
{
    QList<QList<QPointF>> segments;
    for (qsizetype i = 0; i < readings.size(); ++i) {
        const QPointF point(HoursIntoDay(readings[i].time, zone), readings[i].powerW);
        if (i == 0 || readings[i - 1].time.secsTo(readings[i].time) > MaxGapSecs
            || point.x() < segments.last().last().x())
            segments.append(QList<QPointF>());
        segments.last().append(point);
    }
    return segments;
}

std::optional<Peak> DayPeak(const QList<Reading> &readings, const QTimeZone &zone)
{
    std::optional<Peak> peak;
    for (const Reading &reading : readings) {
        if (!peak || reading.powerW > peak->powerW)
            peak = Peak{ reading.time.time(), reading.powerW, HoursIntoDay(reading.time, zone) };
    }
    if (peak && std::round(peak->powerW) < 1)
        return std::nullopt;
    return peak;
}

QMap<QDate, double> AllDays(const QList<DayRecord> &days, const DayRecord &live)
{
    QMap<QDate, double> all;
    for (const DayRecord &day : days)
        all.insert(day.date, day.energyWh);
    if (live.date.isValid() && !all.contains(live.date))
        all.insert(live.date, live.energyWh);
    return all;
}

Range PeriodRange(Period period, QDate day, QDate firstRecorded, QDate today)
{
    switch (period) {
    case Period::Days: {
        const QDate first(day.year(), day.month(), 1);
        return { first, std::min(first.addMonths(1).addDays(-1), today) };
    }
    case Period::Months:
        return { QDate(day.year(), 1, 1), std::min(QDate(day.year(), 12, 31), today) };
    case Period::Years:
        break;
    }
    const QDate first = firstRecorded.isValid() ? std::min(firstRecorded, today) : today;
    return { QDate(first.year(), 1, 1), today };
}

Range YearEarlier(const Range &range)
{
    // A whole month a year back is whole too: 28 February 2025 compares with all of February 2024.
    QDate last = range.last.addYears(-1);
    if (range.last.addDays(1).day() == 1)
        last = QDate(last.year(), last.month(), 1).addMonths(1).addDays(-1);
    return { range.first.addYears(-1), last };
}

QList<Bar> PeriodBars(const QMap<QDate, double> &days, Period period, const Range &range)
{
    const auto after = [period](QDate date) {
        return period == Period::Days      ? date.addDays(1)
                : period == Period::Months ? date.addMonths(1)
                                           : date.addYears(1);
    };
    QList<Bar> bars;
    if (!range.first.isValid() || !range.last.isValid())
        return bars;
    for (QDate date = range.first; date <= range.last; date = after(date)) {
        Bar bar{ date };
        const QDate next = std::min(after(date), range.last.addDays(1));
        bar.days = int(date.daysTo(next));
        for (auto day = days.lowerBound(date); day != days.cend() && day.key() < next; ++day) {
            bar.energyWh += *day;
            ++bar.daysRecorded;
        }
        bars.append(bar);
    }
    return bars;
}

int BarIndex(const QList<Bar> &bars, Period period, QDate day)
{
    for (qsizetype i = 0; i < bars.size(); ++i) {
        const QDate date = bars[i].date;
        if (date.year() == day.year()
            && (period == Period::Years
                || (date.month() == day.month()
                    && (period == Period::Months || date.day() == day.day()))))
            return int(i);
    }
    return -1;
}

Figures PeriodFigures(const QMap<QDate, double> &days, const Range &range)
{
    Figures figures;
    figures.days = int(range.first.daysTo(range.last)) + 1;
    for (auto day = days.lowerBound(range.first); day != days.cend() && day.key() <= range.last;
         ++day) {
        figures.totalWh += *day;
        ++figures.daysRecorded;
        if (!figures.best || *day > figures.best->energyWh)
            figures.best = DayRecord{ day.key(), *day };
        if (!figures.worst || *day < figures.worst->energyWh)
            figures.worst = DayRecord{ day.key(), *day };
    }
    return figures;
}

std::optional<Reading> HighestReading(const QList<Reading> &readings)
{
    std::optional<Reading> highest;
    for (const Reading &reading : readings) {
        if (!highest || reading.powerW > highest->powerW)
            highest = reading;
    }
    return highest;
}

Sums HistorySums(const QMap<QDate, double> &days, QDate today)
{
    const auto energyOf = [&days](QDate date) -> std::optional<double> {
        const auto found = days.constFind(date);
        return found == days.cend() ? std::nullopt : std::optional(*found);
    };
    Sums sums;
    sums.today = energyOf(today);
    sums.yesterday = energyOf(today.addDays(-1));
    sums.monthDays = today.day();
    sums.yearDays = today.dayOfYear();
    for (auto day = days.cbegin(); day != days.cend(); ++day) {
        sums.all += *day;
        if (day.key() <= today && day.key().year() == today.year()) {
            sums.year += *day;
            ++sums.yearDaysRecorded;
            if (day.key().month() == today.month()) {
                sums.month += *day;
                ++sums.monthDaysRecorded;
            }
        }
        if (!sums.best || *day > sums.best->energyWh)
            sums.best = DayRecord{ day.key(), *day };
    }
    return sums;
}

QString PowerText(double watts, const QLocale &locale)
{
    return scaled(watts, u"W"_s, locale);
}

QString EnergyText(double wattHours, const QLocale &locale, Span span)
{
    const double kilowattHours = wattHours / 1000;
    const int decimals = span == Span::Day ? 2 : std::abs(kilowattHours) < 99.95 ? 1 : 0;
    const double unit = std::pow(10.0, -decimals);
    // Never "-0.00".
    const double shown = std::abs(kilowattHours) < unit / 2 ? 0.0 : kilowattHours;
    return translated("%1 kWh").arg(locale.toString(shown, 'f', decimals));
}

QString AxisKwhText(double kilowattHours, const QLocale &locale)
{
    const double rounded = std::round(kilowattHours * 100) / 100 + 0.0;
    return translated("%1 kWh").arg(locale.toString(rounded, 'f', QLocale::FloatingPointShortest));
}

QString AxisWattText(double watts, const QLocale &locale)
{
    return translated("%1 W").arg(locale.toString(std::round(watts) + 0.0, 'f', 0));
}

QString YieldText(double wattHours, double plantWp, const QLocale &locale, Span span)
{
    const QString perKwp = EnergyText(wattHours / plantWp * 1000, locale, span);
    //: A plant's yield beside its energy: " (3.14 kWh/kWp)".
    return translated(" (%1/kWp)").arg(perKwp);
}

QString RecordedText(int daysRecorded, int days)
{
    if (daysRecorded >= days)
        return {};
    return translated(", %1 of %2 days recorded").arg(daysRecorded).arg(days);
}

QString CurrencySign(const QString &currency, const QLocale &locale)
{
    return currency == locale.currencySymbol(QLocale::CurrencyIsoCode) ? locale.currencySymbol()
                                                                       : currency;
}

QString MoneyText(double amount, const QString &currency, const QLocale &locale, int decimals)
{
    return locale.toCurrencyString(amount, CurrencySign(currency, locale), decimals);
}

QString PriceText(double price, const QString &currency, const QLocale &locale)
{
    int decimals = 2;
    while (decimals < 4
           && std::abs(std::round(price * std::pow(10.0, decimals))
                       - price * std::pow(10.0, decimals))
                   > 1e-6)
        ++decimals;
    return translated("%1/kWh").arg(MoneyText(price, currency, locale, decimals));
}

QString SumText(std::optional<double> wattHours, const Worth &worth, const QLocale &locale,
                Span span, const QString &note)
{
    if (!wattHours)
        return translated("none");
    const QString energy = EnergyText(*wattHours, locale, span) + note;
    if (!(worth.pricePerKwh > 0))
        return energy;
    const QString price = PriceText(worth.pricePerKwh, worth.currency, locale);
    const double home = *wattHours * std::clamp(worth.homeShare, 0.0, 1.0);
    const double fedIn = *wattHours - home;
    const QString total = MoneyText((home * worth.pricePerKwh + fedIn * worth.feedInPerKwh) / 1000,
                                    worth.currency, locale);
    if (fedIn <= 0)
        return translated("%1, worth %2 at %3").arg(energy, total, price);
    //: "2.50 kWh, worth 0.62 €: 1.75 kWh used at home at 0.32 €/kWh, 0.75 kWh fed in at 0.08 €/kWh"
    return translated("%1, worth %2: %3 used at home at %4, %5 fed in at %6")
            .arg(energy, total, EnergyText(home, locale, span), price,
                 EnergyText(fedIn, locale, span),
                 PriceText(worth.feedInPerKwh, worth.currency, locale));
}

double GapEnergyWh(const QList<Reading> &readings)
{
    double energy = 0;
    for (qsizetype i = 1; i < readings.size(); ++i) {
        // A counter that restarted meanwhile is not guessed at.
        if (readings[i - 1].time.secsTo(readings[i].time) > NamedGapSecs)
            energy += std::max(readings[i].totalWh - readings[i - 1].totalWh, 0.0);
    }
    return energy;
}

QString GapsText(const QList<Reading> &readings, const QLocale &locale, const QTimeZone &zone)
{
    if (readings.isEmpty())
        return {};
    QStringList gaps;
    QDateTime last = readings.first().time.toTimeZone(zone).date().startOfDay(zone);
    for (const Reading &reading : readings) {
        if (last.secsTo(reading.time) > NamedGapSecs)
            gaps.append(translated("%1–%2").arg(
                    ClockText(last.toTimeZone(zone).time(), locale),
                    ClockText(reading.time.toTimeZone(zone).time(), locale)));
        last = reading.time;
    }
    return gaps.isEmpty() ? QString() : translated("no readings %1").arg(gaps.join(u", "_s));
}

QString ClockText(QTime time, const QLocale &locale)
{
    // The seconds and what stands before them: ":ss" in "HH:mm:ss".
    static const QRegularExpression seconds(u"[^A-Za-z]*s+"_s);
    return locale.toString(time, locale.timeFormat(QLocale::ShortFormat).remove(seconds));
}

QString DayName(QDate day, QDate today, const QLocale &locale)
{
    if (day == today)
        return translated("Today");
    if (day == today.addDays(-1))
        return translated("Yesterday");
    return locale.toString(day, QLocale::LongFormat);
}

QString CurveSummary(const QString &dayName, std::optional<double> wattHours,
                     const QList<Reading> &readings, const QLocale &locale)
{
    QString energy = wattHours ? EnergyText(*wattHours, locale) : translated("not recorded");
    // Shown from 0.01 kWh on; never more than the day's figure.
    if (const double unwatched = GapEnergyWh(readings); wattHours && unwatched >= 5)
        energy = translated("%1, of which %2 while no readings were taken")
                         .arg(energy, EnergyText(std::min(unwatched, *wattHours), locale));
    if (readings.isEmpty())
        return translated("%1: %2, no readings").arg(dayName, energy);
    const std::optional<Peak> peak = DayPeak(readings);
    if (!peak)
        return translated("%1: %2, no peak").arg(dayName, energy);
    return translated("%1: %2, peak %3 at %4")
            .arg(dayName, energy, PowerText(peak->powerW, locale), ClockText(peak->time, locale));
}

QString BarText(const Bar &bar, Period period, const QLocale &locale)
{
    const QString when = period == Period::Days ? locale.toString(bar.date, QLocale::LongFormat)
            : period == Period::Months          ? monthName(bar.date, locale)
                                                : QString::number(bar.date.year());
    if (!bar.recorded())
        return translated("%1: not recorded").arg(when);
    return translated("%1: %2").arg(
            when,
            EnergyText(bar.energyWh, locale, period == Period::Days ? Span::Day : Span::Period)
                    + RecordedText(bar.daysRecorded, bar.days));
}

QStringList BarLabels(const QList<Bar> &bars, Period period, const QLocale &locale)
{
    QStringList labels;
    for (const Bar &bar : bars) {
        if (period == Period::Months)
            labels.append(locale.standaloneMonthName(bar.date.month(), QLocale::ShortFormat));
        else if (period == Period::Years)
            labels.append(QString::number(bar.date.year()));
        else
            labels.append(bar.date.day() % 7 == 1 ? QString::number(bar.date.day()) : QString());
    }
    return labels;
}

QString PeriodName(Period period, const Range &range, const QLocale &locale)
{
    if (period == Period::Days)
        return monthName(range.first, locale);
    if (period == Period::Months || range.first.year() == range.last.year())
        return QString::number(range.first.year());
    return translated("%1–%2").arg(range.first.year()).arg(range.last.year());
}

QStringList FiguresText(const Figures &figures, const std::optional<Reading> &peak,
                        const QLocale &locale)
{
    QStringList lines{ translated("Total: %1")
                               .arg(EnergyText(figures.totalWh, locale, Span::Period)
                                    + RecordedText(figures.daysRecorded, figures.days)) };
    if (figures.daysRecorded == 0)
        return lines;
    const auto dated = [&locale](const char *text, const DayRecord &day) {
        return translated(text).arg(EnergyText(day.energyWh, locale),
                                    locale.toString(day.date, QLocale::LongFormat));
    };
    lines.append(translated("Average per recorded day: %1")
                         .arg(EnergyText(figures.totalWh / figures.daysRecorded, locale)));
    lines.append(dated(QT_TRANSLATE_NOOP("HistoryView", "Best day: %1 on %2"), *figures.best));
    lines.append(dated(QT_TRANSLATE_NOOP("HistoryView", "Worst day: %1 on %2"), *figures.worst));
    if (peak && std::round(peak->powerW) >= 1)
        lines.append(translated("Peak power: %1 at %2 on %3")
                             .arg(PowerText(peak->powerW, locale),
                                  ClockText(peak->time.time(), locale),
                                  locale.toString(peak->time.date(), QLocale::LongFormat)));
    return lines;
}

QString CompareText(const QMap<QDate, double> &days, Period period, const Range &range, QDate today,
                    const QLocale &locale)
{
    const Range earlier = YearEarlier(range);
    const Figures now = PeriodFigures(days, range);
    const Figures before = PeriodFigures(days, earlier);
    QString earlierName = PeriodName(period, earlier, locale);
    // A period under way is set beside the same part of the earlier one.
    const QDate next = today.addDays(1);
    if (range.last == today && (period == Period::Days ? next.day() : next.dayOfYear()) != 1)
        //: "July 2025 up to 08.07.25": the part of a period a year ago that compares with today's.
        earlierName =
                translated("%1 up to %2")
                        .arg(earlierName, locale.toString(earlier.last, QLocale::ShortFormat));
    const QString nowText = translated("%1: %2").arg(
            PeriodName(period, range, locale),
            now.daysRecorded ? EnergyText(now.totalWh, locale, Span::Period)
                             : translated("not recorded"));
    if (before.daysRecorded == 0)
        return translated("%1 · %2: not recorded").arg(nowText, earlierName);
    QString change;
    if (before.totalWh > 0) {
        const double percent = std::round((now.totalWh / before.totalWh - 1) * 100) + 0.0;
        change = translated(", %1 %").arg((percent > 0 ? locale.positiveSign() : QString())
                                          + locale.toString(percent, 'f', 0));
    }
    return translated("%1 · %2: %3%4")
            .arg(nowText, earlierName, EnergyText(before.totalWh, locale, Span::Period), change);
}

QString CopyText(const QList<Bar> &bars, Period period, const QLocale &locale)
{
    QLocale numbers = locale;
    numbers.setNumberOptions(QLocale::OmitGroupSeparator);
    const QString format = period == Period::Days ? u"yyyy-MM-dd"_s
            : period == Period::Months            ? u"yyyy-MM"_s
                                                  : u"yyyy"_s;
    QString text = translated("Date") + u'\t' + translated("Energy (kWh)") + u'\n';
    for (const Bar &bar : bars)
        text += bar.date.toString(format) + u'\t'
                + (bar.recorded() ? numbers.toString(bar.energyWh / 1000, 'f', 3) : QString())
                + u'\n';
    return text;
}

QString CursorText(const Reading &reading, const QLocale &locale, const QTimeZone &zone)
{
    //: A point of the day's curve: "12:40: 620 W".
    return translated("%1: %2").arg(ClockText(reading.time.toTimeZone(zone).time(), locale),
                                    PowerText(reading.powerW, locale));
}

} // namespace HistoryView
