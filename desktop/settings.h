// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QSettings>

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
    // The device address the user last confirmed in the address box; empty when none was, or the
    // user confirmed an empty box to forget it.
    [[nodiscard]] QString deviceAddress() const;
    void setDeviceAddress(const QString &address);
    // Whether the keyring holds a password for the device at `address` (its host and port), as
    // far as this program knows: only then is the keyring asked at start.
    [[nodiscard]] bool passwordRemembered(const QString &address) const;
    void setPasswordRemembered(const QString &address, bool remembered);

private:
    QSettings m_settings;
};
