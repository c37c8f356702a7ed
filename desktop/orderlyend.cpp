// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "orderlyend.h"

#include <QGuiApplication>

#ifdef Q_OS_WIN
#  include <QSessionManager>
#else
#  include <QSocketNotifier>

#  include <cerrno>
#  include <csignal>
#  include <fcntl.h>
#  include <unistd.h>
#endif

#ifndef Q_OS_WIN
namespace {

// A signal handler may only write to a pipe: the event loop reads it.
int endPipe[2] = { -1, -1 };

void onEndSignal(int signal)
{
    const int savedErrno = errno;
    const char number = char(signal);
    [[maybe_unused]] const ssize_t written = ::write(endPipe[1], &number, 1);
    errno = savedErrno;
}

} // namespace
#endif

void EndInOrderWhenAsked(QGuiApplication *app)
{
#ifdef Q_OS_WIN
    // Windows ends the process soon after the session's end: what the end writes is written
    // when the session asks.
    QObject::connect(app, &QGuiApplication::commitDataRequest, app,
                     [](QSessionManager &) { QCoreApplication::exit(0); });
#else
    if (::pipe2(endPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto *notifier = new QSocketNotifier(endPipe[0], QSocketNotifier::Read, app);
    QObject::connect(notifier, &QSocketNotifier::activated, app, [] {
        char numbers[16];
        while (::read(endPipe[0], numbers, sizeof numbers) > 0) { }
        // As the tray's Quit: closing the window would only hide it in the tray.
        QCoreApplication::exit(0);
    });
    struct sigaction action = {};
    action.sa_handler = &onEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    // A signal ignored from the start stays ignored: `nohup palvorin &` outlives its terminal.
    for (const int signal : { SIGTERM, SIGINT, SIGHUP }) {
        struct sigaction before = {};
        if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler != SIG_IGN)
            sigaction(signal, &action, nullptr);
    }
#endif
}
