// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

class MainWindow;
class TrayIcon;

// Shows the window's figures, readings and status line in the tray icon, and
// opens History and Details from its menu.
void ConnectTray(MainWindow *window, TrayIcon *tray);
