// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include "monitorsetup.h"
#include "pollcycle.h"

#include <QPointer>
#include <QWidget>

class HistoryWindow;
class PasswordDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

// The monitor's only window: the device address, the present power, the
// day's energy, a status line, the Details button and the History button.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    explicit MainWindow(MonitorSetup setup, QWidget *parent = nullptr);

private:
    void showStatus(const QString &text);
    void showFigure(QLabel *label, const QString &meaning, const QString &text);
    void showDetails();
    void showHistory();

    QLabel *const lblIP;
    QLineEdit *const txtIP;
    QLabel *const lblToday;
    QLabel *const lblStatus;
    QLabel *const lblNow;
    QPushButton *const Command1;
    QPushButton *const cmdHistory;
    QTimer *const Timer1;
    PollCycle *const m_pollCycle;
    PasswordDialog *const m_passwordDialog;
    std::function<QString(const QString &)> m_openInEditor;
    // Cancel in the password dialog stops the questions until the user
    // polls by hand (Return in the address box).
    bool m_askForPassword = true;
    QPointer<HistoryWindow> m_historyWindow; // while it is open
};
