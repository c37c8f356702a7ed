// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include "passwordstore.h"
#include "pollcycle.h"
#include "settings.h"
#include "texteditor.h"

#include <QDateTime>
#include <QString>

#include <chrono>
#include <functional>

// What the main window is built with. The program passes the preset address
// and keeps the rest; tests pass their own device, clock and editor.
struct MonitorSetup
{
    // The address polled until the user confirms one.
    QString presetAddress;
    PollCycle::Clock clock = &QDateTime::currentDateTime;
    std::chrono::milliseconds pollInterval = std::chrono::seconds(60);
    std::chrono::milliseconds deviceTimeout = std::chrono::seconds(5);
    // Opens a file in the text editor without waiting; returns why no editor
    // could be started, empty when one was.
    std::function<QString(const QString &fileName)> openInEditor = &OpenInTextEditor;
    // The system keyring for device passwords; none: they live in memory only.
    PasswordStore *keyring = nullptr;
    // Where the address the user confirmed, and which devices' passwords the
    // keyring holds, are kept between runs; none: nothing is kept.
    Settings *settings = nullptr;
    // How long the first poll waits for the keyring's answer.
    std::chrono::milliseconds keyringWait = std::chrono::seconds(10);
    // How long Find listens for answers, and then waits for each device's.
    std::chrono::milliseconds findTime = std::chrono::seconds(3);
};
