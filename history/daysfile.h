// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include "dailytally.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QList>
#include <QString>

// The finished days, kept for people and spreadsheets: a header line "date,energy_wh", then one
// line per day, oldest first: the ISO date and the energy with "." as decimal point whatever the
// locale, at most three decimals and no grouping; LF line ends, UTF-8.
namespace DaysFile {

// A bare name: the file lives in the working directory, beside the state file.
inline constexpr char DefaultName[] = "palvorin_days.csv";

// The days `content` holds, oldest first, one a date (of two lines for one date the later wins).
// CR LF line ends and a byte order mark, as a spreadsheet may save them, are taken. `ok`, when
// given, is false when a line is not a day or the header is missing: such a file is not ours to
// replace.
[[nodiscard]] QList<DayRecord> ReadDays(QByteArrayView content, bool *ok = nullptr);

// The file content that stores `days` (oldest first, one a date).
[[nodiscard]] QByteArray FormatDays(const QList<DayRecord> &days);

// Puts `record` among `days`, oldest first, in place of a record of the same date.
void Insert(QList<DayRecord> &days, const DayRecord &record);

// What LoadDays found at a path.
struct Loaded
{
    QList<DayRecord> days; // none when there is no file, or none could be read
    // A file was read that holds something else than days: not ours to replace.
    bool notUnderstood = false;
    // Why a file that is there could not be opened or read (another program holding it, for a
    // moment); empty when it could.
    QString readError;
};

// The days stored at `path`, and what was found there.
[[nodiscard]] Loaded LoadDays(const QString &path);

// Replaces the file at `path` atomically: a crash or a full disk leaves the old file or the new
// one. On failure returns false and says why in `error`.
[[nodiscard]] bool SaveDays(const QList<DayRecord> &days, const QString &path,
                            QString *error = nullptr);

} // namespace DaysFile
