// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "mainwindow.h"

#include "devicefinder.h"
#include "finddialog.h"
#include "historywindow.h"
#include "passworddialog.h"
#include "rememberedpasswords.h"
#include "settings.h"
#include "statefile.h"

#include <QAction>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTextLayout>
#include <QTimer>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr int DialogPointSize = 8;
constexpr int FigurePointSize = 12;

// The narrow dialog face the layout was drawn for, else a face with its
// metrics; where none is installed the system's sans-serif stands in. The
// stand-ins go after any named before, so a test can choose the face.
QFont dialogFont(int pointSize, bool bold = false)
{
    const QString face = u"MS Sans Serif"_s;
    QFont::insertSubstitutions(face,
                               { u"Microsoft Sans Serif"_s, u"Liberation Sans"_s, u"Arial"_s });
    QFont font(face, pointSize);
    font.setStyleHint(QFont::SansSerif);
    font.setBold(bold);
    return font;
}

// The status line in the room it has, fitted in one pass: a word too wide for
// a line (a long typed address, a URL in a system message) loses its middle,
// and a text still too long for the label loses its end. The tooltip keeps it
// whole.
QString fittedStatus(const QLabel *label, const QString &text)
{
    const QFontMetrics metrics(label->font());
    const int width = label->contentsRect().width();
    QStringList words = text.split(u' ');
    for (QString &word : words)
        word = metrics.elidedText(word, Qt::ElideMiddle, width);
    const QString wrapped = words.join(u' ');

    QTextLayout layout(wrapped, label->font());
    layout.beginLayout();
    const int lineCount = label->contentsRect().height() / metrics.lineSpacing();
    qsizetype lastStart = 0;
    for (int i = 0; i < lineCount; ++i) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        lastStart = line.textStart();
    }
    const bool whole = !layout.createLine().isValid();
    layout.endLayout();
    if (whole)
        return wrapped;
    return wrapped.first(lastStart)
            + metrics.elidedText(wrapped.sliced(lastStart), Qt::ElideRight, width);
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

// The address the user confirmed in an earlier run, else the preset one.
QString startAddress(const MonitorSetup &setup)
{
    const QString kept = setup.settings ? setup.settings->deviceAddress() : QString();
    return kept.isEmpty() ? setup.presetAddress : kept;
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
      lblIP(named(new QLabel(tr("Shelly IP:"), this), u"lblIP"_s)),
      lblNowHeading(named(new QLabel(tr("Current"), this), u"lblNowHeading"_s)),
      lblTodayHeading(named(new QLabel(tr("Day"), this), u"lblTodayHeading"_s)),
      txtIP(named(new QLineEdit(startAddress(setup), this), u"txtIP"_s)),
      cmdFind(named(new QPushButton(tr("Find"), this), u"cmdFind"_s)),
      lblToday(named(new QLabel(u"0.0 Wh"_s, this), u"lblToday"_s)),
      lblStatus(named(new QLabel(tr("Starting..."), this), u"lblStatus"_s)),
      lblNow(named(new QLabel(u"0.0 W"_s, this), u"lblNow"_s)),
      Command1(named(new QPushButton(tr("Details"), this), u"Command1"_s)),
      cmdHistory(named(new QPushButton(tr("History"), this), u"cmdHistory"_s)),
      Timer1(named(new QTimer(this), u"Timer1"_s)),
      actFlowsBack(named(new QAction(tr("Production flows &back through the meter"), this),
                         u"actFlowsBack"_s)),
      actSecondChannel(named(new QAction(tr("Plant on the meter's s&econd channel"), this),
                             u"actSecondChannel"_s)),
      m_pollCycle(new PollCycle(QString::fromLatin1(StateFile::DefaultName), std::move(setup.clock),
                                setup.deviceTimeout, this)),
      m_passwordDialog(new PasswordDialog(this)),
      m_passwords(new RememberedPasswords(setup.keyring, setup.settings, setup.keyringWait, this)),
      m_settings(setup.settings),
      m_finder(new DeviceFinder(setup.findTime, this)),
      m_findDialog(named(new FindDialog(this), u"findDialog"_s)),
      m_openInEditor(std::move(setup.openInEditor))
{
    setWindowTitle(u"Palvorin"_s);
    setFont(dialogFont(DialogPointSize));
    // All geometry in device-independent pixels. The status line gets the
    // room below it that four lines need.
    const int statusHeight =
            QFontMetrics(font()).boundingRect(QRect(), 0, u"1\n2\n3\n4"_s).height();
    setFixedSize(321, 56 + statusHeight + 8);
    // Every label shows its text as written: a typed address or a device's
    // reason phrase in the status line may hold markup.
    for (QLabel *label : { lblIP, lblNowHeading, lblTodayHeading, lblToday, lblStatus, lblNow })
        label->setTextFormat(Qt::PlainText);
    // Each heading stands over what it names, the figures centred under
    // theirs, whatever the widths of the face.
    lblIP->setGeometry(8, 8, 81, 16);
    lblIP->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    txtIP->setGeometry(8, 24, 81, 19);
    // The box shows a whole dotted address inside its frame, the two pixels
    // QLineEdit keeps on either side of the text and the cursor after it.
    const int addressRoom = txtIP->width() - 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth)
            - 2 * 2 - style()->pixelMetric(QStyle::PM_TextCursorWidth);
    fitTextToWidth(txtIP, u"000.000.000.000"_s, addressRoom, DialogPointSize);
    cmdFind->setGeometry(93, 23, 41, 21);
    lblNowHeading->setGeometry(140, 8, 73, 16);
    lblNowHeading->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblNow->setGeometry(140, 24, 73, 24);
    lblNow->setAlignment(Qt::AlignCenter);
    lblTodayHeading->setGeometry(228, 8, 81, 16);
    lblTodayHeading->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblToday->setGeometry(228, 24, 81, 24);
    lblToday->setAlignment(Qt::AlignCenter);
    lblToday->setFont(dialogFont(FigurePointSize, true));
    // The status line stops short of the button; below the button is room
    // for another.
    lblStatus->setGeometry(8, 56, 232, statusHeight);
    lblStatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblStatus->setWordWrap(true);
    Command1->setGeometry(244, 48, 49, 25);
    cmdHistory->setGeometry(244, 77, 49, 25);

    txtIP->setAccessibleName(tr("Device address"));
    txtIP->setAccessibleDescription(tr("IP address or host name of the metered switch"));
    cmdFind->setAccessibleDescription(tr("Looks for devices on the local network"));
    // The figures take their size as they are shown.
    showFigure(lblNow, tr("Current power"), lblNow->text());
    lblNow->setAccessibleDescription(tr("Power the device measures now, in watts"));
    showFigure(lblToday, tr("Energy today"), lblToday->text());
    lblToday->setAccessibleDescription(
            tr("Energy counted since the first poll of the day, in watt-hours"));
    Command1->setAccessibleDescription(tr("Opens the production logs in the text editor"));
    cmdHistory->setAccessibleDescription(
            tr("Opens the production history: the day's curve, past days and months, sums"));
    // The keyboard starts in the address box, the first control that takes it.
    setTabOrder(txtIP, cmdFind);
    setTabOrder(cmdFind, Command1);
    setTabOrder(Command1, cmdHistory);

    connect(m_pollCycle, &PollCycle::powerTextChanged, this,
            [this](const QString &text) { showFigure(lblNow, tr("Current power"), text); });
    connect(m_pollCycle, &PollCycle::todayTextChanged, this,
            [this](const QString &text) { showFigure(lblToday, tr("Energy today"), text); });
    connect(m_pollCycle, &PollCycle::statusTextChanged, this, [this](const QString &text) {
        m_pollStatus = text;
        showPollStatus();
    });
    connect(Command1, &QPushButton::clicked, this, &MainWindow::showDetails);
    // What earlier runs found of their devices: a known device is polled at once.
    const QHash<QString, QByteArray> known =
            m_settings ? m_settings->knownDevices() : QHash<QString, QByteArray>();
    for (auto device = known.cbegin(); device != known.cend(); ++device) {
        if (const std::optional<KnownDevice> found = KnownDevice::fromText(device.value()))
            m_pollCycle->KnowDevice(device.key(), *found);
    }
    connect(m_pollCycle, &PollCycle::deviceKnown, this,
            [this](const QString &address, const KnownDevice &device) {
                if (m_settings)
                    m_settings->setKnownDevice(address, device.toText());
                showDirection();
            });
    connect(m_pollCycle, &PollCycle::deviceNamed, this, [this](const QString &name) {
        if (name == m_deviceName)
            return;
        m_deviceName = name;
        showDirection();
        showStatus(m_statusText);
    });
    actFlowsBack->setCheckable(true);
    actFlowsBack->setToolTip(
            tr("Ticked, the day counts the energy the meter counts as flowing back (a negative "
               "power) as the plant's production. Palvorin ticks it itself at the first reading "
               "of 5 W either way; turn it where the plug is wired the other way."));
    connect(actFlowsBack, &QAction::triggered, this, [this](bool back) {
        m_pollCycle->SetDirection(PollCycle::DeviceAddress(m_polledText),
                                  back ? FlowDirection::Reverse : FlowDirection::Forward);
    });
    addAction(actFlowsBack);
    actSecondChannel->setCheckable(true);
    actSecondChannel->setToolTip(tr("For meters with two clamps (Pro EM, EM Gen3): ticked, the "
                                    "day counts the second channel's energy, else the first's."));
    connect(actSecondChannel, &QAction::triggered, this, [this](bool second) {
        m_pollCycle->SetEmChannel(PollCycle::DeviceAddress(m_polledText), second ? 1 : 0);
    });
    addAction(actSecondChannel);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    showDirection();
    connect(cmdHistory, &QPushButton::clicked, this, &MainWindow::showHistory);
    connect(cmdFind, &QPushButton::clicked, this, &MainWindow::findDevices);
    connect(m_finder, &DeviceFinder::finished, this,
            [this](const QList<FoundDevice> &devices, const QString &failure) {
                m_findDialog->ShowFound(devices, failure);
                cmdFind->setEnabled(true);
            });
    connect(m_findDialog, &FindDialog::chosen, this, &MainWindow::confirmAddress);

    // The keyring's passwords and its state reach the poll cycle and the
    // dialog; a refusal reaches the keyring.
    if (const QString why = m_passwords->keyringFailure(); !why.isEmpty())
        m_passwordDialog->SetKeyringFailure(why);
    connect(m_passwords, &RememberedPasswords::keyringFailureChanged, m_passwordDialog,
            &PasswordDialog::SetKeyringFailure);
    connect(m_passwords, &RememberedPasswords::passwordFound, m_pollCycle,
            [this](const QString &address, const QString &password) {
                m_pollCycle->SetPassword(address, password);
            });
    connect(m_pollCycle, &PollCycle::passwordRefused, m_passwordDialog,
            &PasswordDialog::MarkRefused);
    connect(m_pollCycle, &PollCycle::passwordRefused, m_passwords, &RememberedPasswords::Refused);
    connect(m_passwords, &RememberedPasswords::rememberFinished, this,
            [this](const QString &failure) {
                m_notRemembered = failure;
                showPollStatus();
            });

    // A tick can poll an address still being typed: a device there that asks
    // for a password says so in the status line only, and the dialog, which
    // would take the rest of the typing, waits for Return.
    connect(m_pollCycle, &PollCycle::passwordNeeded, this, [this](const QString &address) {
        if (!m_addressConfirmed || m_polledText != txtIP->text())
            showStatus(tr("%1: press Return in the address box to enter it").arg(m_pollStatus));
        else if (m_askForPassword && !m_passwords->ReadOnce(address, [this] { poll(); }))
            m_passwordDialog->Ask(address);
    });
    connect(m_passwordDialog, &QDialog::accepted, this, [this] {
        const QString address = m_passwordDialog->address();
        const QString password = m_passwordDialog->takePassword();
        m_pollCycle->SetPassword(address, password, true);
        m_notRemembered.clear();
        m_passwords->Give(address, password, m_passwordDialog->remember());
        poll();
    });
    connect(m_passwordDialog, &QDialog::rejected, this, [this] { m_askForPassword = false; });
    connect(txtIP, &QLineEdit::textEdited, this, [this] { m_addressConfirmed = false; });
    // A user who has typed a new address need not wait for the next tick.
    connect(txtIP, &QLineEdit::returnPressed, this, [this] { confirmAddress(txtIP->text()); });

    Timer1->setInterval(setup.pollInterval);
    connect(Timer1, &QTimer::timeout, this, [this] {
        if (!m_passwordDialog->isVisible())
            poll();
    });
    Timer1->start();

    const QString polling = QString::number(Timer1->interval() / 1000);
    // The sentences about unreadable files, the state file's first.
    const QString unreadable = QStringList{ m_pollCycle->LoadState(), m_pollCycle->LoadHistory() }
                                       .join(u' ')
                                       .trimmed();
    if (unreadable.isEmpty())
        showStatus(tr("Loaded. Polling every %1s.").arg(polling));
    else
        showStatus(tr("%1 Polling every %2s.").arg(unreadable, polling));
    showFigure(lblToday, tr("Energy today"), m_pollCycle->todayText());
    // A password remembered for the device answers its first poll.
    m_passwords->ReadBeforePolling(PollCycle::DeviceAddress(txtIP->text()), [this] { poll(); });
}

void MainWindow::confirmAddress(const QString &text)
{
    if (txtIP->text() != text)
        txtIP->setText(text);
    // Only an address that can be polled is kept: a text with a password in it is not.
    if (m_settings && text.trimmed().isEmpty())
        m_settings->setDeviceAddress({});
    else if (m_settings && !PollCycle::DeviceAddress(text).isEmpty())
        m_settings->setDeviceAddress(text);
    m_askForPassword = true;
    m_addressConfirmed = true;
    m_polledText = text;
    m_pollCycle->PollNow(m_polledText);
}

// Polls the device at the box's text, unless a poll still waits for its
// device.
void MainWindow::poll()
{
    if (m_pollCycle->isPolling())
        return;
    m_polledText = txtIP->text();
    m_pollCycle->PollDevice(m_polledText);
}

// The direction of the polled device, where its meter counts both ways.
void MainWindow::showDirection()
{
    const std::optional<KnownDevice> device =
            m_pollCycle->knownDevice(PollCycle::DeviceAddress(m_polledText));
    actFlowsBack->setEnabled(device && device->model.hasReturnCounter);
    actFlowsBack->setChecked(device && device->direction == FlowDirection::Reverse);
    const bool em = device && device->model.meter == Meter::EM1;
    actSecondChannel->setEnabled(em);
    actSecondChannel->setChecked(em && device->model.channel == 1);
}

// Looks only when asked: a search sends to every network the computer is on.
void MainWindow::findDevices()
{
    cmdFind->setEnabled(false);
    m_findDialog->ShowSearching();
    m_finder->Find();
}

void MainWindow::showStatus(const QString &status)
{
    // A file kept aside is why the day or the history started empty: that stays in view for the
    // rest of the run (the start-up line says it already).
    QString text = status;
    if (const QString kept = m_pollCycle->keptAside(); !text.contains(kept))
        text += u' ' + kept;
    m_statusText = text;
    Q_EMIT statusShown(text);
    lblStatus->setText(fittedStatus(lblStatus, text));
    // A tooltip that looks like markup is shown as rich text: escaped, it
    // shows as written.
    // It names the device that answers, as it named itself.
    const QString tip =
            m_deviceName.isEmpty() ? text : tr("%1\nDevice: %2").arg(text, m_deviceName);
    lblStatus->setToolTip(Qt::mightBeRichText(tip) ? Qt::convertFromPlainText(tip) : tip);
    // Screen readers read the whole line, not the fitted one.
    setScreenReaderName(lblStatus, tr("Status: %1").arg(text));
}

void MainWindow::showPollStatus()
{
    if (m_notRemembered.isEmpty())
        showStatus(m_pollStatus);
    else
        showStatus(tr("%1 (password not remembered: %2)").arg(m_pollStatus, m_notRemembered));
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
    if (notOpened.size() == 1)
        showStatus(tr("Could not open %1: %2.").arg(notOpened[0], reason));
    else if (notOpened.size() == 2)
        showStatus(tr("Could not open %1 or %2: %3.").arg(notOpened[0], notOpened[1], reason));
}

void MainWindow::showHistory()
{
    if (!m_historyWindow)
        m_historyWindow = new HistoryWindow(m_pollCycle, this);
    m_historyWindow->show();
    m_historyWindow->raise();
    m_historyWindow->activateWindow();
}
