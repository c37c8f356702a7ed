// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "barchart.h"

#include "historyview.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

BarChart::BarChart(const QString &title, QWidget *parent) : Chart(parent), m_title(title) { }

void BarChart::setBars(const QList<double> &values, const QStringList &labels,
                       const QStringList &texts)
{
    m_values = values;
    m_labels = labels;
    m_texts = texts;
    select(m_selected < 0 ? int(values.size()) - 1 : std::min(m_selected, int(values.size()) - 1));
    update();
}

void BarChart::select(int index)
{
    m_selected = index;
    setAccessibleName(tr("%1: %2").arg(m_title, selectedText()));
    update();
    Q_EMIT selectionChanged(selectedText());
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

void BarChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QLocale locale;
    const ChartScale::Axis axis = ChartScale::NiceAxis(
            m_values.isEmpty() ? 0 : *std::max_element(m_values.cbegin(), m_values.cend()),
            GridSteps);
    m_plot = paintGrid(painter, axis, [&locale](double wattHours) {
        return HistoryView::EnergyText(wattHours, locale);
    });
    const int count = int(m_values.size());
    QColor growing = palette().color(QPalette::Highlight);
    growing.setAlphaF(0.5);
    for (int index = 0; index < count; ++index) {
        const QRectF bar = ChartScale::BarRect(m_plot, index, count, m_values[index], axis.top());
        painter.fillRect(bar, index + 1 < count ? palette().color(QPalette::Highlight) : growing);
        paintAxisLabel(painter, m_plot, bar.center().x(), m_labels.value(index));
    }
    if (m_selected >= 0) {
        painter.setPen(QPen(palette().color(QPalette::Text), 1, Qt::DotLine));
        painter.drawRect(ChartScale::BarRect(m_plot, m_selected, count, axis.top(), axis.top()));
    }
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
