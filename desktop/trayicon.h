// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include "notices.h"
#include "productionlevel.h"

#include <QMenu>
#include <QObject>
#include <QString>
#include <QSystemTrayIcon>

#include <chrono>

class QAction;
class QWidget;
class Settings;

// The program in the notification area: an icon that shows how much the
// device produces now, a tooltip with the window's figures and status line,
// and a menu. Where a notification area shows the icon, closing the window
// hides it there, and only Quit ends the program. The window's figures and
// status line reach it through its Show functions.
class TrayIcon : public QObject
{
    Q_OBJECT

public:
    TrayIcon(QWidget *window, Settings *settings, QObject *parent = nullptr);

    // How long a program started at sign-in waits for a notification area.
    static constexpr std::chrono::seconds SignInTrayWait{ 10 };

    // Shows the icon, and the window unless the program was started at sign-in
    // and a notification area keeps it (within SignInTrayWait).
    void Start(bool atSignIn);

    // Shows the window, in front.
    void ShowWindow();

    // The window's figures as it shows them.
    void ShowPowerText(const QString &text) { m_power = text; }
    void ShowTodayText(const QString &text) { m_today = text; }
    // A poll's reading of `watts` on `day` (a day key), after the figures.
    void ShowReading(const QString &day, double watts);
    // A poll has ended; without a reading since the last, the production is unknown.
    void ShowPollEnded();
    // The window's whole status line.
    void ShowStatus(const QString &text);
    // The polled device as it named itself; empty while none did.
    void ShowDevice(const QString &name);
    // Puts one of the window's settings in the menu, before "Start at sign-in".
    void AddAction(QAction *action);
    // Shows a notice: in the notification area where there is one, else by the desktop's
    // notification service. False where neither shows it.
    bool Notify(NoticeKind kind, const QString &title, const QString &text);

Q_SIGNALS:
    void historyRequested();
    void detailsRequested();
    // The user clicked a notice of `kind`, where the desktop tells.
    void noticeClicked(NoticeKind kind);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void drawIcon(int level);
    void toggleWindow();
    void setStartAtSignIn(bool enabled);
    [[nodiscard]] bool keepsRunning() const;

    QWidget *const m_window;
    Settings *const m_settings;
    // The menu outlives the icon that shows it.
    QMenu m_menu;
    QSystemTrayIcon m_icon;
    QAction *const m_showWindow;
    QAction *const m_startAtSignIn;
    DesktopNotices m_notices;
    // The last notice shown in the notification area, which its click is about.
    NoticeKind m_lastNotice = NoticeKind::Unreachable;
    ProductionLevel m_level;
    QString m_power;
    QString m_today;
    QString m_figures;
    QString m_status;
    QString m_device;
    // A reading came since the last status line.
    bool m_fresh = false;
};
