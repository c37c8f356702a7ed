// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include "monitorsetup.h"
#include "pollcycle.h"
#include "settings.h"

#include <QPointer>
#include <QWidget>

class DeviceFinder;
class FindDialog;
class HistoryWindow;
class PasswordDialog;
class QAction;
class RememberedPasswords;
class Settings;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

// The monitor's only window: the device address with the Find button, the
// present power, the day's energy, a status line, the Details button and the
// History button.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    explicit MainWindow(MonitorSetup setup, QWidget *parent = nullptr);

    [[nodiscard]] PollCycle *pollCycle() const { return m_pollCycle; }
    // The whole text of the status line.
    [[nodiscard]] QString statusText() const { return m_statusText; }
    void showDetails();
    void showHistory();
    // Turns the direction of production of the polled device, where it has a return counter;
    // in the window's context menu and the tray's menu.
    [[nodiscard]] QAction *flowsBackAction() const { return actFlowsBack; }
    // Reads an EM meter's second channel; in the same menus.
    [[nodiscard]] QAction *secondChannelAction() const { return actSecondChannel; }
    // Polls the device at `text` at once, shown in the address box, and keeps it for the next
    // start; an empty `text` forgets the kept one.
    void confirmAddress(const QString &text);
    void findDevices();
    // A notice nothing else on the desktop shows, in the status line until the next poll's.
    void showNotice(const QString &text) { showStatus(text); }

Q_SIGNALS:
    void statusShown(const QString &text);

private:
    void showStatus(const QString &status);
    void showPollStatus();
    void showFigure(QLabel *label, const QString &meaning, const QString &text);
    void showDirection();
    void poll();

    QLabel *const lblIP;
    QLabel *const lblNowHeading;
    QLabel *const lblTodayHeading;
    QLineEdit *const txtIP;
    QPushButton *const cmdFind;
    QLabel *const lblToday;
    QLabel *const lblStatus;
    QLabel *const lblNow;
    QPushButton *const Command1;
    QPushButton *const cmdHistory;
    QTimer *const Timer1;
    QAction *const actFlowsBack;
    QAction *const actSecondChannel;
    PollCycle *const m_pollCycle;
    PasswordDialog *const m_passwordDialog;
    RememberedPasswords *const m_passwords;
    Settings *const m_settings;
    DeviceFinder *const m_finder;
    FindDialog *const m_findDialog;
    std::function<QString(const QString &)> m_openInEditor;
    // Cancel in the password dialog stops the questions until the user
    // polls by hand (Return in the address box).
    bool m_askForPassword = true;
    // The box's text as the user confirmed it with Return (the preset counts
    // as confirmed until the box is edited): only a device at a confirmed
    // address may open the password dialog, which takes the keyboard.
    bool m_addressConfirmed = true;
    QString m_polledText; // the box's text of the last poll started
    QString m_pollStatus; // the poll's last status line
    QString m_notRemembered; // why the keyring did not keep the password given last
    QPointer<HistoryWindow> m_historyWindow; // while it is open
    QString m_statusText;
    QString m_deviceName; // the polled device as it named itself
};
