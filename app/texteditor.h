// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

// Starts the system's text editor on `fileName` without waiting for it:
// Notepad, maximized, on Windows; elsewhere the desktop's default
// application for plain text, else a common text editor found on PATH, else
// xdg-open. Returns why no editor could be started, empty when one was.
QString OpenInTextEditor(const QString &fileName);
