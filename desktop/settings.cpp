// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "settings.h"

using namespace Qt::StringLiterals;

namespace {

const QString PricePerKwhKey = u"PricePerKwh"_s;
const QString TrayNoticeShownKey = u"tray/noticeShown"_s;
const QString DeviceAddressKey = u"device/address"_s;
const QString RememberedKey = u"keyring/remembered"_s;

} // namespace

std::optional<double> Settings::pricePerKwh() const
{
    bool ok = false;
    const double price = m_settings.value(PricePerKwhKey).toDouble(&ok);
    if (!ok || !(price > 0))
        return std::nullopt;
    return price;
}

void Settings::setPricePerKwh(std::optional<double> price)
{
    if (price && *price > 0)
        m_settings.setValue(PricePerKwhKey, *price);
    else
        m_settings.remove(PricePerKwhKey);
}

bool Settings::trayNoticeShown() const
{
    return m_settings.value(TrayNoticeShownKey, false).toBool();
}

void Settings::setTrayNoticeShown()
{
    m_settings.setValue(TrayNoticeShownKey, true);
}

QString Settings::deviceAddress() const
{
    return m_settings.value(DeviceAddressKey).toString();
}

void Settings::setDeviceAddress(const QString &address)
{
    if (address.isEmpty())
        m_settings.remove(DeviceAddressKey);
    else
        m_settings.setValue(DeviceAddressKey, address);
}

bool Settings::passwordRemembered(const QString &address) const
{
    return m_settings.value(RememberedKey).toStringList().contains(address);
}

void Settings::setPasswordRemembered(const QString &address, bool remembered)
{
    QStringList addresses = m_settings.value(RememberedKey).toStringList();
    if (addresses.contains(address) == remembered)
        return;
    if (remembered)
        addresses.append(address);
    else
        addresses.removeAll(address);
    if (addresses.isEmpty())
        m_settings.remove(RememberedKey);
    else
        m_settings.setValue(RememberedKey, addresses);
}
