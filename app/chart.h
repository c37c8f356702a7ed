// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include "chartscale.h"

#include <QLocale>
#include <QWidget>

class QPainter;

// A chart that paints itself on the style's base colour, antialiased: a value axis from 0 with
// its grid and labels on the left, the plot beside it. Sizes come from the widget's rectangle and
// font in logical pixels, so the chart is sharp at any device pixel ratio; colours come from the
// palette, so dark themes work.
class Chart : public QWidget
{
    Q_OBJECT

public:
    explicit Chart(QWidget *parent = nullptr);

protected:
    // The highest value the chart shows, the smallest step its axis may take, and how a value of
    // its axis reads.
    [[nodiscard]] virtual double highest() const = 0;
    [[nodiscard]] virtual double smallestStep() const { return 1; }
    [[nodiscard]] virtual QString valueText(double value, const QLocale &locale) const = 0;
    // Paints what the chart shows in `plot`, on an axis from 0 to `top`.
    virtual void paintPlot(QPainter &painter, const QRectF &plot, double top) = 0;

    void paintEvent(QPaintEvent *event) final;
    // Paints `text` under the plot, centred on `x`.
    void paintBelow(QPainter &painter, const QRectF &plot, double x, const QString &text) const;
};
