// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include "chart.h"
#include "historyview.h"

#include <QList>
#include <QPointF>

#include <optional>

// A day's power over its hours, each run of readings a line of its own, the peak marked with its
// time. A cursor marks a reading: the pointer moves it to the nearest, Left and Right to the one
// before and after; Page Up and Page Down ask for the day before and after.
class CurveChart : public Chart
{
    Q_OBJECT

public:
    explicit CurveChart(QWidget *parent = nullptr);

    // The lines as HistoryView::CurveSegments gives them, and the peak, of `day`.
    void setCurve(const QList<QList<QPointF>> &segments, std::optional<HistoryView::Peak> peak,
                  QDate day);
    // The plant's size in W: the scale then reaches it each day, so that days compare at a
    // glance; 0 scales each day to its peak.
    void setPlantWatts(double watts);

Q_SIGNALS:
    // -1 for the day before, 1 for the day after.
    void dayStepRequested(int days);
    // The cursor is on the reading `index`, in the order of the lines' points; -1: it went.
    void cursorMoved(int index);

protected:
    [[nodiscard]] double highest() const override;
    [[nodiscard]] QString valueText(double watts, const QLocale &locale) const override;
    void paintPlot(QPainter &painter, const QRectF &plot, double top) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void moveCursor(int index);

    QList<QPointF> m_points; // the lines' points, one after another
    int m_cursor = -1;
    QDate m_day;
    QRectF m_plot; // as last painted
    QList<QList<QPointF>> m_segments;
    std::optional<HistoryView::Peak> m_peak;
    double m_plantWatts = 0;
    double m_dayHours = 24;
    QList<double> m_clockHours; // where each hour's label goes
};
