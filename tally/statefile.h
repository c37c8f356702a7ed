// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include "dailytally.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The tally kept across restarts: four lines ended by CR LF (day, last
// reading, "1" when there is one, day's sum), numbers with the user's
// decimal separator. The reader takes "," and "." as well, whatever the
// locale: a file written under another locale reads the same.
namespace StateFile {

// A bare name: the file lives in the working directory.
inline constexpr char DefaultName[] = "shelly_daily_state.txt";
// Appended to the name of a state file that could not be read, kept aside.
inline constexpr char UnreadableSuffix[] = ".unreadable";

// The tally that the file content `content` holds, or a reset tally when it
// is malformed; `ok`, when given, says which. Only the first 64 KiB are
// looked at.
[[nodiscard]] DailyTally ReadState(QByteArrayView content, bool *ok = nullptr);

// The file content that stores `tally`.
[[nodiscard]] QByteArray FormatState(const DailyTally &tally);

// The tally stored at `path`, or a reset tally when the file is missing,
// unreadable or malformed. `unreadable`, when given, says whether a file was
// there that could not be read or understood; anything but a file (a
// directory) counts as missing.
[[nodiscard]] DailyTally LoadState(const QString &path, bool *unreadable = nullptr);

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
