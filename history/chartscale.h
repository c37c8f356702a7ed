// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>

// Where a chart puts things: values on an axis from 0, points, bars and texts in the plot's
// rectangle (logical pixels, y growing downwards).
namespace ChartScale {

// An axis from 0 in `steps` equal steps of `step`.
struct Axis
{
    double step = 1.0;
    int steps = 1;

    [[nodiscard]] double top() const { return step * steps; }
    friend bool operator==(const Axis &, const Axis &) = default;
};

// The axis that covers `maxValue` in at most `maxSteps` steps of 1, 2 or 5 times a power of ten,
// in as few steps as that allows, and none below `smallestStep`: the labels print no more digits,
// and smaller steps would repeat them. A maxValue of 0 or less is taken as 1.
[[nodiscard]] Axis NiceAxis(double maxValue, int maxSteps, double smallestStep = 1.0);
// The values of the axis' lines, from 0 to its top.
[[nodiscard]] QList<double> Ticks(const Axis &axis);

// The plot inside a chart's `bounds`: room on the left for labels `labelWidth` wide, below for a
// line of labels, above for a line of text over the highest point.
[[nodiscard]] QRectF PlotArea(const QRectF &bounds, double labelWidth, double lineHeight);

// The point of `x` on a horizontal scale from 0 to `xSpan` and `y` on a vertical one from 0 to
// `yTop`, in `plot`; a `y` beyond the scale is drawn at its edge.
[[nodiscard]] QPointF PlotPoint(const QRectF &plot, double x, double xSpan, double y, double yTop);
// The height of `value` on an axis from 0 to `top`.
[[nodiscard]] double ValueY(const QRectF &plot, double value, double top);
// The point of `value` at `hour` of a day `dayHours` long.
[[nodiscard]] QPointF DayPoint(const QRectF &plot, double hour, double value, double top,
                               double dayHours = 24);

// Bar `index` of `count` side by side in `plot`, each in a slot of equal width with a gap between
// bars, rising from the bottom to `value` on an axis from 0 to `top`.
[[nodiscard]] QRectF BarRect(const QRectF &plot, int index, int count, double value, double top);
// The index of the slot at `x` among `count` in `plot`, -1 outside them.
[[nodiscard]] int BarAt(const QRectF &plot, int count, double x);

// The hours of a day that get a label in `plot`: every third, sixth or twelfth from midnight, the
// fewest that leave labels `labelWidth` wide a gap half as wide between them.
[[nodiscard]] QList<int> HourTicks(const QRectF &plot, double labelWidth);

// Where texts go: left of the plot at height `y`, one line high; below it under `x`, down to
// `bottom`; above `point`, up to the height of the plot's top.
[[nodiscard]] QRectF LeftOf(const QRectF &plot, double y, double lineHeight);
[[nodiscard]] QRectF Below(const QRectF &plot, double x, double bottom);
[[nodiscard]] QRectF Above(const QRectF &plot, const QPointF &point);

} // namespace ChartScale
