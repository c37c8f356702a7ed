// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include "historyview.h"
#include "settings.h"

#include <QDate>
#include <QList>
#include <QStringList>
#include <QWidget>

class BarChart;
class CurveChart;
class PollCycle;
class QComboBox;
class QDateEdit;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;
class QPushButton;
class QTabWidget;
struct Reading;

// The production history: a day's curve (today's at first; earlier days with the previous and
// next controls or the date box), the yields of a month's days, a year's months (last year's
// beside them) or every year as bars with the period's figures, the sums and, with a price per
// kWh in a currency chosen beside it, what they are worth. A bar opens its day, month or year; the
// bars follow the curve's day. It follows the poll cycle poll by poll while it is open, from what
// the cycle hands it: it reads files only to show a day's curve and a month's peak, that month's
// readings.
class HistoryWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HistoryWindow(const PollCycle *pollCycle, QWidget *parent = nullptr);

private:
    void showDay(QDate day);
    void showPeriod(QDate day, HistoryView::Period period);
    void openBar(int index);
    void takeReading(const Reading &reading);
    void showFigures();
    void showSelectedBar();
    void showCurrency();
    void showCursor(int index);
    void exportFile(bool readings);
    [[nodiscard]] HistoryView::Period period() const;
    [[nodiscard]] QMap<QDate, double> allDays() const;

    const PollCycle *const m_pollCycle;
    Settings m_settings;
    QDate m_today; // as last shown
    QDate m_day; // the curve's
    QList<Reading> m_readings; // the curve's day's
    QDate m_period; // a day of the bars' period
    HistoryView::Range m_range; // the bars' period, as last shown
    QList<HistoryView::Bar> m_shownBars; // those of the current tab
    QDate m_peakMonth; // the month whose highest reading is m_monthPeak
    std::optional<Reading> m_monthPeak;
    QLabel *const lblKeptAside;
    QPushButton *const cmdPrevious;
    QLabel *const lblDay;
    QDateEdit *const datDay;
    QPushButton *const cmdToday;
    QPushButton *const cmdNext;
    QPushButton *const cmdExportDay;
    CurveChart *const m_curve;
    QLabel *const lblCursor;
    QLabel *const lblCurve;
    QPushButton *const cmdPreviousPeriod;
    QLabel *const lblPeriod;
    QPushButton *const cmdNextPeriod;
    QPushButton *const cmdExport;
    QPushButton *const cmdCopy;
    QTabWidget *const m_bars;
    QList<BarChart *> m_charts; // Days, Months, Years
    QLabel *const lblBar;
    QLabel *const lblFigures;
    QLabel *const lblCompare;
    QLabel *const lblExport;
    const QStringList m_sumNames;
    QList<QLabel *> m_sums; // today, yesterday, this month, this year, all recorded, best day
    QDoubleSpinBox *const txtPrice;
    QComboBox *const cmbCurrency;
    QSpinBox *const spnHomeShare;
    QDoubleSpinBox *const txtFeedIn;
    QSpinBox *const spnPlant;
};
