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

// The tally that the file content `content` holds, or a reset tally when it
// is malformed. Only the first 64 KiB are looked at.
[[nodiscard]] DailyTally ReadState(QByteArrayView content);

// The file content that stores `tally`.
[[nodiscard]] QByteArray FormatState(const DailyTally &tally);

// The tally stored at `path`, or a reset tally when the file is missing,
// unreadable or malformed.
[[nodiscard]] DailyTally LoadState(const QString &path);

// Removes what saves of the file at `path` cut short left beside it: the
// atomic writer's temporary files, named after the file plus a dot and six
// letters or digits. Files that cannot be removed are left alone.
void RemoveStaleTemporaries(const QString &path);

// Replaces the file at `path` atomically: a crash mid-save leaves the old
// file or the new one. On failure returns false and says why in `error`.
[[nodiscard]] bool SaveState(const DailyTally &tally, const QString &path,
                             QString *error = nullptr);

} // namespace StateFile
