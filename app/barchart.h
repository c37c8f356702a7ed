// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include "chart.h"

#include <QList>
#include <QString>
#include <QStringList>

// Energies side by side as bars, the last one still growing (paler). One bar is selected:
// Left, Right, Home and End or a click move the selection, and the chart's accessible description
// carries its text; hovering a bar shows its text as a tooltip.
class BarChart : public Chart
{
    Q_OBJECT

public:
    // `title` is the accessible name: "Last 31 days".
    explicit BarChart(const QString &title, QWidget *parent = nullptr);

    // The bars' energies in Wh (0 for none), whether each is recorded (one not recorded is hatched,
    // unlike a recorded 0), the labels under them and the text that tells each; at least one bar.
    // The selection stays where it was, on the last bar at first.
    void setBars(const QList<double> &values, const QList<bool> &recorded,
                 const QStringList &labels, const QStringList &texts);
    [[nodiscard]] QString selectedText() const { return m_texts.value(m_selected); }

Q_SIGNALS:
    void selectionChanged(const QString &text);

protected:
    // The axis in kWh.
    [[nodiscard]] double highest() const override;
    [[nodiscard]] double smallestStep() const override { return 0.01; }
    [[nodiscard]] QString valueText(double kilowattHours, const QLocale &locale) const override;
    void paintPlot(QPainter &painter, const QRectF &plot, double top) override;
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void select(int index);

    QList<double> m_values; // in kWh
    QList<bool> m_recorded;
    QStringList m_labels;
    QStringList m_texts;
    int m_selected = -1;
    QRectF m_plot; // as last painted
};
