// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "chartscale.h"

#include <algorithm>
#include <cmath>

namespace ChartScale {

namespace {

// The share of a slot a bar leaves empty, half on either side.
constexpr double BarGap = 0.25;

} // namespace

Axis NiceAxis(double maxValue, int maxSteps)
{
    if (!(maxValue > 0))
        maxValue = 1;
    const double wanted = maxValue / maxSteps;
    const double power = std::pow(10.0, std::floor(std::log10(wanted)));
    double step = 10 * power;
    for (const double multiple : { 1.0, 2.0, 5.0 }) {
        if (multiple * power >= wanted) {
            step = multiple * power;
            break;
        }
    }
    // The tolerance keeps a value on a step (800 in steps of 200) from asking for one more.
    return { step, int(std::ceil(maxValue / step - 1e-9)) };
}

QRectF PlotArea(const QRectF &bounds, double labelWidth, double lineHeight)
{
    return bounds.adjusted(labelWidth + lineHeight / 2, 1.5 * lineHeight, -lineHeight / 2,
                           -1.5 * lineHeight);
}

QPointF PlotPoint(const QRectF &plot, double x, double xSpan, double y, double yTop)
{
    return { plot.left() + plot.width() * x / xSpan,
             plot.bottom() - plot.height() * std::clamp(y, 0.0, yTop) / yTop };
}

QRectF BarRect(const QRectF &plot, int index, int count, double value, double top)
{
    const double slot = plot.width() / count;
    const QPointF topLeft = PlotPoint(plot, index + BarGap / 2, count, value, top);
    return { topLeft, QPointF(topLeft.x() + slot * (1 - BarGap), plot.bottom()) };
}

int HourStep(const QRectF &plot, double labelWidth)
{
    for (const int step : { 3, 6 }) {
        if (plot.width() * step / 24 >= 1.5 * labelWidth)
            return step;
    }
    return 12;
}

int BarAt(const QRectF &plot, int count, double x)
{
    const int index = int(std::floor((x - plot.left()) * count / plot.width()));
    return index >= 0 && index < count ? index : -1;
}

} // namespace ChartScale
