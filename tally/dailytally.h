#pragma once

#include <QDate>
#include <QString>

class QDebug;

// The energy counted for one local day, built from the device's running
// counter. Energies are in watt-hours.
struct DailyTally
{
    QString currentDay;         // "yyyy-MM-dd", empty before the first reading
    double lastTotalWh = 0.0;   // the counter reading the next increase starts from
    bool haveLastTotal = false;
    double todayWh = 0.0;

    friend bool operator==(const DailyTally &, const DailyTally &) = default;
};

QDebug operator<<(QDebug debug, const DailyTally &tally);

// The day key of `date`: "yyyy-MM-dd", compared as text.
[[nodiscard]] QString DayKey(QDate date);

// Folds the counter reading `totalWh`, taken on `today`, into the tally.
// The first reading of a day only sets the baseline. A reading far below the
// last one is a counter that restarted from zero; a small step back (a
// device correcting itself after a reboot) adds nothing.
void UpdateDaily(DailyTally &tally, double totalWh, QDate today);
