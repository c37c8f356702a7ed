// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QHash>
#include <QSettings>
#include <QString>

#include <optional>

// The program's settings, kept per user by QSettings under the organisation and application names
// that main() sets: a file on Linux (~/.config/Palvorin/Palvorin.conf), the registry on Windows
// (HKEY_CURRENT_USER\Software\Palvorin\Palvorin). Nothing secret goes here.
class Settings
{
public:
    // The price of one kWh in the locale's currency, for what the production saved; none when
    // unset or not above 0.
    [[nodiscard]] std::optional<double> pricePerKwh() const;
    void setPricePerKwh(std::optional<double> price);
    // Whether the user has been told once that closing the window leaves Palvorin in the
    // notification area.
    [[nodiscard]] bool trayNoticeShown() const;
    void setTrayNoticeShown();
    // What was found of each device the program polled, as text of the poll's own, by host and
    // port.
    [[nodiscard]] QHash<QString, QByteArray> knownDevices() const;
    void setKnownDevice(const QString &address, const QByteArray &text);

private:
    mutable QSettings m_settings; // reading an array moves its group
};
