// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArrayView>
#include <QString>

// Files the program replaces whole. The new content goes to a temporary file
// beside the old one, under a name no user would choose, is flushed to the
// disk and takes the old file's place in one rename: a crash, a power cut or
// a full disk leaves the old file or the new one, never a part of either.
namespace AtomicFile {

// Appended to a file's name for the temporary file of its replacement.
inline constexpr char TemporarySuffix[] = ".palvorin-partial";

// Replaces the file at `path` with `content`. On failure the old file stays,
// no temporary file is left, and `error` says why.
[[nodiscard]] bool Replace(const QString &path, QByteArrayView content, QString *error = nullptr);

// Removes the temporary file that a replacement of `path` cut short by a
// crash left beside it, and nothing else.
void RemoveTemporary(const QString &path);

} // namespace AtomicFile
