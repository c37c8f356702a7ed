// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

class QGuiApplication;

// Ends the program as its Quit does when the system asks it to end: on
// SIGTERM, SIGINT and SIGHUP, or when the Windows session ends. The event loop
// returns, so every destructor runs: the files are written, the folder's lock
// is released.
void EndInOrderWhenAsked(QGuiApplication *app);
