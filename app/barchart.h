// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include "chart.h"

#include <QList>
#include <QString>
#include <QStringList>

// Energies side by side as bars, the last one still growing (paler), each with the energy of a
// year earlier beside it when given (paler still, on its left). One bar is selected: Left, Right,
// Home and End or a click move the selection, and the chart's accessible description carries its
// text; hovering a bar shows its text as a tooltip. A click or Return opens the bar.
class BarChart : public Chart
{
    Q_OBJECT

public:
    // `title` is the accessible name: "Days of the month".
    explicit BarChart(const QString &title, QWidget *parent = nullptr);

    // The bars' energies in Wh (0 for none), whether each is recorded (one not recorded is hatched,
    // unlike a recorded 0), the labels under them and the text that tells each; at least one bar.
    // The selection stays where it was, on the last bar at first. `earlier`, when not empty, holds
    // the energies a year earlier, one a bar.
    void setBars(const QList<double> &values, const QList<bool> &recorded,
                 const QStringList &labels, const QStringList &texts,
                 const QList<double> &earlier = {});
    [[nodiscard]] QString selectedText() const { return m_texts.value(m_selected); }
    [[nodiscard]] int selected() const { return m_selected; }
    void select(int index);

Q_SIGNALS:
    void selectionChanged(const QString &text);
    void opened(int index);

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
    QList<double> m_values; // in kWh
    QList<double> m_earlier; // in kWh
    QList<bool> m_recorded;
    QStringList m_labels;
    QStringList m_texts;
    int m_selected = -1;
    QRectF m_plot; // as last painted
};
