// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QString>

// Starting the program when the user signs in, in the folder its menu entry
// starts it in, with Argument: an XDG autostart entry made from the menu
// entry, or a shortcut in the Windows Startup folder working in
// Documents\Palvorin, as the installer makes it.
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
// The autostart entry made from the menu entry's text: the menu's command,
// given Argument. Empty when the command is not of the form it expects.
[[nodiscard]] QByteArray EntryFromMenuEntry(const QByteArray &menuEntry);
#endif

} // namespace Autostart
