// Runs the real window against a device and polls it back to back.
//   bench_polls ADDRESS POLLS
// prints: resident kB after start-up, resident kB after POLLS polls, CPU
// microseconds (user + system, all threads) per poll, failed polls.
#include "mainwindow.h"

#include <QApplication>
#include <QFile>
#include <QTextStream>
#include <QTimer>

#include <sys/resource.h>

namespace {

qint64 residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

double cpuMicroseconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e6 + double(usage.ru_utime.tv_usec)
           + double(usage.ru_stime.tv_usec);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        qFatal("usage: bench_polls ADDRESS POLLS");
    const int polls = args[2].toInt();

    MonitorSetup setup{args[1]};
    MainWindow window(setup);
    window.show();
    auto *cycle = window.findChild<PollCycle *>();
    auto *timer = window.findChild<QTimer *>(QStringLiteral("Timer1"));
    // The next tick comes as soon as a poll has ended, not a minute later.
    timer->stop();
    timer->setSingleShot(true);

    int finished = 0;
    int failed = 0;
    qint64 startupKb = 0;
    double cpuAtStart = 0;
    QObject::connect(cycle, &PollCycle::statusTextChanged, &app, [&](const QString &text) {
        failed += text.startsWith(QStringLiteral("Poll failed"));
    });
    QObject::connect(cycle, &PollCycle::pollFinished, &app, [&] {
        if (finished++ == 0) { // the start-up poll
            startupKb = residentKb();
            cpuAtStart = cpuMicroseconds();
        }
        if (finished <= polls) {
            timer->start(0);
            return;
        }
        QTextStream(stdout) << startupKb << ' ' << residentKb() << ' '
                            << (cpuMicroseconds() - cpuAtStart) / polls << ' ' << failed << Qt::endl;
        QApplication::quit();
    });
    return app.exec();
}
