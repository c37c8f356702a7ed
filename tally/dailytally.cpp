// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "dailytally.h"

#include <QDebug>

using namespace Qt::StringLiterals;

namespace {

// Below this share of the last reading the counter is taken to have
// restarted from zero. Devices step back by up to about 1 Wh after a reboot;
// a real restart drops the counter to nearly nothing.
constexpr double RestartShare = 0.9;

// Far above what a metered switch carries: a counter that climbs faster
// than this was not counting energy.
constexpr double MaxPowerW = 10000;

} // namespace

QDebug operator<<(QDebug debug, const DailyTally &tally)
{
    const QDebugStateSaver saver(debug);
    debug.nospace() << "DailyTally(" << tally.currentDay << ", last " << tally.lastTotalWh
                    << (tally.haveLastTotal ? " Wh" : " Wh (none)") << ", today " << tally.todayWh
                    << " Wh, from " << tally.device << ", unrecorded " << tally.unrecorded << ")";
    return debug;
}

QDebug operator<<(QDebug debug, const DayRecord &record)
{
    const QDebugStateSaver saver(debug);
    debug.nospace() << "DayRecord(" << record.date.toString(Qt::ISODate) << ", " << record.energyWh
                    << " Wh)";
    return debug;
}

QString DayKey(QDate date)
{
    return date.toString(u"yyyy-MM-dd"_s);
}

void UpdateDaily(DailyTally &tally, std::optional<CounterDrop> &drop, double totalWh,
                 const QDateTime &at)
{
    QDate day = QDate::fromString(tally.currentDay, u"yyyy-MM-dd");
    // More than a day behind the day under way, the clock that dated that day ran ahead: its
    // energy is this day's, and no day still to come is ever recorded.
    if (day.isValid() && at.date() < day.addDays(-1)) {
        day = at.date();
        tally.currentDay = DayKey(day);
    }
    if (!day.isValid() || at.date() > day) {
        QList<DayRecord> unrecorded = std::move(tally.unrecorded);
        if (day.isValid())
            unrecorded.append({ day, tally.todayWh });
        tally = DailyTally{ DayKey(at.date()), totalWh, true, 0.0, {}, std::move(unrecorded) };
        drop.reset();
        return;
    }

    if (drop && totalWh >= RestartShare * drop->markWh
        && totalWh - drop->fallenToWh > MaxPowerW * double(drop->fallenAt.secsTo(at)) / 3600) {
        // The counter never restarted: the fall was a glitch of the meter.
        tally.todayWh -= drop->countedWh;
        tally.lastTotalWh = drop->markWh;
        drop.reset();
    }

    const double todayBefore = tally.todayWh;
    if (!tally.haveLastTotal) {
        tally.lastTotalWh = totalWh;
        tally.haveLastTotal = true;
    } else if (totalWh >= tally.lastTotalWh) {
        tally.todayWh += totalWh - tally.lastTotalWh;
        tally.lastTotalWh = totalWh;
    } else if (totalWh < RestartShare * tally.lastTotalWh) {
        drop = CounterDrop{ tally.lastTotalWh, totalWh, at, 0.0 };
        tally.todayWh += totalWh;
        tally.lastTotalWh = totalWh;
    }
    // Otherwise a small step back: keep the higher reading, so the climb
    // back to it is not counted twice.
    if (drop)
        drop->countedWh += tally.todayWh - todayBefore;
}
