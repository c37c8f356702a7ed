// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "barchart.h"

#include "historyview.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <limits>

BarChart::BarChart(const QString &title, QWidget *parent) : Chart(parent)
{
    setAccessibleName(title);
}

void BarChart::setBars(const QList<double> &values, const QList<bool> &recorded,
                       const QStringList &labels, const QStringList &texts)
{
    m_values.clear();
    for (const double wattHours : values)
        m_values.append(wattHours / 1000);
    m_recorded = recorded;
    m_labels = labels;
    m_texts = texts;
    select(std::min(m_selected < 0 ? std::numeric_limits<int>::max() : m_selected,
                    int(values.size()) - 1));
}

void BarChart::select(int index)
{
    m_selected = index;
    setAccessibleDescription(selectedText());
    update();
    Q_EMIT selectionChanged(selectedText());
}

double BarChart::highest() const
{
    return m_values.isEmpty() ? 0 : *std::max_element(m_values.cbegin(), m_values.cend());
}

QString BarChart::valueText(double kilowattHours, const QLocale &locale) const
{
    return HistoryView::AxisKwhText(kilowattHours, locale);
}

void BarChart::paintPlot(QPainter &painter, const QRectF &plot, double top)
{
    m_plot = plot;
    const int count = int(m_values.size());
    QColor growing = palette().color(QPalette::Highlight);
    growing.setAlphaF(0.5);
    for (int index = 0; index < count; ++index) {
        if (!m_recorded.value(index, true)) {
            painter.fillRect(ChartScale::BarRect(plot, index, count, top, top),
                             QBrush(palette().color(QPalette::Mid), Qt::BDiagPattern));
        }
        const QRectF bar = ChartScale::BarRect(plot, index, count, m_values[index], top);
        painter.fillRect(bar, index < count - 1 ? palette().color(QPalette::Highlight) : growing);
        paintBelow(painter, plot, bar.center().x(), m_labels.value(index));
    }
    if (m_selected < 0)
        return;
    // Solid while the keys move it.
    painter.setPen(hasFocus() ? QPen(palette().color(QPalette::Text), 2.0)
                              : QPen(palette().color(QPalette::Text), 1.0, Qt::DotLine));
    painter.drawRect(ChartScale::BarRect(plot, m_selected, count, top, top));
}

bool BarChart::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return Chart::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const int index = ChartScale::BarAt(m_plot, int(m_values.size()), help->pos().x());
    if (index < 0)
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), m_texts[index], this);
    return true;
}

void BarChart::keyPressEvent(QKeyEvent *event)
{
    const int last = int(m_values.size()) - 1;
    switch (event->key()) {
    case Qt::Key_Left:
        return select(std::max(m_selected - 1, 0));
    case Qt::Key_Right:
        return select(std::min(m_selected + 1, last));
    case Qt::Key_Home:
        return select(0);
    case Qt::Key_End:
        return select(last);
    default:
        Chart::keyPressEvent(event);
    }
}

void BarChart::mousePressEvent(QMouseEvent *event)
{
    if (const int index = ChartScale::BarAt(m_plot, int(m_values.size()), event->position().x());
        index >= 0)
        select(index);
}
