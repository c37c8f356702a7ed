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

QList<Bar> DayBars(const QMap<QDate, double> &days, QDate today, int count)
{
    QList<Bar> bars;
    for (int back = count - 1; back >= 0; --back) {
        const QDate date = today.addDays(-back);
        const auto found = days.constFind(date);
        const bool recorded = found != days.cend();
        bars.append({ date, recorded ? *found : 0.0, int(recorded) });
    }
    return bars;
}

QList<Bar> MonthBars(const QMap<QDate, double> &days, QDate today, int count)
{
    const QDate thisMonth(today.year(), today.month(), 1);
    QList<Bar> bars;
    for (int back = count - 1; back >= 0; --back) {
        Bar bar{ thisMonth.addMonths(-back) };
        const QDate next = bar.date.addMonths(1);
        bar.days = int(bar.date.daysTo(std::min(next, today.addDays(1))));
        for (auto day = days.lowerBound(bar.date);
             day != days.cend() && day.key() < next && day.key() <= today; ++day) {
            bar.energyWh += *day;
            ++bar.daysRecorded;
        }
        bars.append(bar);
    }
    return bars;
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

QString BarText(const Bar &bar, bool month, const QLocale &locale)
{
    const QString when = month
            ? locale.standaloneMonthName(bar.date.month()) + u' ' + QString::number(bar.date.year())
            : locale.toString(bar.date, QLocale::LongFormat);
    if (!bar.recorded())
        return when + u": "_s + translated("not recorded");
    return when + u": "_s + EnergyText(bar.energyWh, locale, month ? Span::Period : Span::Day)
            + RecordedText(bar.daysRecorded, bar.days);
}

QStringList BarLabels(const QList<Bar> &bars, bool months, const QLocale &locale)
{
    QStringList labels;
    for (qsizetype i = 0; i < bars.size(); ++i) {
        if (months)
            labels.append(locale.standaloneMonthName(bars[i].date.month(), QLocale::ShortFormat));
        else
            labels.append((bars.size() - 1 - i) % 7 == 0 ? QString::number(bars[i].date.day())
                                                         : QString());
    }
    return labels;
}

} // namespace HistoryView
