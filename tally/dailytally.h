// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

class QDebug;

// One finished local day and the energy the tally counted for it, in Wh.
struct DayRecord
{
    QDate date;
    double energyWh = 0.0;

    friend bool operator==(const DayRecord &, const DayRecord &) = default;
};

QDebug operator<<(QDebug debug, const DayRecord &record);

// The energy counted for one local day, built from the device's running
// counter. Energies are in watt-hours.
struct DailyTally
{
    QString currentDay; // "yyyy-MM-dd", empty before the first reading
    double lastTotalWh = 0.0; // the counter reading the next increase starts from
    bool haveLastTotal = false;
    double todayWh = 0.0;
    // The host and port of the device the last reading came from; empty when not known (a state
    // file of an earlier version).
    QString device = {};
    // The days this tally finished that the days file does not hold yet, oldest first: kept with
    // the tally so that no crash loses them.
    QList<DayRecord> unrecorded = {};

    friend bool operator==(const DailyTally &, const DailyTally &) = default;
};

QDebug operator<<(QDebug debug, const DailyTally &tally);

// A fall of the counter below the restart share, remembered in memory only until the day ends or
// the counter comes back: the reading it fell from, the first reading after the fall and when it
// was taken, and the energy counted for the day since.
struct CounterDrop
{
    double markWh = 0.0;
    double fallenToWh = 0.0;
    QDateTime fallenAt;
    double countedWh = 0.0;
};

// The day key of `date`: "yyyy-MM-dd", compared as text.
[[nodiscard]] QString DayKey(QDate date);

// Folds the counter reading `totalWh`, taken at `at`, into the tally.
// The first reading of a later day only sets the baseline, and the day
// finished goes to `unrecorded`. A reading dated before the tally's day (a
// clock set back) counts into the tally's day: a day ends only once; more
// than a day before it, the tally's day came from a clock that ran ahead, and
// the tally counts on, dated by the reading. A reading far below the last one is a counter that
// restarted from zero; a small step back (a device correcting itself after a reboot) adds nothing.
// A counter that fell and then climbs back to its old mark faster than any
// load could drive it never restarted: what the fall added is taken back and
// counting goes on from the mark. `drop` is the memory of the last fall.
void UpdateDaily(DailyTally &tally, std::optional<CounterDrop> &drop, double totalWh,
                 const QDateTime &at);
