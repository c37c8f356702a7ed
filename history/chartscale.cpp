// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "chartscale.h"

#include <algorithm>
#include <cmath>

namespace ChartScale {

namespace {

// The share of a slot a bar leaves empty, half on either side.
constexpr double BarGap = 0.25;
constexpr double DayHours = 24;

} // namespace

Axis NiceAxis(double maxValue, int maxSteps, double smallestStep)
{
    if (!(maxValue > 0))
        maxValue = 1;
    const double wanted = std::max(maxValue / maxSteps, smallestStep);
    const double power = std::pow(10.0, std::floor(std::log10(wanted)));
    double step = 10 * power;
    for (const double multiple : { 1.0, 2.0, 5.0 }) {
        if (multiple * power >= wanted) {
            step = multiple * power;
            break;
        }
    }
    return { step, int(std::ceil(maxValue / step - 1e-9)) }; // 0.6 / 0.2 is 3, not 3.0000001
}

QList<double> Ticks(const Axis &axis)
{
    QList<double> ticks;
    for (int step = 0; step <= axis.steps; ++step)
        ticks.append(step * axis.step);
    return ticks;
}

QRectF PlotArea(const QRectF &bounds, double labelWidth, double lineHeight)
{
    return bounds.adjusted(labelWidth + lineHeight / 2, 1.5 * lineHeight, -lineHeight / 2,
                           -1.5 * lineHeight);
}

QPointF PlotPoint(const QRectF &plot, double x, double xSpan, double y, double yTop)
{
    return { plot.left() + plot.width() * x / xSpan, ValueY(plot, y, yTop) };
}

double ValueY(const QRectF &plot, double value, double top)
{
    return plot.bottom() - plot.height() * std::clamp(value, 0.0, top) / top;
}

QPointF DayPoint(const QRectF &plot, double hour, double value, double top, double dayHours)
{
    return PlotPoint(plot, hour, dayHours, value, top);
}

QRectF BarRect(const QRectF &plot, int index, int count, double value, double top)
{
    const double slot = plot.width() / count;
    const QPointF topLeft = PlotPoint(plot, index + BarGap / 2, count, value, top);
    return { topLeft, QPointF(topLeft.x() + slot * (1 - BarGap), plot.bottom()) };
}

int BarAt(const QRectF &plot, int count, double x)
{
    // In double: an empty plot (not painted yet) gives no number, or an infinite one.
    const double index = std::floor((x - plot.left()) * count / plot.width());
    return index >= 0 && index < count ? int(index) : -1;
}

QList<int> HourTicks(const QRectF &plot, double labelWidth)
{
    int step = 3;
    while (step < 12 && plot.width() * step / DayHours < 1.5 * labelWidth)
        step *= 2;
    QList<int> hours;
    for (int hour = 0; hour < DayHours; hour += step)
        hours.append(hour);
    return hours;
}

QRectF LeftOf(const QRectF &plot, double y, double lineHeight)
{
    return { 0, y - lineHeight / 2, plot.left() - lineHeight / 2, lineHeight };
}

QRectF Below(const QRectF &plot, double x, double bottom)
{
    return { x - plot.width() / 2, plot.bottom(), plot.width(), bottom - plot.bottom() };
}

QRectF Above(const QRectF &plot, const QPointF &point)
{
    return { point.x() - plot.width(), point.y() - plot.top(), 2 * plot.width(), plot.top() };
}

} // namespace ChartScale
