// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "trayconnection.h"

#include "mainwindow.h"
#include "trayicon.h"

void ConnectTray(MainWindow *window, TrayIcon *tray)
{
    const PollCycle *pollCycle = window->pollCycle();
    QObject::connect(pollCycle, &PollCycle::powerTextChanged, tray, &TrayIcon::ShowPowerText);
    QObject::connect(pollCycle, &PollCycle::todayTextChanged, tray, &TrayIcon::ShowTodayText);
    QObject::connect(pollCycle, &PollCycle::readingTaken, tray,
                     [pollCycle, tray](const Reading &reading) {
                         tray->ShowReading(pollCycle->tally().currentDay, reading.powerW);
                     });
    QObject::connect(pollCycle, &PollCycle::statusTextChanged, tray, &TrayIcon::ShowPollEnded);
    QObject::connect(window, &MainWindow::statusShown, tray, &TrayIcon::ShowStatus);
    QObject::connect(pollCycle, &PollCycle::deviceNamed, tray, &TrayIcon::ShowDevice);
    tray->AddAction(window->flowsBackAction());
    tray->AddAction(window->secondChannelAction());
    QObject::connect(tray, &TrayIcon::historyRequested, window, &MainWindow::showHistory);
    QObject::connect(tray, &TrayIcon::detailsRequested, window, &MainWindow::showDetails);
    tray->ShowTodayText(pollCycle->todayText());
    tray->ShowStatus(window->statusText());
}
