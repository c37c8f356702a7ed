// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "curvechart.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

void CurveChart::setCurve(const QList<QList<QPointF>> &segments,
                          std::optional<HistoryView::Peak> peak, QDate day)
{
    m_segments = segments;
    m_peak = peak;
    m_dayHours = HistoryView::DayHours(day);
    m_clockHours = HistoryView::ClockHours(day);
    update();
}

void CurveChart::setPlantWatts(double watts)
{
    m_plantWatts = watts;
    update();
}

double CurveChart::highest() const
{
    // Never below the peak: a plant may give more than its panels' rating on a cold bright day.
    return std::max(m_peak ? m_peak->powerW : 0, m_plantWatts);
}

QString CurveChart::valueText(double watts, const QLocale &locale) const
{
    return HistoryView::AxisWattText(watts, locale);
}

void CurveChart::paintPlot(QPainter &painter, const QRectF &plot, double top)
{
    const QLocale locale;
    QStringList hours;
    for (int hour = 0; hour < 24; ++hour)
        hours.append(HistoryView::ClockText(QTime(hour, 0), locale));
    const int widest = fontMetrics().boundingRect(QRect(), 0, hours.join(u'\n')).width();
    for (const int hour : ChartScale::HourTicks(plot, widest))
        paintBelow(
                painter, plot,
                ChartScale::DayPoint(plot, m_clockHours.value(hour, hour), 0, top, m_dayHours).x(),
                hours[hour]);
    if (m_segments.isEmpty())
        painter.drawText(plot, Qt::AlignCenter, tr("No readings"));

    const QColor line = palette().color(QPalette::Highlight);
    QColor fill = line;
    fill.setAlphaF(0.3);
    painter.setPen(QPen(line, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const QList<QPointF> &segment : m_segments) {
        QPolygonF points;
        for (const QPointF &point : segment)
            points.append(ChartScale::DayPoint(plot, point.x(), point.y(), top, m_dayHours));
        QPainterPath area;
        area.addPolygon(QPolygonF(points) << QPointF(points.last().x(), plot.bottom())
                                          << QPointF(points.first().x(), plot.bottom()));
        painter.fillPath(area, fill);
        painter.drawPolyline(points);
        painter.drawPoint(points.first()); // a lone reading shows as a dot
    }
    if (m_peak) {
        const QPointF peak =
                ChartScale::DayPoint(plot, m_peak->hours, m_peak->powerW, top, m_dayHours);
        painter.setPen(palette().color(QPalette::Text));
        painter.setBrush(line);
        painter.drawEllipse(peak, 3.0, 3.0);
        painter.drawText(ChartScale::Above(plot, peak), Qt::AlignHCenter | Qt::AlignBottom,
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
