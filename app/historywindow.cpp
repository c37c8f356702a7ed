// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "historywindow.h"

#include "barchart.h"
#include "curvechart.h"
#include "historyview.h"
#include "atomicfile.h"
#include "pollcycle.h"

#include <QAccessibleWidget>
#include <QBoxLayout>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QPointer>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

template<typename Widget>
Widget *named(Widget *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

// The price per kWh, with a point or a comma before its decimals in any locale: a price has no
// thousands, and "0.31" read with the point as a group separator would be 31.
class PriceBox : public QDoubleSpinBox
{
public:
    using QDoubleSpinBox::QDoubleSpinBox;

    QValidator::State validate(QString &input, int &pos) const override
    {
        QString number = decimal(input);
        return QDoubleSpinBox::validate(number, pos);
    }
    void fixup(QString &input) const override
    {
        input = decimal(input);
        QDoubleSpinBox::fixup(input);
    }
    double valueFromText(const QString &text) const override
    {
        return QDoubleSpinBox::valueFromText(decimal(text));
    }

private:
    // `text` with its points and commas, those between the prefix and the suffix, as the locale's
    // decimal point.
    QString decimal(QString text) const
    {
        if (text == specialValueText())
            return text;
        const qsizetype from = text.startsWith(prefix()) ? prefix().size() : 0;
        const qsizetype to = text.endsWith(suffix()) ? text.size() - suffix().size() : text.size();
        const QChar point = locale().decimalPoint().front();
        for (qsizetype i = from; i < to; ++i) {
            if (text[i] == u'.' || text[i] == u',')
                text[i] = point;
        }
        return text;
    }
};

// The ISO codes of the currencies Qt knows, sorted.
QStringList currencies()
{
    QStringList codes;
    for (const QLocale &locale :
         QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory))
        codes.append(locale.currencySymbol(QLocale::CurrencyIsoCode));
    codes.removeAll(QString());
    codes.sort();
    codes.removeDuplicates();
    return codes;
}

// A price box as the price per kWh's.
QDoubleSpinBox *priceBox(QDoubleSpinBox *box)
{
    // No price (0) shows no money. Some currencies count a kWh in thousands.
    box->setDecimals(4);
    box->setMaximum(1e6);
    box->setSpecialValueText(QCoreApplication::translate("HistoryWindow", "none"));
    return box;
}

// A tab of the tab bar below, for screen readers: its name, and pressed it is shown.
class TabAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    TabAccessible(QTabBar *bar, int index) : m_bar(bar), m_index(index) { }

    bool isValid() const override { return m_bar && m_index < m_bar->count(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_bar->window()->windowHandle(); }
    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_bar);
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text text) const override
    {
        return text == QAccessible::Name ? QString(m_bar->tabText(m_index)).remove(u'&')
                                         : QString();
    }
    void setText(QAccessible::Text, const QString &) override { }
    QRect rect() const override
    {
        const QRect tab = m_bar->tabRect(m_index);
        return { m_bar->mapToGlobal(tab.topLeft()), tab.size() };
    }
    QAccessible::Role role() const override { return QAccessible::PageTab; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.selectable = true;
        state.selected = m_bar->currentIndex() == m_index;
        state.focusable = true;
        state.focused = state.selected && m_bar->hasFocus();
        state.invisible = !m_bar->isVisible();
        return state;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface
                ? static_cast<QAccessibleActionInterface *>(this)
                : nullptr;
    }
    QStringList actionNames() const override { return { pressAction() }; }
    void doAction(const QString &name) override
    {
        if (name == pressAction())
            m_bar->setCurrentIndex(m_index);
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QPointer<QTabBar> m_bar;
    int m_index;
};

// The History's tab bar as its tabs alone: Qt's own interface adds its two scroll buttons, though
// they are hidden while the tabs fit, as they always do here.
class TabBarAccessible : public QAccessibleWidget
{
public:
    explicit TabBarAccessible(QTabBar *bar) : QAccessibleWidget(bar, QAccessible::PageTabList) { }
    ~TabBarAccessible() override
    {
        for (const QAccessible::Id id : std::as_const(m_tabs))
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return tabBar()->count(); }
    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        while (m_tabs.size() <= index)
            m_tabs.append(QAccessible::registerAccessibleInterface(
                    new TabAccessible(tabBar(), int(m_tabs.size()))));
        return QAccessible::accessibleInterface(m_tabs[index]);
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return int(
                m_tabs.indexOf(QAccessible::uniqueId(const_cast<QAccessibleInterface *>(child))));
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        return child(tabBar()->tabAt(tabBar()->mapFromGlobal(QPoint(x, y))));
    }

private:
    QTabBar *tabBar() const { return static_cast<QTabBar *>(object()); }

    mutable QList<QAccessible::Id> m_tabs;
};

QAccessibleInterface *tabBarAccessible(const QString &, QObject *object)
{
    auto *bar = qobject_cast<QTabBar *>(object);
    if (bar && qobject_cast<HistoryWindow *>(bar->window()))
        return new TabBarAccessible(bar);
    return nullptr;
}

void showBars(BarChart *chart, const QList<HistoryView::Bar> &bars, HistoryView::Period period,
              const QLocale &locale, const QList<HistoryView::Bar> &earlier = {})
{
    QList<double> values;
    QList<double> earlierValues;
    QList<bool> recorded;
    QStringList texts;
    for (qsizetype i = 0; i < bars.size(); ++i) {
        values.append(bars[i].energyWh);
        recorded.append(bars[i].recorded());
        texts.append(HistoryView::BarText(bars[i], period, locale));
        if (i < earlier.size()) {
            earlierValues.append(earlier[i].energyWh);
            //: A month's bar beside the same month a year earlier: "June 2024: … · June 2023: …".
            texts.last() =
                    QCoreApplication::translate("HistoryWindow", "%1 · %2")
                            .arg(texts.last(), HistoryView::BarText(earlier[i], period, locale));
        }
    }
    chart->setBars(values, recorded, HistoryView::BarLabels(bars, period, locale), texts,
                   earlierValues);
}

} // namespace

HistoryWindow::HistoryWindow(const PollCycle *pollCycle, QWidget *parent)
    : QWidget(parent, Qt::Window),
      m_pollCycle(pollCycle),
      lblKeptAside(named(new QLabel(this), u"lblKeptAside"_s)),
      cmdPrevious(named(new QPushButton(tr("&Previous day"), this), u"cmdPrevious"_s)),
      lblDay(named(new QLabel(this), u"lblDay"_s)),
      datDay(named(new QDateEdit(this), u"datDay"_s)),
      cmdToday(named(new QPushButton(tr("T&oday"), this), u"cmdToday"_s)),
      cmdNext(named(new QPushButton(tr("&Next day"), this), u"cmdNext"_s)),
      cmdExportDay(named(new QPushButton(tr("E&xport day…"), this), u"cmdExportDay"_s)),
      m_curve(named(new CurveChart(this), u"curve"_s)),
      lblCursor(named(new QLabel(this), u"lblCursor"_s)),
      lblCurve(named(new QLabel(this), u"lblCurve"_s)),
      cmdPreviousPeriod(
              named(new QPushButton(tr("P&revious period"), this), u"cmdPreviousPeriod"_s)),
      lblPeriod(named(new QLabel(this), u"lblPeriod"_s)),
      cmdNextPeriod(named(new QPushButton(tr("Nex&t period"), this), u"cmdNextPeriod"_s)),
      cmdExport(named(new QPushButton(tr("&Export…"), this), u"cmdExport"_s)),
      cmdCopy(named(new QPushButton(tr("&Copy"), this), u"cmdCopy"_s)),
      m_bars(new QTabWidget(this)),
      m_charts{ named(new BarChart(tr("Days of the month"), this), u"dayBars"_s),
                named(new BarChart(tr("Months of the year"), this), u"monthBars"_s),
                named(new BarChart(tr("Years"), this), u"yearBars"_s) },
      lblBar(named(new QLabel(this), u"lblBar"_s)),
      lblFigures(named(new QLabel(this), u"lblFigures"_s)),
      lblCompare(named(new QLabel(this), u"lblCompare"_s)),
      lblExport(named(new QLabel(this), u"lblExport"_s)),
      m_sumNames{ tr("Today"),     tr("Yesterday"),    tr("This month"),
                  tr("This year"), tr("All recorded"), tr("Best day") },
      txtPrice(named(priceBox(new PriceBox(this)), u"txtPrice"_s)),
      cmbCurrency(named(new QComboBox(this), u"cmbCurrency"_s)),
      spnHomeShare(named(new QSpinBox(this), u"spnHomeShare"_s)),
      txtFeedIn(named(priceBox(new PriceBox(this)), u"txtFeedIn"_s)),
      spnPlant(named(new QSpinBox(this), u"spnPlant"_s))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Palvorin History"));
    lblDay->setAlignment(Qt::AlignCenter);
    static const bool factoryInstalled = (QAccessible::installFactory(tabBarAccessible), true);
    Q_UNUSED(factoryInstalled);
    m_bars->addTab(m_charts[0], tr("Days"));
    m_bars->addTab(m_charts[1], tr("Months"));
    m_bars->addTab(m_charts[2], tr("Years"));
    for (QLabel *label : { lblKeptAside, lblDay, lblCursor, lblCurve, lblPeriod, lblBar, lblFigures,
                           lblCompare, lblExport })
        label->setTextFormat(Qt::PlainText);
    lblKeptAside->setWordWrap(true);
    lblExport->setWordWrap(true);
    lblPeriod->setAlignment(Qt::AlignCenter);
    datDay->setCalendarPopup(true);
    datDay->setAccessibleName(tr("Day of the curve"));
    cmdToday->setAccessibleDescription(tr("Shows today's curve and period"));
    lblDay->setBuddy(datDay);

    auto *days = new QHBoxLayout;
    days->addWidget(cmdPrevious);
    days->addWidget(lblDay, 1);
    days->addWidget(datDay);
    days->addWidget(cmdToday);
    days->addWidget(cmdNext);
    days->addWidget(cmdExportDay);
    auto *periods = new QHBoxLayout;
    periods->addWidget(cmdPreviousPeriod);
    periods->addWidget(lblPeriod, 1);
    periods->addWidget(cmdNextPeriod);
    periods->addWidget(cmdExport);
    periods->addWidget(cmdCopy);
    auto *sums = new QFormLayout;
    for (const QString &name : m_sumNames) {
        m_sums.append(new QLabel(this));
        sums->addRow(tr("%1:").arg(name), m_sums.last());
    }
    // The locale's currency at first use, kept from then on.
    if (m_settings.currency().isEmpty())
        m_settings.setCurrency(QLocale().currencySymbol(QLocale::CurrencyIsoCode));
    cmbCurrency->addItems(currencies());
    if (cmbCurrency->findText(m_settings.currency()) < 0)
        cmbCurrency->insertItem(0, m_settings.currency());
    cmbCurrency->setCurrentText(m_settings.currency());
    cmbCurrency->setAccessibleName(tr("Currency"));
    showCurrency();
    txtPrice->setValue(m_settings.pricePerKwh().value_or(0));
    auto *price = new QHBoxLayout;
    price->addWidget(txtPrice, 1);
    price->addWidget(cmbCurrency);
    sums->addRow(tr("Price per kWh:"), price);
    static_cast<QLabel *>(sums->labelForField(price))->setBuddy(txtPrice);
    spnHomeShare->setRange(0, 100);
    spnHomeShare->setSuffix(u" %"_s);
    spnHomeShare->setValue(int(std::round(m_settings.homeShare() * 100)));
    sums->addRow(tr("Share used at home:"), spnHomeShare);
    txtFeedIn->setValue(m_settings.feedInPerKwh());
    sums->addRow(tr("Paid per kWh fed in:"), txtFeedIn);
    spnPlant->setRange(0, 1'000'000);
    spnPlant->setSuffix(u" Wp"_s);
    spnPlant->setSpecialValueText(tr("none"));
    spnPlant->setValue(int(std::round(m_settings.plantWp().value_or(0))));
    sums->addRow(tr("Plant size:"), spnPlant);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblKeptAside);
    layout->addLayout(days);
    layout->addWidget(m_curve, 1);
    layout->addWidget(lblCursor);
    layout->addWidget(lblCurve);
    layout->addLayout(periods);
    layout->addWidget(m_bars, 1);
    layout->addWidget(lblBar);
    layout->addWidget(lblFigures);
    layout->addWidget(lblCompare);
    layout->addWidget(lblExport);
    layout->addLayout(sums);

    connect(cmdPrevious, &QPushButton::clicked, this, [this] { showDay(m_day.addDays(-1)); });
    connect(cmdNext, &QPushButton::clicked, this, [this] { showDay(m_day.addDays(1)); });
    // A disabled button does not click: the keys go no further than the buttons.
    connect(m_curve, &CurveChart::dayStepRequested, this,
            [this](int days) { (days < 0 ? cmdPrevious : cmdNext)->click(); });
    connect(datDay, &QDateEdit::dateChanged, this, &HistoryWindow::showDay);
    connect(cmdToday, &QPushButton::clicked, this, [this] { showDay(m_today); });
    connect(m_curve, &CurveChart::cursorMoved, this, &HistoryWindow::showCursor);
    connect(cmdExportDay, &QPushButton::clicked, this, [this] { exportFile(true); });
    connect(cmdExport, &QPushButton::clicked, this, [this] { exportFile(false); });
    connect(cmdCopy, &QPushButton::clicked, this, [this] {
        QGuiApplication::clipboard()->setText(
                HistoryView::CopyText(m_shownBars, period(), QLocale()));
    });
    for (int step : { -1, 1 }) {
        connect(step < 0 ? cmdPreviousPeriod : cmdNextPeriod, &QPushButton::clicked, this,
                [this, step] {
                    showPeriod(period() == HistoryView::Period::Days ? m_period.addMonths(step)
                                                                     : m_period.addYears(step),
                               period());
                });
    }
    for (BarChart *chart : std::as_const(m_charts)) {
        connect(chart, &BarChart::selectionChanged, this, &HistoryWindow::showSelectedBar);
        connect(chart, &BarChart::opened, this, &HistoryWindow::openBar);
    }
    connect(m_bars, &QTabWidget::currentChanged, this, [this] { showPeriod(m_period, period()); });
    connect(txtPrice, &QDoubleSpinBox::valueChanged, this, [this](double price) {
        m_settings.setPricePerKwh(price);
        showFigures();
    });
    connect(cmbCurrency, &QComboBox::currentTextChanged, this, [this](const QString &code) {
        m_settings.setCurrency(code);
        showCurrency();
        showFigures();
    });
    connect(spnHomeShare, &QSpinBox::valueChanged, this, [this](int percent) {
        m_settings.setHomeShare(percent / 100.0);
        showFigures();
    });
    connect(spnPlant, &QSpinBox::valueChanged, this, [this](int watts) {
        m_settings.setPlantWp(watts);
        showFigures();
    });
    connect(txtFeedIn, &QDoubleSpinBox::valueChanged, this, [this](double price) {
        m_settings.setFeedInPerKwh(price);
        showFigures();
    });
    connect(m_pollCycle, &PollCycle::readingTaken, this, &HistoryWindow::takeReading);

    m_today = m_pollCycle->clock()().date();
    showDay(m_today);
}

HistoryView::Period HistoryWindow::period() const
{
    return HistoryView::Period(m_bars->currentIndex());
}

QMap<QDate, double> HistoryWindow::allDays() const
{
    const DailyTally &tally = m_pollCycle->tally();
    return HistoryView::AllDays(
            m_pollCycle->history().days(),
            { QDate::fromString(tally.currentDay, Qt::ISODate), tally.todayWh });
}

void HistoryWindow::showDay(QDate day)
{
    if (!day.isValid())
        return;
    m_day = day;
    m_readings = ReadingsFile::LoadDay(m_pollCycle->history().readingsFolder(), day);
    // The bars follow to the day's period.
    showPeriod(day, period());
}

void HistoryWindow::showPeriod(QDate day, HistoryView::Period period)
{
    m_period = day;
    if (int(period) != m_bars->currentIndex()) {
        m_bars->setCurrentIndex(int(period)); // shows the period again
        return;
    }
    showFigures();
    // The curve's day, or the period's last bar when the day is elsewhere.
    const int index = HistoryView::BarIndex(m_shownBars, period, m_day);
    m_charts[int(period)]->select(index >= 0 ? index : int(m_shownBars.size()) - 1);
    showSelectedBar();
}

void HistoryWindow::openBar(int index)
{
    using HistoryView::Period;
    if (index < 0 || index >= m_shownBars.size())
        return;
    const QDate date = m_shownBars[index].date;
    if (period() == Period::Days)
        showDay(date);
    else
        showPeriod(date, period() == Period::Years ? Period::Months : Period::Days);
}

void HistoryWindow::showCursor(int index)
{
    const QString text =
            index < 0 ? QString() : HistoryView::CursorText(m_readings.value(index), QLocale());
    lblCursor->setText(text);
    lblCursor->setVisible(index >= 0);
    m_curve->setToolTip(text);
    m_curve->setAccessibleName(index < 0 ? tr("Power over the day")
                                         : tr("Power over the day: %1").arg(text));
}

void HistoryWindow::exportFile(bool readings)
{
    using HistoryView::Period;
    const HistoryView::Range range = m_range;
    const QString name = readings      ? m_day.toString(u"'palvorin-'yyyy-MM-dd'-readings.csv'"_s)
            : period() == Period::Days ? range.first.toString(u"'palvorin-'yyyy-MM'.csv'"_s)
                                       : range.first.toString(u"'palvorin-'yyyy'.csv'"_s);
    auto *dialog = named(new QFileDialog(this,
                                         readings ? tr("Export the day's readings")
                                                  : tr("Export the period's days")),
                         u"exportDialog"_s);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setNameFilter(tr("CSV files (*.csv)"));
    dialog->setDefaultSuffix(u"csv"_s);
    dialog->selectFile(QDir::home().filePath(name));
    // What is shown when the dialog opens is written, whatever polls come meanwhile.
    QByteArray content;
    if (readings) {
        content = ReadingsFile::FormatReadings(m_readings);
    } else {
        QList<DayRecord> days;
        const QMap<QDate, double> all = allDays();
        for (auto day = all.lowerBound(range.first); day != all.cend() && day.key() <= range.last;
             ++day)
            days.append({ day.key(), *day });
        content = DaysFile::FormatDays(days);
    }
    connect(dialog, &QFileDialog::fileSelected, this, [this, content](const QString &path) {
        QString why;
        lblExport->setText(
                AtomicFile::Replace(path, content, &why)
                        ? tr("Exported to %1.").arg(QDir::toNativeSeparators(path))
                        : tr("Not exported to %1: %2").arg(QDir::toNativeSeparators(path), why));
    });
    dialog->open();
}

void HistoryWindow::takeReading(const Reading &reading)
{
    const QDate day = reading.time.date();
    // A window on today goes on with the next day at midnight.
    if (m_day == m_today && day > m_day) {
        m_day = day;
        m_period = day;
        m_readings.clear();
    }
    if (day == m_day)
        m_readings.append(reading);
    if (day.year() == m_peakMonth.year() && day.month() == m_peakMonth.month()
        && (!m_monthPeak || reading.powerW > m_monthPeak->powerW))
        m_monthPeak = reading;
    showFigures();
}

void HistoryWindow::showFigures()
{
    const QLocale locale;
    m_today = m_pollCycle->clock()().date();
    // Why the history may have started empty.
    lblKeptAside->setText(m_pollCycle->history().keptAside());
    lblKeptAside->setVisible(!lblKeptAside->text().isEmpty());
    const QMap<QDate, double> days = allDays();
    const QDate first = std::min(days.isEmpty() ? m_today : days.firstKey(), m_today);

    const std::optional<HistoryView::Peak> peak = HistoryView::DayPeak(m_readings);
    m_curve->setCurve(HistoryView::CurveSegments(m_readings), peak, m_day);
    const std::optional<double> plant = m_settings.plantWp();
    m_curve->setPlantWatts(plant.value_or(0));
    const auto recorded = days.constFind(m_day);
    const QString summary = HistoryView::CurveSummary(
            HistoryView::DayName(m_day, m_today, locale),
            recorded == days.cend() ? std::nullopt : std::optional(*recorded), m_readings, locale);
    lblDay->setText(locale.toString(m_day, QLocale::LongFormat));
    const QString gaps = HistoryView::GapsText(m_readings, locale);
    lblCurve->setText(gaps.isEmpty() ? summary : summary + u'\n' + gaps);
    m_curve->setAccessibleDescription(lblCurve->text());
    cmdPrevious->setEnabled(m_day > first);
    cmdNext->setEnabled(m_day < m_today);
    {
        const QSignalBlocker blocker(datDay);
        datDay->setDateRange(first, m_today);
        datDay->setDate(m_day);
    }

    using HistoryView::Period;
    const Period shown = period();
    m_range = HistoryView::PeriodRange(shown, m_period, first, m_today);
    const HistoryView::Range range = m_range;
    m_shownBars = HistoryView::PeriodBars(days, shown, range);
    showBars(m_charts[int(shown)], m_shownBars, shown, locale,
             // Last year's months whole, as an owner remembers them.
             shown == Period::Months ? HistoryView::PeriodBars(
                     days, Period::Months,
                     { range.first.addYears(-1), QDate(range.first.year() - 1, 12, 31) })
                                     : QList<HistoryView::Bar>());
    lblPeriod->setText(HistoryView::PeriodName(shown, range, locale));
    cmdPreviousPeriod->setEnabled(shown != Period::Years && range.first > first);
    cmdNextPeriod->setEnabled(shown != Period::Years && range.last < m_today);
    // A month's peak power from its readings file, read once while the month shows.
    if (shown == Period::Days && m_peakMonth != range.first) {
        m_peakMonth = range.first;
        m_monthPeak = HistoryView::HighestReading(
                ReadingsFile::LoadMonth(m_pollCycle->history().readingsFolder(), range.first));
    }
    lblFigures->setText(HistoryView::FiguresText(HistoryView::PeriodFigures(days, range),
                                                 shown == Period::Days ? m_monthPeak : std::nullopt,
                                                 locale)
                                .join(u'\n'));
    lblCompare->setText(shown == Period::Years
                                ? QString()
                                : HistoryView::CompareText(days, shown, range, m_today, locale));
    lblCompare->setVisible(shown != Period::Years);

    using HistoryView::Span;
    const HistoryView::Sums sums = HistoryView::HistorySums(days, m_today);
    const HistoryView::Worth worth{ m_settings.pricePerKwh().value_or(0), m_settings.currency(),
                                    m_settings.homeShare(), m_settings.feedInPerKwh() };
    const auto text = [&](std::optional<double> wattHours, Span span = Span::Day,
                          const QString &note = QString()) {
        const QString yield = plant && wattHours
                ? HistoryView::YieldText(*wattHours, *plant, locale, span)
                : QString();
        return HistoryView::SumText(wattHours, worth, locale, span, yield + note);
    };
    const QStringList texts{
        text(sums.today),
        text(sums.yesterday),
        text(sums.month, Span::Period,
             HistoryView::RecordedText(sums.monthDaysRecorded, sums.monthDays)),
        text(sums.year, Span::Period,
             HistoryView::RecordedText(sums.yearDaysRecorded, sums.yearDays)),
        text(sums.all, Span::Period),
        sums.best ? text(sums.best->energyWh, Span::Day,
                         //: The best day's energy is followed by " on <date>".
                         tr(" on %1").arg(locale.toString(sums.best->date, QLocale::LongFormat)))
                  : text(std::nullopt)
    };
    for (qsizetype i = 0; i < m_sums.size(); ++i) {
        m_sums[i]->setText(texts[i]);
        m_sums[i]->setAccessibleName(tr("%1: %2").arg(m_sumNames[i], texts[i]));
    }
}

void HistoryWindow::showCurrency()
{
    const QString sign = u' ' + HistoryView::CurrencySign(m_settings.currency(), QLocale());
    txtPrice->setSuffix(sign);
    txtFeedIn->setSuffix(sign);
}

void HistoryWindow::showSelectedBar()
{
    lblBar->setText(m_charts[m_bars->currentIndex()]->selectedText());
}
