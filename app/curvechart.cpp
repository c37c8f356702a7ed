// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "curvechart.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <algorithm>
#include <cmath>

CurveChart::CurveChart(QWidget *parent) : Chart(parent)
{
    setMouseTracking(true);
}

void CurveChart::setCurve(const QList<QList<QPointF>> &segments,
                          std::optional<HistoryView::Peak> peak, QDate day)
{
    m_segments = segments;
    m_points.clear();
    for (const QList<QPointF> &segment : segments)
        m_points.append(segment);
    // Polls add to the day; another day starts without a cursor.
    if (day != m_day || m_cursor >= m_points.size()) {
        m_day = day;
        m_cursor = -1;
        Q_EMIT cursorMoved(-1);
    }
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
    m_plot = plot;
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
    if (m_cursor >= 0) {
        const QPointF at = ChartScale::DayPoint(plot, m_points[m_cursor].x(),
                                                m_points[m_cursor].y(), top, m_dayHours);
        painter.setPen(QPen(palette().color(QPalette::Text), 1.0, Qt::DashLine));
        painter.drawLine(QPointF(at.x(), plot.top()), QPointF(at.x(), plot.bottom()));
        painter.setBrush(palette().color(QPalette::Text));
        painter.drawEllipse(at, 3.0, 3.0);
    }
}

void CurveChart::keyPressEvent(QKeyEvent *event)
{
    const int last = int(m_points.size()) - 1;
    switch (event->key()) {
    case Qt::Key_PageUp:
        return Q_EMIT dayStepRequested(-1);
    case Qt::Key_PageDown:
        return Q_EMIT dayStepRequested(1);
    case Qt::Key_Left:
        return moveCursor(m_cursor < 0 ? last : std::max(m_cursor - 1, 0));
    case Qt::Key_Right:
        return moveCursor(m_cursor < 0 ? 0 : std::min(m_cursor + 1, last));
    default:
        Chart::keyPressEvent(event);
    }
}

void CurveChart::mouseMoveEvent(QMouseEvent *event)
{
    if (m_points.isEmpty() || !m_plot.isValid())
        return;
    const double hour = (event->position().x() - m_plot.left()) / m_plot.width() * m_dayHours;
    const auto nearest = std::min_element(
            m_points.cbegin(), m_points.cend(), [hour](const QPointF &a, const QPointF &b) {
                return std::abs(a.x() - hour) < std::abs(b.x() - hour);
            });
    moveCursor(int(nearest - m_points.cbegin()));
    if (QToolTip::isVisible())
        QToolTip::showText(event->globalPosition().toPoint(), toolTip(), this);
}

void CurveChart::moveCursor(int index)
{
    if (index < 0 || index == m_cursor)
        return;
    m_cursor = index;
    update();
    Q_EMIT cursorMoved(index);
}
