// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include "httpresult.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

class QDebug;

// The meter a device reads with: a Gen2+ component (`switch:N` with `apower`, `pm1:N`, `em1:N`
// with its `em1data:N`) or a Gen1 device's `meters[N]`.
enum class Meter { None, Switch, PM1, EM1, Gen1 };

// What a device is, as it named itself at /shelly and, from Gen2 on, as its status showed its
// meter. Found once per address and kept: the poll asks it which requests to make and which
// fields to read.
struct DeviceModel
{
    int generation = 0; // 1, 2, 3, ...
    Meter meter = Meter::None;
    int channel = 0; // the component's id, or the index in Gen1's meters
    QString id; // "shellyplugsg3-..."; Gen1: type and MAC address
    QString model; // "S3SW-001P16EU"; Gen1: the type, "SHPLG-S"
    QString app; // "S1PMG3"; empty for Gen1
    bool passwordOn = false;
    bool hasReturnCounter = false; // the meter also counts the energy flowing back

    friend bool operator==(const DeviceModel &, const DeviceModel &) = default;
};

QDebug operator<<(QDebug debug, const DeviceModel &model);

// One reading of a meter as the device signs it: positive power flows from its input to its
// output. Counters in Wh; each absent where the reply has no valid one.
struct MeterReading
{
    double powerW = 0.0;
    std::optional<double> importWh;
    std::optional<double> returnWh;

    friend bool operator==(const MeterReading &, const MeterReading &) = default;
};

QDebug operator<<(QDebug debug, const MeterReading &reading);

namespace DeviceReply {

// Larger replies are not read (as large as the link takes): no meter's reply comes near it.
constexpr qsizetype MaxJsonBytes = 1024 * 1024;
// A counter above this is no meter's.
constexpr double MaxCounterWh = 1e12;

// What every generation answers without a password, and, from Gen2 on, the status of all its
// components.
inline constexpr char IdentityRequest[] = "/shelly";
inline constexpr char StatusRequest[] = "/rpc/Shelly.GetStatus";

// The device as its /shelly reply names it: Gen2+ by "gen", "id", "model", "app", "auth_en";
// Gen1 by "type", "mac", "auth" and no "gen", its meter known from "num_meters". A Gen2+ meter
// is not known yet (Meter::None): FindMeter reads it from the status. Nothing when the reply
// is neither.
[[nodiscard]] std::optional<DeviceModel> ReadIdentity(QByteArrayView reply);

// `identity` with the meter its Shelly.GetStatus reply shows: `pm1:0`, else a `switch:0` that
// has "apower", else `em1:<emChannel>`; Meter::None when none of them. A Gen1 identity comes
// back as it is. Nothing when the reply is not a status.
[[nodiscard]] std::optional<DeviceModel> FindMeter(const DeviceModel &identity,
                                                   QByteArrayView status, int emChannel = 0);

// The path and query of each request of one reading, in order: one for every meter but EM1,
// whose counters come from a second (EM1Data). Empty for Meter::None.
[[nodiscard]] QList<QByteArray> ReadingRequests(const DeviceModel &model);

// The reading in the replies to ReadingRequests(model), given in the same order. Nothing when
// a reply does not fit the meter: not its JSON, another channel's, no power, or a Gen1 meter
// that says it is not valid.
[[nodiscard]] std::optional<MeterReading> ReadReading(const DeviceModel &model,
                                                      const QList<QByteArray> &replies);

// The meter's name as the model's text keeps it: "switch", "pm1", "em1", "gen1" or "none".
[[nodiscard]] QLatin1StringView MeterName(Meter meter);

// The model as it is kept between runs, so that a later start polls at once, and read back;
// nothing from text that holds no model.
[[nodiscard]] QByteArray ModelToText(const DeviceModel &model);
[[nodiscard]] std::optional<DeviceModel> ModelFromText(QByteArrayView text);

// Whether a failed request means the device is no longer what was found (another device at the
// address, or new firmware): /shelly is to be asked again.
[[nodiscard]] bool RepliesStopFitting(const HttpResult &result);

} // namespace DeviceReply
