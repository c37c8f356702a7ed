// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "curvechart.h"

#include <QKeyEvent>
#include <QPainter>

void CurveChart::setCurve(const QList<QList<QPointF>> &segments,
                          std::optional<HistoryView::Peak> peak)
{
    m_segments = segments;
    m_peak = peak;
    update();
}

void CurveChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QLocale locale;
    const ChartScale::Axis axis = ChartScale::NiceAxis(m_peak ? m_peak->powerW : 0, GridSteps);
    const QRectF plot = paintGrid(painter, axis, [&locale](double watts) {
        return HistoryView::PowerText(watts, locale);
    });
    const auto at = [&](const QPointF &hourAndPower) {
        return ChartScale::PlotPoint(plot, hourAndPower.x(), 24, hourAndPower.y(), axis.top());
    };
    QStringList hours;
    int widest = 0;
    for (int hour = 0; hour < 24; ++hour) {
        hours.append(HistoryView::ClockText(QTime(hour, 0), locale));
        widest = std::max(widest, fontMetrics().horizontalAdvance(hours.last()));
    }
    for (int hour = 0; hour < 24; hour += ChartScale::HourStep(plot, widest))
        paintAxisLabel(painter, plot, at({ double(hour), 0 }).x(), hours[hour]);
    if (m_segments.isEmpty())
        painter.drawText(plot, Qt::AlignCenter, tr("No readings"));

    QColor line = palette().color(QPalette::Highlight);
    QColor fill = line;
    fill.setAlphaF(0.3);
    for (const QList<QPointF> &segment : m_segments) {
        QPolygonF points;
        for (const QPointF &point : segment)
            points.append(at(point));
        painter.setPen(QPen(line, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(points);
        painter.drawPoint(points.first()); // a lone reading shows as a dot
        points << QPointF(points.last().x(), plot.bottom())
               << QPointF(points.first().x(), plot.bottom());
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawPolygon(points);
    }
    if (m_peak) {
        const QPointF peak = at({ HistoryView::HourOfDay(m_peak->time), m_peak->powerW });
        painter.setPen(palette().color(QPalette::Text));
        painter.setBrush(line);
        painter.drawEllipse(peak, 3, 3);
        painter.drawText(QRectF(peak.x() - plot.width(), peak.y() - plot.top(), 2 * plot.width(),
                                plot.top()),
                         Qt::AlignHCenter | Qt::AlignBottom,
                         HistoryView::ClockText(m_peak->time, locale));
    }
}

void CurveChart::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Left)
        Q_EMIT dayStepRequested(-1);
    else if (event->key() == Qt::Key_Right)
        Q_EMIT dayStepRequested(1);
    else
        Chart::keyPressEvent(event);
}
