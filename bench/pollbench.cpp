// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

// Polls a device back to back and measures what it costs.
//   bench_polls MODE ADDRESS POLLS
// MODE is "window" (the real window: request, scan, tally, labels, atomic
// save), "cycle" (the same without the window) or "qnam" (a bare
// QNetworkAccessManager GET, the floor under both).
// Prints: resident kB after start-up, after half the polls and after all
// of them; CPU microseconds (user + system, all threads) per poll; failed
// polls.
#include "mainwindow.h"
#include "processmemory.h"

#include <QApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTextStream>
#include <QTimer>

#include <sys/resource.h>

namespace {

double cpuMicroseconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e6
            + double(usage.ru_utime.tv_usec) + double(usage.ru_stime.tv_usec);
}

// Counts polls from the first (start-up) one on and reports when done.
class Meter
{
public:
    explicit Meter(int polls) : m_polls(polls) { }

    // Records the end of a poll; false once all polls are done.
    bool pollEnded(bool failed)
    {
        m_failed += failed;
        if (m_finished++ == 0) {
            m_startupKb = ProcessMemoryKb("VmRSS");
            m_cpuAtStart = cpuMicroseconds();
        }
        if (m_finished == m_polls / 2)
            m_halfwayKb = ProcessMemoryKb("VmRSS");
        if (m_finished <= m_polls)
            return true;
        QTextStream(stdout) << m_startupKb << ' ' << m_halfwayKb << ' ' << ProcessMemoryKb("VmRSS")
                            << ' ' << (cpuMicroseconds() - m_cpuAtStart) / m_polls << ' '
                            << m_failed << Qt::endl;
        QCoreApplication::quit();
        return false;
    }

private:
    int m_polls;
    int m_finished = 0;
    int m_failed = 0;
    qint64 m_startupKb = 0;
    qint64 m_halfwayKb = 0;
    double m_cpuAtStart = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4)
        qFatal("usage: bench_polls window|cycle|qnam ADDRESS POLLS");
    const QString mode = args[1];
    const QString address = args[2];
    Meter meter(args[3].toInt());

    if (mode == QStringLiteral("qnam")) {
        QNetworkAccessManager manager;
        const QUrl url(QStringLiteral("http://%1/rpc/Switch.GetStatus?id=0").arg(address));
        std::function<void()> get = [&] {
            QNetworkReply *reply = manager.get(QNetworkRequest(url));
            QObject::connect(reply, &QNetworkReply::finished, &manager, [&, reply] {
                const bool failed =
                        reply->error() != QNetworkReply::NoError || reply->readAll().isEmpty();
                reply->deleteLater();
                if (meter.pollEnded(failed))
                    get();
            });
        };
        get();
        return app.exec();
    }

    std::unique_ptr<MainWindow> window;
    std::unique_ptr<PollCycle> bareCycle;
    PollCycle *cycle = nullptr;
    std::function<void()> poll;
    if (mode == QStringLiteral("window")) {
        window = std::make_unique<MainWindow>(MonitorSetup{ address });
        window->show();
        cycle = window->findChild<PollCycle *>();
        // The next tick comes as soon as a poll has ended, not a minute later.
        auto *timer = window->findChild<QTimer *>(QStringLiteral("Timer1"));
        timer->stop();
        timer->setSingleShot(true);
        poll = [timer] { timer->start(0); };
    } else {
        bareCycle = std::make_unique<PollCycle>(QStringLiteral("shelly_daily_state.txt"),
                                                &QDateTime::currentDateTime);
        cycle = bareCycle.get();
        poll = [cycle, address] {
            QTimer::singleShot(0, cycle, [cycle, address] { cycle->PollDevice(address); });
        };
        cycle->LoadState();
        cycle->PollDevice(address);
    }
    bool failed = false;
    QObject::connect(cycle, &PollCycle::statusTextChanged, &app, [&](const QString &text) {
        failed = text.startsWith(QStringLiteral("Poll failed"));
    });
    QObject::connect(cycle, &PollCycle::pollFinished, &app, [&] {
        if (meter.pollEnded(failed))
            poll();
    });
    return app.exec();
}
