// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include "dailytally.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The tally kept across restarts: four lines ended by CR LF (day, last
// reading, "1" when there is one, day's sum), then, when it is known, a
// fifth with the host and port of the device the reading came from, which
// readers of the four lines of earlier versions pass over, then one line for
// each finished day the days file lacks: "yyyy-MM-dd" and its sum after a
// blank (the fifth line empty when no device is known). Numbers are
// written in ASCII digits with the user's decimal separator where it is ","
// or ".", else ".". The reader takes a number as any locale writes it (its
// own digits and separator, a minus between bidi marks): a file written
// under one locale reads the same under any other.
namespace StateFile {

// A bare name: the file lives in the working directory.
inline constexpr char DefaultName[] = "shelly_daily_state.txt";
// Appended to the name of a state file that was read but not understood,
// kept aside.
inline constexpr char UnreadableSuffix[] = ".unreadable";

// The tally that the file content `content` holds, or a reset tally when it
// is malformed; `ok`, when given, says which. Only the first 64 KiB are
// looked at.
[[nodiscard]] DailyTally ReadState(QByteArrayView content, bool *ok = nullptr);

// The file content that stores `tally`.
[[nodiscard]] QByteArray FormatState(const DailyTally &tally);

// What LoadState found at a path: nothing (or anything but a file, a
// directory), a tally, a file read but not understood, or a file that could
// not be opened or read (another program holding it, for a moment).
enum class Found { Nothing, Tally, NotUnderstood, NotRead };

struct Loaded
{
    DailyTally tally; // reset unless a tally was found
    Found found = Found::Nothing;
    QString error; // why the file could not be read
};

// The tally stored at `path`, and what was found there.
[[nodiscard]] Loaded LoadState(const QString &path);

// Renames the file at `path` to its name plus UnreadableSuffix, replacing an
// older file of that name, so that no save replaces it. Nothing to do when
// there is no file at `path`. On failure returns false and says why in
// `error`.
[[nodiscard]] bool KeepAside(const QString &path, QString *error = nullptr);

// Removes what a save of the file at `path` cut short left beside it: the
// temporary file of its replacement (AtomicFile::TemporarySuffix), nothing
// else.
void RemoveStaleTemporaries(const QString &path);

// Replaces the file at `path` atomically: a crash mid-save leaves the old
// file or the new one. On failure returns false and says why in `error`.
[[nodiscard]] bool SaveState(const DailyTally &tally, const QString &path,
                             QString *error = nullptr);

} // namespace StateFile
