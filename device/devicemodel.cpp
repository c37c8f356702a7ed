// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "devicemodel.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>
#include <utility>

using namespace Qt::StringLiterals;

QDebug operator<<(QDebug debug, const DeviceModel &model)
{
    const QDebugStateSaver saver(debug);
    debug.nospace() << "DeviceModel(gen " << model.generation << ", meter " << int(model.meter)
                    << ':' << model.channel << ", " << model.id << ", " << model.model << ", "
                    << model.app << ", password " << model.passwordOn << ", return counter "
                    << model.hasReturnCounter << ')';
    return debug;
}

QDebug operator<<(QDebug debug, const MeterReading &reading)
{
    const QDebugStateSaver saver(debug);
    const auto counter = [](std::optional<double> wh) {
        return wh ? QString::number(*wh, 'g', 15) + u" Wh"_s : u"none"_s;
    };
    debug.nospace().noquote() << "MeterReading(" << reading.powerW << " W, import "
                              << counter(reading.importWh) << ", return "
                              << counter(reading.returnWh) << ')';
    return debug;
}

namespace DeviceReply {

namespace {

std::optional<QJsonObject> parseObject(QByteArrayView reply)
{
    if (reply.size() > MaxJsonBytes)
        return std::nullopt;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(reply.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}

std::optional<double> finiteNumber(const QJsonValue &value)
{
    if (!value.isDouble() || !std::isfinite(value.toDouble()))
        return std::nullopt;
    return value.toDouble();
}

std::optional<double> counter(const QJsonValue &value, double unitsPerWh = 1.0)
{
    const std::optional<double> number = finiteNumber(value);
    if (!number || *number < 0 || *number / unitsPerWh > MaxCounterWh)
        return std::nullopt;
    return *number / unitsPerWh;
}

// The component's own reply: another channel's answer is not this meter's.
std::optional<QJsonObject> componentReply(QByteArrayView reply, int channel)
{
    std::optional<QJsonObject> object = parseObject(reply);
    if (object && object->contains("id"_L1) && object->value("id"_L1) != QJsonValue(channel))
        return std::nullopt;
    return object;
}

constexpr std::pair<Meter, const char *> meterNames[] = {
    { Meter::None, "none" }, { Meter::Switch, "switch" }, { Meter::PM1, "pm1" },
    { Meter::EM1, "em1" },   { Meter::Gen1, "gen1" },
};

QString channelKey(const char *component, int channel)
{
    return QString::fromLatin1(component) + u':' + QString::number(channel);
}

} // namespace

std::optional<DeviceModel> ReadIdentity(QByteArrayView reply)
{
    const std::optional<QJsonObject> shelly = parseObject(reply);
    if (!shelly)
        return std::nullopt;
    DeviceModel model;
    if (shelly->contains("gen"_L1)) {
        const int gen = shelly->value("gen"_L1).toInt();
        model.id = shelly->value("id"_L1).toString();
        if (gen < 2 || model.id.isEmpty())
            return std::nullopt;
        model.generation = gen;
        model.model = shelly->value("model"_L1).toString();
        model.app = shelly->value("app"_L1).toString();
        model.passwordOn = shelly->value("auth_en"_L1).toBool();
        return model;
    }
    const QString type = shelly->value("type"_L1).toString();
    const QString mac = shelly->value("mac"_L1).toString();
    if (type.isEmpty() || mac.isEmpty())
        return std::nullopt;
    model.generation = 1;
    model.id = type + u'-' + mac;
    model.model = type;
    model.passwordOn = shelly->value("auth"_L1).toBool();
    if (shelly->value("num_meters"_L1).toInt() > 0)
        model.meter = Meter::Gen1;
    return model;
}

std::optional<DeviceModel> FindMeter(const DeviceModel &identity, QByteArrayView status,
                                     int emChannel)
{
    if (identity.generation < 2)
        return identity;
    const std::optional<QJsonObject> components = parseObject(status);
    if (!components)
        return std::nullopt;
    DeviceModel model = identity;
    model.meter = Meter::None;
    model.channel = 0;
    model.hasReturnCounter = false;
    const QJsonObject pm1 = components->value("pm1:0"_L1).toObject();
    const QJsonObject relay = components->value("switch:0"_L1).toObject();
    if (!pm1.isEmpty() || relay.contains("apower"_L1)) {
        model.meter = pm1.isEmpty() ? Meter::Switch : Meter::PM1;
        model.hasReturnCounter = (pm1.isEmpty() ? relay : pm1).contains("ret_aenergy"_L1);
    } else if (components->value(channelKey("em1", emChannel)).isObject()) {
        model.meter = Meter::EM1;
        model.channel = emChannel;
        // EM1Data always counts both ways.
        model.hasReturnCounter = true;
    }
    return model;
}

QList<QByteArray> ReadingRequests(const DeviceModel &model)
{
    const QByteArray id = QByteArray::number(model.channel);
    switch (model.meter) {
    case Meter::None:
        return {};
    case Meter::Switch:
        return { "/rpc/Switch.GetStatus?id=" + id };
    case Meter::PM1:
        return { "/rpc/PM1.GetStatus?id=" + id };
    case Meter::EM1:
        return { "/rpc/EM1.GetStatus?id=" + id, "/rpc/EM1Data.GetStatus?id=" + id };
    case Meter::Gen1:
        return { "/status" };
    }
    return {};
}

std::optional<MeterReading> ReadReading(const DeviceModel &model, const QList<QByteArray> &replies)
{
    if (replies.size() != ReadingRequests(model).size() || replies.isEmpty())
        return std::nullopt;
    QJsonObject meter;
    QJsonObject energy;
    double unitsPerWh = 1.0;
    const char *power = "apower";
    const char *imported = "total";
    const char *returned = "total";
    if (model.meter == Meter::Gen1) {
        const std::optional<QJsonObject> status = parseObject(replies[0]);
        meter = status ? status->value("meters"_L1)[model.channel].toObject() : QJsonObject();
        if (meter.value("is_valid"_L1) == QJsonValue(false))
            return std::nullopt;
        energy = meter;
        power = "power";
        unitsPerWh = 60.0; // its counter is in watt-minutes
    } else if (model.meter == Meter::EM1) {
        const std::optional<QJsonObject> em1 = componentReply(replies[0], model.channel);
        const std::optional<QJsonObject> data = componentReply(replies[1], model.channel);
        if (!em1 || !data)
            return std::nullopt;
        meter = *em1;
        energy = *data;
        power = "act_power";
        imported = "total_act_energy";
        returned = "total_act_ret_energy";
    } else {
        meter = componentReply(replies[0], model.channel).value_or(QJsonObject());
        energy = meter.value("aenergy"_L1).toObject();
    }

    MeterReading reading;
    const std::optional<double> powerW = finiteNumber(meter.value(QLatin1StringView(power)));
    if (!powerW)
        return std::nullopt;
    reading.powerW = *powerW;
    reading.importWh = counter(energy.value(QLatin1StringView(imported)), unitsPerWh);
    if (model.meter == Meter::EM1)
        reading.returnWh = counter(energy.value(QLatin1StringView(returned)));
    else if (model.meter != Meter::Gen1)
        reading.returnWh = counter(meter.value("ret_aenergy"_L1)["total"_L1]);
    return reading;
}

QLatin1StringView MeterName(Meter meter)
{
    const auto named = std::find_if(std::begin(meterNames), std::end(meterNames),
                                    [meter](const auto &entry) { return entry.first == meter; });
    return QLatin1StringView(named == std::end(meterNames) ? "none" : named->second);
}

QByteArray ModelToText(const DeviceModel &model)
{
    QJsonObject object{ { "gen"_L1, model.generation },
                        { "channel"_L1, model.channel },
                        { "id"_L1, model.id },
                        { "model"_L1, model.model },
                        { "app"_L1, model.app },
                        { "password"_L1, model.passwordOn },
                        { "return"_L1, model.hasReturnCounter },
                        { "meter"_L1, MeterName(model.meter) } };
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<DeviceModel> ModelFromText(QByteArrayView text)
{
    const std::optional<QJsonObject> object = parseObject(text);
    if (!object)
        return std::nullopt;
    DeviceModel model;
    model.generation = object->value("gen"_L1).toInt();
    model.channel = object->value("channel"_L1).toInt(-1);
    model.id = object->value("id"_L1).toString();
    model.model = object->value("model"_L1).toString();
    model.app = object->value("app"_L1).toString();
    model.passwordOn = object->value("password"_L1).toBool();
    model.hasReturnCounter = object->value("return"_L1).toBool();
    const QString meter = object->value("meter"_L1).toString();
    const auto named =
            std::find_if(std::begin(meterNames), std::end(meterNames), [&](const auto &entry) {
                return meter == QLatin1StringView(entry.second);
            });
    if (model.generation < 1 || model.channel < 0 || model.id.isEmpty()
        || named == std::end(meterNames))
        return std::nullopt;
    model.meter = named->first;
    return model;
}

bool RepliesStopFitting(const HttpResult &result)
{
    // Gen2+ answers a method it lacks, and Gen1 anything under /rpc, with 404.
    return result.status == 404;
}

} // namespace DeviceReply
