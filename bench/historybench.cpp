// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

// Makes a production history and measures what it costs.
//   bench_history generate DIR DAYS   writes DAYS days of readings a minute apart, up to now, the
//                                     days file and a state file with today's tally, into DIR
//   bench_history open DIR RUNS       in DIR, opens the History window from the main window RUNS
//                                     times (after one run not counted); prints the milliseconds to
//                                     load the days file at start-up, the median, least and most
//                                     milliseconds from the click to the window painted, and the
//                                     resident kB with the main window only and with both open
//   bench_history keep DIR READINGS   keeps READINGS readings in DIR as the poll cycle does;
//                                     prints the microseconds each took
#include "historywindow.h"
#include "mainwindow.h"
#include "processmemory.h"
#include "productionhistory.h"
#include "statefile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace Qt::StringLiterals;

namespace {

// A day of a small solar plant: a sine from 06:00 to 18:00 up to 600 W on a clear day, clouds
// from the day's weather and the minute's noise; the program was closed from 13:20 to 13:50.
void generate(const QString &folder, int dayCount)
{
    QDir(folder).mkpath(QLatin1StringView(ReadingsFile::FolderName));
    QRandomGenerator random(7);
    const QDateTime now = QDateTime::currentDateTime();
    double total = 100000;
    double start = total;
    QList<DayRecord> days;
    QFile month;
    for (QDate day = now.date().addDays(1 - dayCount); day <= now.date(); day = day.addDays(1)) {
        const QString name = QDir(folder).filePath(QLatin1StringView(ReadingsFile::FolderName)
                                                   + u'/' + ReadingsFile::MonthFileName(day));
        if (month.fileName() != name) {
            month.close();
            month.setFileName(name);
            if (!month.open(QIODevice::WriteOnly))
                qFatal("cannot write %s", qPrintable(name));
            month.write("time,power_w,total_wh\n");
        }
        const double weather = 0.3 + 0.7 * random.generateDouble();
        start = total;
        QByteArray lines;
        for (int minute = 0; minute < 24 * 60; ++minute) {
            const QDateTime time(day, QTime(minute / 60, minute % 60));
            if (time > now)
                break;
            const double hour = minute / 60.0;
            const double sun = std::max(0.0, std::sin(std::numbers::pi * (hour - 6) / 12));
            const double power = 600 * sun * weather * (0.96 + 0.04 * random.generateDouble());
            total += power / 60;
            if (minute < 13 * 60 + 20 || minute > 13 * 60 + 50)
                lines += ReadingsFile::FormatReading({ time, power, total });
        }
        month.write(lines);
        if (day < now.date())
            days.append({ day, total - start });
    }
    const DailyTally tally{ now.date().toString(Qt::ISODate), total, true,
                            total - start }; // `start`: today's first reading
    if (!DaysFile::SaveDays(days, QDir(folder).filePath(QLatin1StringView(DaysFile::DefaultName)))
        || !StateFile::SaveState(tally,
                                 QDir(folder).filePath(QLatin1StringView(StateFile::DefaultName))))
        qFatal("cannot write the days file or the state file");
}

void open(int runs)
{
    QElapsedTimer clock;
    clock.start();
    ProductionHistory history;
    (void)history.Load();
    const double loadMs = clock.nsecsElapsed() / 1e6;

    MainWindow window(MonitorSetup{ QString() }); // no address: nothing is polled
    window.show();
    QCoreApplication::processEvents();
    const qint64 mainOnlyKb = ProcessMemoryKb("VmRSS");
    auto *button = window.findChild<QPushButton *>(u"cmdHistory"_s);
    QList<double> times;
    qint64 bothKb = 0;
    for (int run = 0; run <= runs; ++run) {
        clock.restart();
        button->click();
        auto *history = window.findChild<HistoryWindow *>();
        (void)history->grab();
        times.append(clock.nsecsElapsed() / 1e6);
        QCoreApplication::processEvents();
        bothKb = ProcessMemoryKb("VmRSS");
        delete history;
    }
    times.removeFirst(); // the first run loads fonts and icons
    std::sort(times.begin(), times.end());
    QTextStream(stdout) << loadMs << ' ' << times[times.size() / 2] << ' ' << times.first() << ' '
                        << times.last() << ' ' << mainOnlyKb << ' ' << bothKb << Qt::endl;
}

void keep(int readings)
{
    ProductionHistory history;
    const QDateTime start(QDate::currentDate(), QTime(0, 0));
    QList<DayRecord> finished; // none: a poll within the day
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < readings; ++i) {
        const Reading reading{ start.addSecs(i), 230.4, 1000 + i / 60.0 };
        if (!(history.Record(finished) + history.KeepReading(reading)).isEmpty())
            qFatal("a reading was not kept");
    }
    QTextStream(stdout) << clock.nsecsElapsed() / 1e3 / readings << Qt::endl;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 4 || !QDir::setCurrent(QString::fromLocal8Bit(argv[2])))
        qFatal("usage: bench_history generate|open|keep DIR COUNT");
    const int count = QByteArray(argv[3]).toInt();
    if (qstrcmp(argv[1], "open") == 0) {
        QApplication app(argc, argv);
        open(count);
    } else if (qstrcmp(argv[1], "generate") == 0) {
        generate(u"."_s, count);
    } else {
        keep(count);
    }
    return 0;
}
