// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "direction.h"

#include <cmath>

FlowDirection LearnDirection(FlowDirection known, double powerW, bool hasReturnCounter)
{
    if (!hasReturnCounter)
        return FlowDirection::Forward;
    if (known != FlowDirection::Unknown || !(std::abs(powerW) >= LearnFromW))
        return known;
    return powerW > 0 ? FlowDirection::Forward : FlowDirection::Reverse;
}

Production ToProduction(FlowDirection direction, double powerW, std::optional<double> importWh,
                        std::optional<double> returnWh)
{
    switch (direction) {
    case FlowDirection::Forward:
        return { powerW, importWh };
    case FlowDirection::Reverse:
        return { 0.0 - powerW, returnWh }; // no "-0.0 W" for a meter at rest
    case FlowDirection::Unknown:
        break;
    }
    return { std::abs(powerW), std::nullopt };
}
