// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "trayicon.h"

#include "autostart.h"
#include "settings.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QDir>
#include <QTimer>
#include <QPainter>
#include <QSignalBlocker>

using namespace Qt::StringLiterals;

TrayIcon::TrayIcon(QWidget *window, Settings *settings, QObject *parent)
    : QObject(parent),
      m_window(window),
      m_settings(settings),
      m_icon(this),
      m_showWindow(m_menu.addAction(tr("&Show window"))),
      m_startAtSignIn(new QAction(tr("S&tart at sign-in"), this))
{
    m_icon.setObjectName(u"trayIcon"_s);
    m_menu.setObjectName(u"trayMenu"_s);
    connect(m_showWindow, &QAction::triggered, this, &TrayIcon::toggleWindow);
    connect(m_menu.addAction(tr("H&istory")), &QAction::triggered, this,
            &TrayIcon::historyRequested);
    connect(m_menu.addAction(tr("&Details")), &QAction::triggered, this,
            &TrayIcon::detailsRequested);
    m_startAtSignIn->setCheckable(true);
    m_startAtSignIn->setToolTip(
            tr("Ticked, Palvorin starts at sign-in in the folder it works in now: %1")
                    .arg(QDir::toNativeSeparators(QDir::currentPath())));
    m_startAtSignIn->setChecked(Autostart::IsEnabled());
    //: The submenu of the notices that can be switched on and off
    QMenu *notify = m_menu.addMenu(tr("&Notify me when…"));
    const std::pair<NoticeKind, QString> notices[] = {
        { NoticeKind::Unreachable, tr("The plug cannot be &reached") },
        { NoticeKind::Stopped, tr("Production &stops in daylight") },
        { NoticeKind::Yield, tr("The day's production has &ended, with its yield") },
    };
    for (const auto &[kind, text] : notices) {
        QAction *item = notify->addAction(text);
        item->setCheckable(true);
        item->setChecked(m_settings->notifies(kind));
        connect(item, &QAction::toggled, this,
                [this, kind](bool on) { m_settings->setNotifies(kind, on); });
    }
    m_menu.addAction(m_startAtSignIn);
    connect(m_startAtSignIn, &QAction::triggered, this, &TrayIcon::setStartAtSignIn);
    m_menu.addSeparator();
    // Ends the event loop at once: the window's close would only hide it.
    connect(m_menu.addAction(tr("&Quit")), &QAction::triggered, this,
            [] { QCoreApplication::exit(0); });
    connect(&m_menu, &QMenu::aboutToShow, this, [this] {
        m_showWindow->setText(m_window->isVisible() ? tr("&Hide window") : tr("&Show window"));
        m_startAtSignIn->setChecked(Autostart::IsEnabled());
    });
    m_menu.setToolTipsVisible(true);
    m_icon.setContextMenu(&m_menu);
    connect(&m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason why) {
                if (why == QSystemTrayIcon::Trigger)
                    toggleWindow();
            });

    connect(&m_icon, &QSystemTrayIcon::messageClicked, this,
            [this] { Q_EMIT noticeClicked(m_lastNotice); });
    connect(&m_notices, &DesktopNotices::clicked, this, &TrayIcon::noticeClicked);

    window->installEventFilter(this);
    drawIcon(-1);
}

void TrayIcon::Start(bool atSignIn)
{
    m_icon.show();
    if (!atSignIn)
        return m_window->show();
    // At sign-in the desktop's notification area may come up after the program: the window waits
    // a while for it, and shows only if none came.
    auto *wait = new QTimer(this);
    connect(wait, &QTimer::timeout, this, [this, wait, deadline = QDeadlineTimer(SignInTrayWait)] {
        if (keepsRunning() || deadline.hasExpired()) {
            if (!keepsRunning())
                m_window->show();
            wait->deleteLater();
        }
    });
    wait->start(std::chrono::milliseconds(250));
}

bool TrayIcon::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window || event->type() != QEvent::Close || qApp->isSavingSession())
        return QObject::eventFilter(watched, event);
    // Where no notification area keeps the program, closing its window ends it.
    if (!keepsRunning()) {
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }
    event->ignore();
    m_window->hide();
    if (!m_settings->trayNoticeShown()) {
        m_icon.showMessage(tr("Palvorin keeps running"),
                           tr("Palvorin goes on polling here. Click its icon to show the window, "
                              "or choose Quit in its menu to end it."));
        m_settings->setTrayNoticeShown();
    }
    return true;
}

void TrayIcon::ShowReading(const QString &day, double watts)
{
    m_fresh = true;
    m_figures = tr("%1 · today %2").arg(m_power, m_today);
    drawIcon(m_level.Add(day, watts));
}

void TrayIcon::ShowPollEnded()
{
    if (!std::exchange(m_fresh, false))
        drawIcon(-1);
}

void TrayIcon::ShowStatus(const QString &text)
{
    m_status = text;
    // Before the first reading, the day's figure loaded at start.
    QString tip = m_figures;
    if (tip.isEmpty())
        tip = m_today.isEmpty() ? u"Palvorin"_s : tr("Palvorin · today %1").arg(m_today);
    tip += u'\n' + text;
    if (!m_device.isEmpty())
        tip += u'\n' + tr("Device: %1").arg(m_device);
    m_icon.setToolTip(tip);
}

void TrayIcon::ShowDevice(const QString &name)
{
    m_device = name;
    ShowStatus(m_status);
}

void TrayIcon::AddAction(QAction *action)
{
    m_menu.insertAction(m_startAtSignIn, action);
}

bool TrayIcon::Notify(NoticeKind kind, const QString &title, const QString &text)
{
    if (keepsRunning()) {
        m_lastNotice = kind;
        m_icon.showMessage(title, text);
        return true;
    }
    return m_notices.Show(kind, title, text);
}

// The program's icon, its ring green for the part of the day's peak produced
// now and grey for the rest; greyed as a whole when the last poll brought no
// reading (level -1).
void TrayIcon::drawIcon(int level)
{
    QPixmap pixmap = QIcon(u":/palvorin.png"_s)
                             .pixmap(QSize(64, 64), level < 0 ? QIcon::Disabled : QIcon::Normal);
    if (level >= 0) {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        // The ring lies 25 to 30 pixels out from the centre of the 64.
        const QRectF ring(4.5, 4.5, 55, 55);
        painter.setPen(QPen(QColor(0xb8, 0xb8, 0xb8), 6));
        painter.drawEllipse(ring);
        painter.setPen(QPen(QColor(0x1f, 0x6f, 0x5c), 6, Qt::SolidLine, Qt::FlatCap));
        painter.drawArc(ring, 90 * 16, -level * 360 * 16 / ProductionLevel::Steps);
    }
    m_icon.setIcon(QIcon(pixmap));
}

void TrayIcon::toggleWindow()
{
    if (m_window->isVisible() && !m_window->isMinimized()) {
        m_window->hide();
        return;
    }
    ShowWindow();
}

void TrayIcon::ShowWindow()
{
    m_window->showNormal();
    m_window->raise();
    m_window->activateWindow();
}

void TrayIcon::setStartAtSignIn(bool enabled)
{
    if (const QString why = Autostart::SetEnabled(enabled); !why.isEmpty()) {
        const QSignalBlocker blocker(m_startAtSignIn);
        m_startAtSignIn->setChecked(!enabled);
        m_icon.showMessage(tr("Start at sign-in"),
                           enabled ? tr("Could not set Palvorin to start at sign-in: %1").arg(why)
                                   : tr("Could not stop Palvorin starting at sign-in: %1").arg(why),
                           QSystemTrayIcon::Warning);
    }
}

bool TrayIcon::keepsRunning() const
{
    return m_icon.isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
}
