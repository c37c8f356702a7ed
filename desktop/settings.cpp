// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "settings.h"

using namespace Qt::StringLiterals;

namespace {

const QString PricePerKwhKey = u"PricePerKwh"_s;
const QString CurrencyKey = u"Currency"_s;
const QString HomeShareKey = u"HomeShare"_s;
const QString FeedInPerKwhKey = u"FeedInPerKwh"_s;
const QString PlantWpKey = u"PlantWp"_s;
const QString TrayNoticeShownKey = u"tray/noticeShown"_s;
const QString NoticeKeys[] = { u"notices/unreachable"_s, u"notices/stopped"_s, u"notices/yield"_s };
// An array, as host and port make no key.
const QString KnownDevicesKey = u"devices"_s;
const QString AddressKey = u"address"_s;
const QString FoundKey = u"found"_s;
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

QString Settings::currency() const
{
    return m_settings.value(CurrencyKey).toString();
}

void Settings::setCurrency(const QString &code)
{
    m_settings.setValue(CurrencyKey, code);
}

double Settings::homeShare() const
{
    bool ok = false;
    const double share = m_settings.value(HomeShareKey).toDouble(&ok);
    return ok && share >= 0 && share <= 1 ? share : 1.0;
}

void Settings::setHomeShare(double share)
{
    m_settings.setValue(HomeShareKey, share);
}

double Settings::feedInPerKwh() const
{
    bool ok = false;
    const double price = m_settings.value(FeedInPerKwhKey).toDouble(&ok);
    return ok && price > 0 ? price : 0.0;
}

void Settings::setFeedInPerKwh(double price)
{
    m_settings.setValue(FeedInPerKwhKey, price);
}

std::optional<double> Settings::plantWp() const
{
    bool ok = false;
    const double watts = m_settings.value(PlantWpKey).toDouble(&ok);
    if (!ok || !(watts > 0))
        return std::nullopt;
    return watts;
}

void Settings::setPlantWp(double watts)
{
    if (watts > 0)
        m_settings.setValue(PlantWpKey, watts);
    else
        m_settings.remove(PlantWpKey);
}

bool Settings::trayNoticeShown() const
{
    return m_settings.value(TrayNoticeShownKey, false).toBool();
}

void Settings::setTrayNoticeShown()
{
    m_settings.setValue(TrayNoticeShownKey, true);
}

bool Settings::notifies(NoticeKind kind) const
{
    return m_settings.value(NoticeKeys[int(kind)], kind != NoticeKind::Yield).toBool();
}

void Settings::setNotifies(NoticeKind kind, bool on)
{
    m_settings.setValue(NoticeKeys[int(kind)], on);
}

QHash<QString, QByteArray> Settings::knownDevices() const
{
    QHash<QString, QByteArray> devices;
    const int count = m_settings.beginReadArray(KnownDevicesKey);
    for (int i = 0; i < count; ++i) {
        m_settings.setArrayIndex(i);
        devices.insert(m_settings.value(AddressKey).toString(),
                       m_settings.value(FoundKey).toByteArray());
    }
    m_settings.endArray();
    return devices;
}

void Settings::setKnownDevice(const QString &address, const QByteArray &text)
{
    QHash<QString, QByteArray> devices = knownDevices();
    devices.insert(address, text);
    m_settings.remove(KnownDevicesKey);
    m_settings.beginWriteArray(KnownDevicesKey, int(devices.size()));
    int i = 0;
    for (auto device = devices.cbegin(); device != devices.cend(); ++device, ++i) {
        m_settings.setArrayIndex(i);
        m_settings.setValue(AddressKey, device.key());
        m_settings.setValue(FoundKey, device.value());
    }
    m_settings.endArray();
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
