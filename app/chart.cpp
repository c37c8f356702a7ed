// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "chart.h"

#include <QAccessibleWidget>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace {

// Lines of the value axis above 0, at most.
constexpr int GridSteps = 4;

// Screen readers announce a chart as one: not a bare group of nothing.
QAccessibleInterface *chartAccessible(const QString &, QObject *object)
{
    if (auto *chart = qobject_cast<Chart *>(object))
        return new QAccessibleWidget(chart, QAccessible::Chart);
    return nullptr;
}

} // namespace

Chart::Chart(QWidget *parent) : QWidget(parent)
{
    static const bool factoryInstalled = (QAccessible::installFactory(chartAccessible), true);
    Q_UNUSED(factoryInstalled);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(480, 150);
}

void Chart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QLocale locale;
    const ChartScale::Axis axis = ChartScale::NiceAxis(highest(), GridSteps, smallestStep());
    QStringList labels;
    for (const double value : ChartScale::Ticks(axis))
        labels.append(valueText(value, locale));
    const double line = fontMetrics().height();
    const QRectF plot = ChartScale::PlotArea(
            rect(), fontMetrics().boundingRect(QRect(), 0, labels.join(u'\n')).width(), line);
    for (const double value : ChartScale::Ticks(axis)) {
        const double y = ChartScale::ValueY(plot, value, axis.top());
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(ChartScale::LeftOf(plot, y, line), Qt::AlignRight | Qt::AlignVCenter,
                         valueText(value, locale));
    }
    paintPlot(painter, plot, axis.top());
    if (hasFocus()) {
        QStyleOptionFocusRect frame;
        frame.initFrom(this);
        // The plot shows no other sign of the focus, whether it came by Tab or by a click.
        frame.state |= QStyle::State_KeyboardFocusChange;
        frame.backgroundColor = palette().color(backgroundRole());
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
    }
}

void Chart::paintBelow(QPainter &painter, const QRectF &plot, double x, const QString &text) const
{
    painter.drawText(ChartScale::Below(plot, x, height()), Qt::AlignCenter, text);
}
