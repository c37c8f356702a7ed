// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include "historyview.h"
#include "notices.h"
#include "productionhistory.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>

#include <chrono>
#include <functional>
#include <optional>

struct Notice
{
    NoticeKind kind = NoticeKind::Unreachable;
    QString title;
    QString text;

    friend bool operator==(const Notice &, const Notice &) = default;
};

// When to tell the user, from the polls as they end and the plant's recorded days: the plug
// unreachable and answering again, the plant stopped in daylight, the day's yield. Each notice
// comes once an episode; which of them are shown is for the caller to choose.
class NoticeRules
{
    Q_DECLARE_TR_FUNCTIONS(NoticeRules)

public:
    using Clock = std::function<QDateTime()>;

    // Below this power (W) the plant produces nothing.
    static constexpr double IdleW = 5.0;
    // How long the plant must stay idle before it counts as stopped.
    static constexpr std::chrono::minutes IdleFor{ 30 };
    // Failed polls in a row before the plug counts as unreachable.
    static constexpr int FailuresToTell = 3;
    // Of the last RecentDays recorded days, at least MinDays must have produced to know the
    // plant's hours.
    static constexpr int RecentDays = 7;
    static constexpr int MinDays = 3;

    NoticeRules(const ProductionHistory *history, Clock clock, const QLocale &locale = QLocale());

    void SetWorth(const HistoryView::Worth &worth) { m_worth = worth; }

    // A poll could not reach the plug at `address`. Before this run reached it, that counts only
    // where it was reached in an earlier run (`reachedBefore`).
    [[nodiscard]] std::optional<Notice> PollFailed(const QString &address, const QString &reason,
                                                   bool reachedBefore);
    // The plug answered a poll, with a reading or not: a streak of failures ends. Tells it is
    // reachable again where it was told unreachable.
    [[nodiscard]] std::optional<Notice> Answered();
    // A poll gave `reading`, with the day's energy (Wh) as the tally counts it.
    [[nodiscard]] QList<Notice> ReadingTaken(const Reading &reading, double todayWh);

private:
    struct Hours
    {
        QTime start;
        QTime end;
    };
    void startDay(QDate day);
    [[nodiscard]] Notice yieldNotice(double todayWh) const;
    // "2nd", "11th", "23rd".
    [[nodiscard]] static QString ordinal(int n);

    const ProductionHistory *m_history;
    Clock m_clock;
    QLocale m_locale;
    HistoryView::Worth m_worth;

    bool m_reached = false;
    int m_failures = 0;
    QString m_failingAddress; // the streak's: failures at another address start a new one
    QDateTime m_failingSince;
    bool m_unreachableTold = false;

    QDate m_day;
    // The plant's usual hours of production, when the recorded days tell them.
    std::optional<Hours> m_hours;
    QList<Reading> m_readings; // the day's
    bool m_produced = false;
    QDateTime m_idleSince; // after production; invalid while it produces
    bool m_stoppedTold = false;
    bool m_yieldTold = false;
};
