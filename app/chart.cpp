// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "chart.h"

#include <QPainter>

Chart::Chart(QWidget *parent) : QWidget(parent)
{
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(480, 150);
}

QRectF Chart::paintGrid(QPainter &painter, const ChartScale::Axis &axis,
                        const std::function<QString(double)> &label) const
{
    QStringList labels;
    int widest = 0;
    for (int step = 0; step <= axis.steps; ++step) {
        labels.append(label(step * axis.step));
        widest = std::max(widest, fontMetrics().horizontalAdvance(labels.last()));
    }
    const double line = fontMetrics().height();
    const QRectF plot = ChartScale::PlotArea(rect(), widest, line);
    for (int step = 0; step <= axis.steps; ++step) {
        const double y = ChartScale::PlotPoint(plot, 0, 1, step * axis.step, axis.top()).y();
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRectF(0, y - line / 2, widest, line), Qt::AlignRight | Qt::AlignVCenter,
                         labels[step]);
    }
    return plot;
}

void Chart::paintAxisLabel(QPainter &painter, const QRectF &plot, double x,
                           const QString &text) const
{
    painter.drawText(
            QRectF(x - plot.width() / 2, plot.bottom(), plot.width(), height() - plot.bottom()),
            Qt::AlignCenter, text);
}
