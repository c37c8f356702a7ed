// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include "chartscale.h"

#include <QWidget>

#include <functional>

class QPainter;

// A chart that paints itself on the style's base colour: a value axis from 0 with its grid and
// labels on the left, the plot beside it. Sizes come from the widget's rectangle and font, in
// logical pixels, so the chart is sharp at any device pixel ratio.
class Chart : public QWidget
{
    Q_OBJECT

public:
    explicit Chart(QWidget *parent = nullptr);

protected:
    // Paints the grid of `axis`, each line labelled with its value as `label` writes it; returns
    // the plot within it.
    QRectF paintGrid(QPainter &painter, const ChartScale::Axis &axis,
                     const std::function<QString(double)> &label) const;
    // Paints `text` under the plot, centred on `x`.
    void paintAxisLabel(QPainter &painter, const QRectF &plot, double x, const QString &text) const;

    // Steps of the value axis, at most.
    static constexpr int GridSteps = 4;
};
