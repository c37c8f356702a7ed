// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>

// Which way the plant's energy flows through the meter: Forward where the meter counts it on
// its import counter with a positive power, Reverse where it counts it on its return counter
// with a negative power (a plug that the plant feeds back through).
enum class FlowDirection { Unknown, Forward, Reverse };

// What the day counts and the window shows of one reading: the production as a positive power,
// and the counter of the energy flowing the plant's way, in Wh. No counter where the reading
// has no valid one or the direction is not known yet.
struct Production
{
    double powerW = 0.0;
    std::optional<double> counterWh;

    friend bool operator==(const Production &, const Production &) = default;
};

// The least power, either way, a direction is learned from: below it, a night's standby draw
// could pass for the plant.
constexpr double LearnFromW = 5.0;

// The direction after a reading of `powerW`: `known` once known; a meter without a return
// counter is always Forward.
[[nodiscard]] FlowDirection LearnDirection(FlowDirection known, double powerW,
                                           bool hasReturnCounter);

// The production in a reading of `powerW` with its import and return counters. Counting only
// the production's counter keeps the draw the other way (the inverter's standby at night) out
// of the day, on firmware that counts the energy fed back on both counters as on the rest.
[[nodiscard]] Production ToProduction(FlowDirection direction, double powerW,
                                      std::optional<double> importWh,
                                      std::optional<double> returnWh);
