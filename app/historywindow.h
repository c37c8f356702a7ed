// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include "settings.h"

#include <QDate>
#include <QList>
#include <QStringList>
#include <QWidget>

class BarChart;
class CurveChart;
class PollCycle;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;
class QPushButton;
class QTabWidget;
struct Reading;

// The production history: a day's curve (today's at first; earlier days with the previous and
// next controls), the last 31 days' and 12 months' yields as bars, the sums and, with a price per
// kWh in a currency chosen beside it, what they are worth. It follows the poll cycle poll by poll
// while it is open, from what the cycle hands it: it reads files only to show a day's curve, that
// day's month of readings.
class HistoryWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HistoryWindow(const PollCycle *pollCycle, QWidget *parent = nullptr);

private:
    void showDay(QDate day);
    void takeReading(const Reading &reading);
    void showFigures();
    void showSelectedBar();
    void showCurrency();

    const PollCycle *const m_pollCycle;
    Settings m_settings;
    QDate m_today; // as last shown
    QDate m_day; // the curve's
    QList<Reading> m_readings; // the curve's day's
    QLabel *const lblKeptAside;
    QPushButton *const cmdPrevious;
    QLabel *const lblDay;
    QPushButton *const cmdNext;
    CurveChart *const m_curve;
    QLabel *const lblCurve;
    QTabWidget *const m_bars;
    BarChart *const m_dayBars;
    BarChart *const m_monthBars;
    QLabel *const lblBar;
    const QStringList m_sumNames;
    QList<QLabel *> m_sums; // today, yesterday, this month, this year, all recorded, best day
    QDoubleSpinBox *const txtPrice;
    QComboBox *const cmbCurrency;
    QSpinBox *const spnHomeShare;
    QDoubleSpinBox *const txtFeedIn;
    QSpinBox *const spnPlant;
};
