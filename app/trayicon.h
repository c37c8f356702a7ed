// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include "productionlevel.h"

#include <QMenu>
#include <QObject>
#include <QString>
#include <QSystemTrayIcon>

#include <chrono>

class MainWindow;
class QAction;
class Settings;
struct Reading;

// The program in the notification area: an icon that shows how much the
// device produces now, a tooltip with the window's figures and status line,
// and a menu. Where a notification area shows the icon, closing the window
// hides it there, and only Quit ends the program.
class TrayIcon : public QObject
{
    Q_OBJECT

public:
    TrayIcon(MainWindow *window, Settings *settings, QObject *parent = nullptr);

    // How long a program started at sign-in waits for a notification area.
    static constexpr std::chrono::seconds SignInTrayWait{ 10 };

    // Shows the icon, and the window unless the program was started at sign-in
    // and a notification area keeps it (within SignInTrayWait).
    void Start(bool atSignIn);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showReading(const Reading &reading);
    void showStatus();
    void drawIcon(int level);
    void toggleWindow();
    void setStartAtSignIn(bool enabled);
    [[nodiscard]] bool keepsRunning() const;

    MainWindow *const m_window;
    Settings *const m_settings;
    // The menu outlives the icon that shows it.
    QMenu m_menu;
    QSystemTrayIcon m_icon;
    QAction *const m_showWindow;
    QAction *const m_startAtSignIn;
    ProductionLevel m_level;
    QString m_power;
    QString m_today;
    QString m_figures;
    // A reading came since the last status line.
    bool m_fresh = false;
};
