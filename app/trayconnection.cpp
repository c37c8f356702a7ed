// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "trayconnection.h"

#include "mainwindow.h"
#include "noticerules.h"
#include "settings.h"
#include "trayicon.h"

#include <memory>

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

void ConnectNotices(MainWindow *window, TrayIcon *tray, Settings *settings)
{
    const PollCycle *pollCycle = window->pollCycle();
    auto rules = std::make_shared<NoticeRules>(&pollCycle->history(), pollCycle->clock());
    const auto show = [window, tray, settings](const Notice &notice) {
        if (settings->notifies(notice.kind)
            && !tray->Notify(notice.kind, notice.title, notice.text))
            window->showNotice(notice.text);
    };
    QObject::connect(pollCycle, &PollCycle::pollFailed, tray,
                     [pollCycle, rules, show](const QString &address, const QString &reason) {
                         const bool reachedBefore = pollCycle->knownDevice(address).has_value();
                         if (const auto notice = rules->PollFailed(address, reason, reachedBefore))
                             show(*notice);
                     });
    QObject::connect(pollCycle, &PollCycle::deviceAnswered, tray, [rules, show] {
        if (const auto notice = rules->Answered())
            show(*notice);
    });
    QObject::connect(pollCycle, &PollCycle::readingTaken, tray,
                     [pollCycle, rules, show, settings](const Reading &reading) {
                         rules->SetWorth({ settings->pricePerKwh().value_or(0),
                                           settings->currency(), settings->homeShare(),
                                           settings->feedInPerKwh() });
                         for (const Notice &notice :
                              rules->ReadingTaken(reading, pollCycle->tally().todayWh))
                             show(notice);
                     });
    QObject::connect(tray, &TrayIcon::noticeClicked, window, [window, tray](NoticeKind kind) {
        if (kind == NoticeKind::Yield)
            window->showHistory();
        else
            tray->ShowWindow();
    });
}
