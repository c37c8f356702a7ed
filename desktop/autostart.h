// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QString>

// Starting the program when the user signs in, in the folder it works in now,
// with Argument: an XDG autostart entry made from the menu entry, or a
// shortcut in the Windows Startup folder.
namespace Autostart {

// Tells the program it was started at sign-in.
inline constexpr char Argument[] = "--autostart";

// The autostart entry's or the shortcut's path.
[[nodiscard]] QString EntryPath();
[[nodiscard]] bool IsEnabled();
// Returns why the program's start at sign-in could not be set or unset,
// empty when done.
[[nodiscard]] QString SetEnabled(bool enabled);
#ifndef Q_OS_WIN
// The autostart entry made from the menu entry's text: the program given
// Argument, started in `folder`. Empty when the menu's command is not of the
// form it expects.
[[nodiscard]] QByteArray EntryFromMenuEntry(const QByteArray &menuEntry, const QString &folder);
#endif

} // namespace Autostart
