// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

// The smallest Qt Widgets program: one label in a window. The start-up and
// memory figures of Palvorin are measured against it.
//   bench_baseline [--report-rss]
#include "processmemory.h"

#include <QApplication>
#include <QLabel>
#include <QTextStream>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Baseline"));
    label.setWindowTitle(QStringLiteral("Baseline"));
    label.show();
    if (app.arguments().contains(QStringLiteral("--report-rss"))) {
        QTimer::singleShot(500, &app, [] {
            QTextStream(stdout) << ProcessMemoryKb("VmRSS") << Qt::endl;
            QApplication::quit();
        });
    }
    return app.exec();
}
