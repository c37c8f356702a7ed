// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "noticerules.h"

#include <algorithm>

using namespace std::chrono_literals;

namespace {

// The middle of `seconds` into the day (not empty), as a time of day.
QTime median(QList<int> seconds)
{
    std::sort(seconds.begin(), seconds.end());
    return QTime(0, 0).addSecs(seconds.at(seconds.size() / 2));
}

} // namespace

NoticeRules::NoticeRules(const ProductionHistory *history, Clock clock, const QLocale &locale)
    : m_history(history), m_clock(std::move(clock)), m_locale(locale)
{
}

std::optional<Notice> NoticeRules::PollFailed(const QString &address, const QString &reason,
                                              bool reachedBefore)
{
    if (!m_reached && !reachedBefore)
        return std::nullopt;
    if (address != std::exchange(m_failingAddress, address))
        m_failures = 0;
    if (m_failures++ == 0)
        m_failingSince = m_clock();
    if (m_failures < FailuresToTell || std::exchange(m_unreachableTold, true))
        return std::nullopt;
    return Notice{ NoticeKind::Unreachable, tr("Plug unreachable"),
                   tr("Palvorin cannot reach the plug at %1 since %2 (%3)")
                           .arg(address, HistoryView::ClockText(m_failingSince.time(), m_locale),
                                reason) };
}

std::optional<Notice> NoticeRules::Answered()
{
    m_reached = true;
    m_failures = 0;
    if (!std::exchange(m_unreachableTold, false))
        return std::nullopt;
    const qint64 minutes = m_failingSince.secsTo(m_clock()) / 60;
    return Notice{ NoticeKind::Unreachable, tr("Plug reachable again"),
                   tr("The plug answers again after %n min; the energy of the meantime is counted",
                      nullptr, int(minutes)) };
}

QList<Notice> NoticeRules::ReadingTaken(const Reading &reading, double todayWh)
{
    QList<Notice> notices;
    const QDateTime now = m_clock();
    if (const std::optional<Notice> again = Answered())
        notices << *again;

    if (now.date() != m_day)
        startDay(now.date());
    m_readings << reading;
    if (reading.powerW >= IdleW) {
        m_produced = true;
        m_idleSince = QDateTime();
        return notices;
    }
    if (!m_produced)
        return notices;
    if (!m_idleSince.isValid())
        m_idleSince = reading.time;

    // Idle for IdleFor entirely within the hours the plant should produce: from an hour after
    // its usual start (no dawn) to an hour before its usual end (no dusk).
    const QTime time = now.time();
    if (m_hours && time <= m_hours->end.addSecs(-3600)) {
        const QDateTime from =
                std::max(m_idleSince, QDateTime(m_day, m_hours->start.addSecs(3600)));
        if (from.secsTo(now) >= std::chrono::seconds(IdleFor).count()
            && !std::exchange(m_stoppedTold, true)) {
            notices << Notice{ NoticeKind::Stopped, tr("Production stopped"),
                               tr("The plant has produced nothing since %1, in daylight: on "
                                  "recent days it produced until about %2.")
                                       .arg(HistoryView::ClockText(m_idleSince.time(), m_locale),
                                            HistoryView::ClockText(m_hours->end, m_locale)) };
        }
        return notices;
    }
    // Production has ended for the day: past the plant's hours, or, where they are not known,
    // idle long enough not to be a passing cloud.
    const qint64 idle = m_idleSince.secsTo(now);
    const bool ended = m_hours ? idle >= std::chrono::seconds(IdleFor).count()
                               : idle >= std::chrono::seconds(4 * IdleFor).count();
    if (ended && !std::exchange(m_yieldTold, true))
        notices << yieldNotice(todayWh);
    return notices;
}

void NoticeRules::startDay(QDate day)
{
    m_day = day;
    m_readings.clear();
    m_produced = false;
    m_idleSince = QDateTime();
    m_stoppedTold = false;
    m_yieldTold = false;
    m_hours.reset();

    QList<int> starts;
    QList<int> ends;
    const QList<DayRecord> &days = m_history->days();
    for (qsizetype i = std::max<qsizetype>(0, days.size() - RecentDays); i < days.size(); ++i) {
        std::optional<QTime> first;
        QTime last;
        for (const Reading &reading :
             ReadingsFile::LoadDay(m_history->readingsFolder(), days.at(i).date)) {
            if (reading.powerW < IdleW)
                continue;
            if (!first)
                first = reading.time.time();
            last = reading.time.time();
        }
        if (first) {
            starts << QTime(0, 0).secsTo(*first);
            ends << QTime(0, 0).secsTo(last);
        }
    }
    if (starts.size() >= MinDays)
        m_hours = Hours{ median(starts), median(ends) };
}

Notice NoticeRules::yieldNotice(double todayWh) const
{
    const QString energy = HistoryView::SumText(todayWh, m_worth, m_locale);
    const std::optional<HistoryView::Peak> peak = HistoryView::DayPeak(m_readings);
    const QString power = HistoryView::PowerText(peak ? peak->powerW : 0, m_locale);
    const QString time = peak ? HistoryView::ClockText(peak->time, m_locale) : QString();
    int better = 0;
    int others = 0;
    for (const DayRecord &day : m_history->days()) {
        if (day.date.year() != m_day.year() || day.date.month() != m_day.month()
            || day.date >= m_day)
            continue;
        ++others;
        if (day.energyWh > todayWh)
            ++better;
    }
    QString text;
    if (others == 0) {
        text = tr("Today: %1, peak %2 at %3").arg(energy, power, time);
    } else if (better == 0) {
        text = tr("Today: %1, peak %2 at %3 — the best day this month").arg(energy, power, time);
    } else {
        //: %4 is the day's place among the month's days: "the 2nd best day this month"
        text = tr("Today: %1, peak %2 at %3 — the %4 best day this month")
                       .arg(energy, power, time, ordinal(better + 1));
    }
    return Notice{ NoticeKind::Yield, tr("Today's production"), text };
}

QString NoticeRules::ordinal(int n)
{
    const bool teen = n % 100 >= 11 && n % 100 <= 13;
    if (n % 10 == 1 && !teen)
        return tr("%1st").arg(n);
    if (n % 10 == 2 && !teen)
        return tr("%1nd").arg(n);
    if (n % 10 == 3 && !teen)
        return tr("%1rd").arg(n);
    return tr("%1th").arg(n);
}
