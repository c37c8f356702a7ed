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
                       const QStringList &labels, const QStringList &texts,
                       const QList<double> &earlier)
{
    m_values.clear();
    for (const double wattHours : values)
        m_values.append(wattHours / 1000);
    m_earlier.clear();
    for (const double wattHours : earlier)
        m_earlier.append(wattHours / 1000);
    m_recorded = recorded;
    m_labels = labels;
    m_texts = texts;
    select(std::min(m_selected < 0 ? std::numeric_limits<int>::max() : m_selected,
                    int(values.size()) - 1));
}

void BarChart::select(int index)
{
    if (index < 0 || index >= m_values.size())
        return;
    m_selected = index;
    setAccessibleDescription(selectedText());
    update();
    Q_EMIT selectionChanged(selectedText());
}

double BarChart::highest() const
{
    const QList<double> all = m_values + m_earlier;
    return all.isEmpty() ? 0 : *std::max_element(all.cbegin(), all.cend());
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
    QColor earlier = growing;
    earlier.setAlphaF(0.3);
    for (int index = 0; index < count; ++index) {
        if (!m_recorded.value(index, true)) {
            painter.fillRect(ChartScale::BarRect(plot, index, count, top, top),
                             QBrush(palette().color(QPalette::Mid), Qt::BDiagPattern));
        }
        QRectF bar = ChartScale::BarRect(plot, index, count, m_values[index], top);
        const double middle = bar.center().x();
        if (index < m_earlier.size()) {
            QRectF before = ChartScale::BarRect(plot, index, count, m_earlier[index], top);
            before.setWidth(bar.width() / 2);
            painter.fillRect(before, earlier);
            bar.setLeft(before.right());
        }
        painter.fillRect(bar, index < count - 1 ? palette().color(QPalette::Highlight) : growing);
        paintBelow(painter, plot, middle, m_labels.value(index));
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
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Q_EMIT opened(m_selected);
        return;
    default:
        Chart::keyPressEvent(event);
    }
}

void BarChart::mousePressEvent(QMouseEvent *event)
{
    if (const int index = ChartScale::BarAt(m_plot, int(m_values.size()), event->position().x());
        index >= 0) {
        select(index);
        Q_EMIT opened(index);
    }
}
