// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include "notices.h"

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
    // The price of one kWh in currency(), for what the production saved; none when unset or not
    // above 0.
    [[nodiscard]] std::optional<double> pricePerKwh() const;
    void setPricePerKwh(std::optional<double> price);
    // The ISO 4217 code of the prices' currency, kept as chosen: a later locale never changes what
    // a price was typed in. Empty until chosen.
    [[nodiscard]] QString currency() const;
    void setCurrency(const QString &code);
    // The share of the production used at home (0 to 1, all of it unless set), and what a kWh fed
    // into the grid is paid (0 unless set).
    [[nodiscard]] double homeShare() const;
    void setHomeShare(double share);
    [[nodiscard]] double feedInPerKwh() const;
    void setFeedInPerKwh(double price);
    // The plant's size in Wp (its panels' peak power); none when unset or not above 0.
    [[nodiscard]] std::optional<double> plantWp() const;
    void setPlantWp(double watts);
    // Whether the user has been told once that closing the window leaves Palvorin in the
    // notification area.
    [[nodiscard]] bool trayNoticeShown() const;
    void setTrayNoticeShown();
    // Whether notices of `kind` are shown: the day's yield only when switched on, the others
    // unless switched off.
    [[nodiscard]] bool notifies(NoticeKind kind) const;
    void setNotifies(NoticeKind kind, bool on);
    // What was found of each device the program polled, as text of the poll's own, by host and
    // port.
    [[nodiscard]] QHash<QString, QByteArray> knownDevices() const;
    void setKnownDevice(const QString &address, const QByteArray &text);
    // The device address the user last confirmed in the address box; empty when none was, or the
    // user confirmed an empty box to forget it.
    [[nodiscard]] QString deviceAddress() const;
    void setDeviceAddress(const QString &address);
    // Whether the keyring holds a password for the device at `address` (its host and port), as
    // far as this program knows: only then is the keyring asked at start.
    [[nodiscard]] bool passwordRemembered(const QString &address) const;
    void setPasswordRemembered(const QString &address, bool remembered);

private:
    mutable QSettings m_settings; // reading an array moves its group
};
