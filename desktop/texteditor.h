// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

// Starts the system's text editor on `fileName` without waiting for it:
// the system folder's Notepad, maximized, on Windows; elsewhere the
// desktop's default application for plain text, else a common text editor
// found on PATH, else xdg-open. Returns why no editor could be started,
// empty when one was.
QString OpenInTextEditor(const QString &fileName);

#ifdef Q_OS_WIN
// Starts the program at the full path `notepad` on `fileName` as Notepad is
// started: maximized, without waiting. Returns why it could not be
// started, empty when it was.
QString OpenInNotepad(const QString &notepad, const QString &fileName);
#endif
