// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QList>
#include <QString>

class QDebug;

// One successful poll: when it was taken (local time), the power (W) and the counter (Wh).
struct Reading
{
    QDateTime time;
    double powerW = 0.0;
    double totalWh = 0.0;

    friend bool operator==(const Reading &, const Reading &) = default;
};

QDebug operator<<(QDebug debug, const Reading &reading);

// Every reading, one file a month in a folder of their own ("palvorin_readings/2026-12.csv"):
// a header line "time,power_w,total_wh", then one line a poll, appended:
// "2026-12-07T12:01:00+01:00,230.4,1234.567", the local time with its offset from UTC, the power
// with one decimal and the counter with three, "." as decimal point whatever the locale.
namespace ReadingsFile {

// A bare name: the folder lives in the working directory, beside the state file.
inline constexpr char FolderName[] = "palvorin_readings";

// "2026-12.csv": the name of the file of the month that holds `day`.
[[nodiscard]] QString MonthFileName(QDate day);

// The line that stores `reading`, ended by LF.
[[nodiscard]] QByteArray FormatReading(const Reading &reading);

// A file of `readings` in the format of a month's file, header first.
[[nodiscard]] QByteArray FormatReadings(const QList<Reading> &readings);

// The readings of the local day `day` among the lines of `content`, in file order. A line that is
// not a whole reading (the header, a line cut short by a crash, one not ended yet) is skipped: the
// counter always has three decimals, so a line cut anywhere is told apart.
[[nodiscard]] QList<Reading> ReadDay(QByteArrayView content, QDate day);

// Appends `reading` to its month's file in `folder`, creating both when missing. A file that does
// not end a line (a crash cut its last one short) gets the new reading on a line of its own. On
// failure returns false and says why in `error`.
[[nodiscard]] bool AppendReading(const QString &folder, const Reading &reading,
                                 QString *error = nullptr);

// The readings of `day` kept in `folder`: only that day's month file is read.
[[nodiscard]] QList<Reading> LoadDay(const QString &folder, QDate day);
// The readings of the month of `day` kept in `folder`, from its file alone.
[[nodiscard]] QList<Reading> LoadMonth(const QString &folder, QDate day);

} // namespace ReadingsFile
