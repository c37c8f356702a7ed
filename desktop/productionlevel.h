// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

// How much the device produces now against the day's peak so far, in a few
// steps that a 16-pixel icon can show.
class ProductionLevel
{
public:
    static constexpr int Steps = 4;
    // Below this the device produces nothing: an idle inverter reads a watt
    // or less either way.
    static constexpr double ProducingWatts = 1;

    // The level of a reading of `watts` on `day` (a day key): 0 when
    // nothing is produced, else 1 to Steps, Steps at the day's peak.
    [[nodiscard]] int Add(const QString &day, double watts);

private:
    QString m_day;
    double m_peak = 0;
};
