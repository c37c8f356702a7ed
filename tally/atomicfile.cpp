// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "atomicfile.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#  include <qt_windows.h>

#  include <io.h>
#else
#  include <cerrno>
#  include <cstdio>
#  include <unistd.h>
#endif

namespace AtomicFile {

namespace {

// Waits until what was written to `file` is on the disk.
bool syncToDisk(QFile &file)
{
#ifdef Q_OS_WIN
    return FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(file.handle())));
#else
    return ::fsync(file.handle()) == 0;
#endif
}

// Renames `from` over `to`, replacing it in one step; false, with the
// system's reason in `error`, when it cannot.
bool renameOver(const QString &from, const QString &to, QString *error)
{
#ifdef Q_OS_WIN
    const bool renamed = MoveFileExW(reinterpret_cast<const wchar_t *>(from.utf16()),
                                     reinterpret_cast<const wchar_t *>(to.utf16()),
                                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
#else
    const bool renamed = std::rename(QFile::encodeName(from), QFile::encodeName(to)) == 0;
#endif
    if (!renamed && error)
        *error = qt_error_string();
    return renamed;
}

} // namespace

bool Replace(const QString &path, QByteArrayView content, QString *error)
{
    QFile temporary(path + QLatin1StringView(TemporarySuffix));
    // The explicit flush matters: a write that fails while the buffer is
    // flushed (a full disk) is noticed here, before the rename.
    const bool written = temporary.open(QIODevice::WriteOnly | QIODevice::Truncate)
            && temporary.write(content.data(), content.size()) == content.size()
            && temporary.flush();
    if (written && syncToDisk(temporary)) {
        temporary.close();
        if (renameOver(temporary.fileName(), path, error))
            return true;
    } else if (error) {
        *error = temporary.error() != QFileDevice::NoError ? temporary.errorString()
                                                           : qt_error_string();
    }
    temporary.close();
    temporary.remove();
    return false;
}

void RemoveTemporary(const QString &path)
{
    const QString temporary = path + QLatin1StringView(TemporarySuffix);
    if (QFileInfo(temporary).isFile())
        QFile::remove(temporary);
}

} // namespace AtomicFile
