// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "productionlevel.h"

#include <algorithm>
#include <cmath>

int ProductionLevel::Add(const QString &day, double watts)
{
    // Each day has a peak of its own.
    if (day != m_day) {
        m_day = day;
        m_peak = watts;
    }
    if (!(watts >= ProducingWatts))
        return 0;
    m_peak = std::max(m_peak, watts);
    // Any production shows as at least one step.
    return std::clamp(int(std::ceil(Steps * watts / m_peak)), 1, Steps);
}
