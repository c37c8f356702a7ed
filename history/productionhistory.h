// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include "dailytally.h"
#include "daysfile.h"
#include "readingsfile.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

// The production kept beyond the day: every finished day in the days file, every reading in the
// readings files, both in one folder beside the state file. The days are held in memory too, so
// that a poll never reads a file.
class ProductionHistory
{
    Q_DECLARE_TR_FUNCTIONS(ProductionHistory)

public:
    explicit ProductionHistory(const QString &folder = QString());
    ~ProductionHistory();
    Q_DISABLE_COPY_MOVE(ProductionHistory)

    // Reads the days file and clears away what an interrupted save of it left. A file that was
    // read but not understood is kept aside, renamed with StateFile::UnreadableSuffix, before
    // anything replaces it; never over an older one. One that could not be opened or read (held by
    // another program for a moment) is read again before each save, and nothing replaces it until
    // it is. Returns a sentence for the status line when there was such a file, else nothing.
    [[nodiscard]] QString Load();

    // Puts the days of `finished` (oldest first) that the days file lacks into it, each with its
    // sum as it stood when its day ended; a day the file holds keeps its row, as the user may
    // have corrected it. The file is read again first, so that what was written to it meanwhile
    // stays. Removes from `finished` the days the file now holds; those left are held in memory
    // as recorded, written with a later call or when the history is destroyed. While the file
    // could not be read, each call reads it again. Returns what could not be saved, as an addition
    // to the status line, else nothing. Without an earlier Load() it loads first: the days file is
    // never replaced by the new days alone.
    [[nodiscard]] QString Record(QList<DayRecord> &finished);
    // Appends `reading` to its month's readings file alone; returns the failure, as Record().
    [[nodiscard]] QString KeepReading(const Reading &reading);

    // The recorded days, oldest first, including those not written yet.
    [[nodiscard]] const QList<DayRecord> &days() const { return m_days; }
    [[nodiscard]] const QString &readingsFolder() const { return m_readingsFolder; }
    // The sentence that an unreadable days file was kept aside, once one was; else nothing.
    [[nodiscard]] const QString &keptAside() const { return m_keptAside; }

private:
    qsizetype readDays();
    [[nodiscard]] bool saveDays(QString *why);
    [[nodiscard]] bool keepUnreadableAside(QString *why);

    QString m_daysPath;
    QString m_readingsFolder;
    QList<DayRecord> m_days;
    bool m_loaded = false;
    // The finished days that the file lacks, oldest first.
    QList<DayRecord> m_unsaved;
    // Why the days file could not be opened or read; empty once it was.
    QString m_readError;
    // An unreadable days file could not be kept aside yet: no save may replace it.
    bool m_unreadableInPlace = false;
    QString m_keptAside;
};
