// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

class MainWindow;
class Settings;
class TrayIcon;

// Shows the window's figures, readings and status line in the tray icon, and
// opens History and Details from its menu.
void ConnectTray(MainWindow *window, TrayIcon *tray);
// Tells the user what the polls and the recorded days call for (NoticeRules), as the settings
// switch the notices on, through the tray; where it shows none, in the status line. A click on a
// notice brings up the window, or History for the day's yield.
void ConnectNotices(MainWindow *window, TrayIcon *tray, Settings *settings);
