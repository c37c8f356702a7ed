// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QSettings>

// The program's settings, per user (the organisation and application names
// set in main()). Nothing secret goes here.
class Settings
{
public:
    // Whether the user has been told once that closing the window leaves
    // Palvorin in the notification area.
    [[nodiscard]] bool trayNoticeShown() const;
    void setTrayNoticeShown();

private:
    QSettings m_settings;
};
