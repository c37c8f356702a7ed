// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "mainwindow.h"

#include "passworddialog.h"
#include "rememberedpasswords.h"
#include "statefile.h"

#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// The narrow dialog face the layout was drawn for, or a face with the same
// metrics; where none is installed the system's sans-serif stands in.
constexpr int DialogPointSize = 8;
constexpr int FigurePointSize = 12;

QFont dialogFont(int pointSize, bool bold = false)
{
    QFont font(u"MS Sans Serif"_s, pointSize);
    font.setFamilies(
            { u"MS Sans Serif"_s, u"Microsoft Sans Serif"_s, u"Liberation Sans"_s, u"Arial"_s });
    font.setStyleHint(QFont::SansSerif);
    font.setBold(bold);
    return font;
}

// The status line in the room it has: a word too wide for a line (a long
// typed address, a URL in a system message) loses its middle, and a text
// still too long for the label loses its end. The tooltip keeps it whole.
QString fittedStatus(const QLabel *label, const QString &text)
{
    const QFontMetrics metrics(label->font());
    const QRect room = label->contentsRect();
    QStringList words = text.split(u' ');
    for (QString &word : words)
        word = metrics.elidedText(word, Qt::ElideMiddle, room.width());
    QString fitted = words.join(u' ');
    while (fitted.size() > 1
           && metrics.boundingRect(room, Qt::TextWordWrap, fitted).height() > room.height())
        fitted = fitted.chopped(2) + u'\u2026';
    return fitted;
}

// Shrinks the widget's font from `pointSize` until `text` fits `room`
// pixels: the layout is fixed, and a figure cut short ("1532.0 W" for
// "1532.0 Wh") would mislead.
void fitTextToWidth(QWidget *widget, const QString &text, int room, qreal pointSize)
{
    constexpr qreal Smallest = 6;
    QFont font = widget->font();
    font.setPointSizeF(pointSize);
    const int width = QFontMetrics(font).horizontalAdvance(text);
    if (width > room) {
        // Text width follows the point size closely: start from the
        // proportional guess and step down from there.
        font.setPointSizeF(std::max(Smallest, std::ceil(2 * pointSize * room / width) / 2));
        while (font.pointSizeF() > Smallest && QFontMetrics(font).horizontalAdvance(text) > room)
            font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    if (font != widget->font())
        widget->setFont(font);
}

void fitTextToWidth(QLabel *label, qreal pointSize)
{
    fitTextToWidth(label, label->text(), label->contentsRect().width(), pointSize);
}

// Gives `widget` the name screen readers read; Qt announces a new name to
// them.
void setScreenReaderName(QWidget *widget, const QString &name)
{
    if (widget->accessibleName() != name)
        widget->setAccessibleName(name);
}

template<typename Widget>
Widget *named(Widget *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

} // namespace

MainWindow::MainWindow(MonitorSetup setup, QWidget *parent)
    : QWidget(parent),
      lblIP(named(new QLabel(this), u"lblIP"_s)),
      txtIP(named(new QLineEdit(setup.presetAddress, this), u"txtIP"_s)),
      lblToday(named(new QLabel(u"0.0 Wh"_s, this), u"lblToday"_s)),
      lblStatus(named(new QLabel(tr("Starting..."), this), u"lblStatus"_s)),
      lblNow(named(new QLabel(u"0.0 W"_s, this), u"lblNow"_s)),
      Command1(named(new QPushButton(tr("Details"), this), u"Command1"_s)),
      Timer1(named(new QTimer(this), u"Timer1"_s)),
      m_pollCycle(new PollCycle(QString::fromLatin1(StateFile::DefaultName), std::move(setup.clock),
                                setup.deviceTimeout, this)),
      m_passwordDialog(new PasswordDialog(this)),
      m_passwords(new RememberedPasswords(setup.keyring, m_pollCycle, m_passwordDialog, this)),
      m_openInEditor(std::move(setup.openInEditor))
{
    setWindowTitle(u"Palvorin"_s);
    setFont(dialogFont(DialogPointSize));
    // All geometry in device-independent pixels. The status line gets the
    // room below it that four lines need.
    const int statusHeight =
            QFontMetrics(font()).boundingRect(QRect(), 0, u"1\n2\n3\n4"_s).height();
    setFixedSize(277, 56 + statusHeight + 8);
    const QString gap(20, u' ');
    // Every label shows its text as written: a typed address or a device's
    // reason phrase in the status line may hold markup.
    for (QLabel *label : { lblIP, lblToday, lblStatus, lblNow })
        label->setTextFormat(Qt::PlainText);
    lblIP->setText(tr("Shelly IP:") + gap + tr("Current") + gap + tr("Day"));
    lblIP->setGeometry(8, 8, 265, 25);
    lblIP->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    fitTextToWidth(lblIP, font().pointSizeF());
    txtIP->setGeometry(8, 24, 81, 19);
    // The box shows a whole dotted address inside its frame, the two pixels
    // QLineEdit keeps on either side of the text and the cursor after it.
    const int addressRoom = txtIP->width() - 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth)
            - 2 * 2 - style()->pixelMetric(QStyle::PM_TextCursorWidth);
    fitTextToWidth(txtIP, u"000.000.000.000"_s, addressRoom, DialogPointSize);
    lblToday->setGeometry(184, 24, 81, 25);
    lblToday->setFont(dialogFont(FigurePointSize, true));
    lblStatus->setGeometry(8, 56, 193, statusHeight);
    lblStatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblStatus->setWordWrap(true);
    lblNow->setGeometry(96, 24, 73, 25);
    lblNow->setFont(dialogFont(FigurePointSize));
    Command1->setGeometry(200, 48, 49, 25);

    txtIP->setAccessibleName(tr("Device address"));
    txtIP->setAccessibleDescription(tr("IP address or host name of the metered switch"));
    showFigure(lblNow, tr("Current power"), lblNow->text());
    lblNow->setAccessibleDescription(tr("Power the device measures now, in watts"));
    showFigure(lblToday, tr("Energy today"), lblToday->text());
    lblToday->setAccessibleDescription(
            tr("Energy counted since the first poll of the day, in watt-hours"));
    Command1->setAccessibleDescription(tr("Opens the production logs in the text editor"));
    setTabOrder(txtIP, Command1);
    txtIP->setFocus();

    connect(m_pollCycle, &PollCycle::powerTextChanged, this,
            [this](const QString &text) { showFigure(lblNow, tr("Current power"), text); });
    connect(m_pollCycle, &PollCycle::todayTextChanged, this,
            [this](const QString &text) { showFigure(lblToday, tr("Energy today"), text); });
    connect(m_pollCycle, &PollCycle::statusTextChanged, this, &MainWindow::showStatus);
    connect(Command1, &QPushButton::clicked, this, &MainWindow::showDetails);

    connect(m_pollCycle, &PollCycle::passwordNeeded, this, [this](const QString &address) {
        if (m_askForPassword)
            m_passwordDialog->Ask(address);
    });
    connect(m_passwordDialog, &QDialog::accepted, this, [this] {
        m_passwords->Give(m_passwordDialog->address(), m_passwordDialog->takePassword(),
                          m_passwordDialog->remember());
        m_pollCycle->PollDevice(txtIP->text());
    });
    connect(m_passwordDialog, &QDialog::rejected, this, [this] { m_askForPassword = false; });
    // A user who has typed a new address need not wait for the next tick.
    connect(txtIP, &QLineEdit::returnPressed, this, [this] {
        m_askForPassword = true;
        m_pollCycle->PollDevice(txtIP->text());
    });

    Timer1->setInterval(setup.pollInterval);
    connect(Timer1, &QTimer::timeout, this, [this] {
        if (!m_passwordDialog->isVisible())
            m_pollCycle->PollDevice(txtIP->text());
    });
    Timer1->start();

    const QString polling = QString::number(Timer1->interval() / 1000);
    if (const QString unreadable = m_pollCycle->LoadState(); unreadable.isEmpty())
        showStatus(tr("Loaded. Polling every %1s.").arg(polling));
    else
        showStatus(tr("%1 Polling every %2s.").arg(unreadable, polling));
    // A password remembered for the device answers its first poll.
    m_passwords->ReadBeforePolling(txtIP->text(), setup.keyringWait,
                                   [this] { m_pollCycle->PollDevice(txtIP->text()); });
}

void MainWindow::showStatus(const QString &text)
{
    m_statusText = text;
    Q_EMIT statusShown(text);
    lblStatus->setText(fittedStatus(lblStatus, text));
    // A tooltip that looks like markup is shown as rich text: escaped, it
    // shows as written.
    lblStatus->setToolTip(Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text) : text);
    // Screen readers read the whole line, not the fitted one.
    setScreenReaderName(lblStatus, tr("Status: %1").arg(text));
}

void MainWindow::showFigure(QLabel *label, const QString &meaning, const QString &text)
{
    label->setText(text);
    // A screen reader reads the label's name, not its text: the name carries
    // the figure as shown.
    setScreenReaderName(label, tr("%1: %2").arg(meaning, text));
    fitTextToWidth(label, FigurePointSize);
}

void MainWindow::showDetails()
{
    QStringList notOpened;
    QString reason;
    for (const QString &log : { u"daily_production_log.csv"_s, u"production_log.csv"_s }) {
        if (const QString why = m_openInEditor(log); !why.isEmpty()) {
            notOpened.append(log);
            reason = why;
        }
    }
    if (!notOpened.isEmpty())
        showStatus(tr("Could not open %1: %2.").arg(notOpened.join(u" or "_s), reason));
}
