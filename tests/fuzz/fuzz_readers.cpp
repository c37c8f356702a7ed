// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

// Any bytes as a device reply and as a state file: no crash; whatever the state reader reads
// (finished days too), the writer writes back; the JSON readers find only models that read back as
// kept, finite powers and counters in range; an mDNS answer gives only names within 255 bytes, and
// services only with a port's record and an address.
#include "devicemodel.h"
#include "mdns.h"
#include "statefile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView input(data, qsizetype(size));
    const DailyTally tally = StateFile::ReadState(input);
    if (!qIsFinite(tally.lastTotalWh) || !qIsFinite(tally.todayWh)
        || StateFile::ReadState(StateFile::FormatState(tally)) != tally)
        qFatal("the state file does not read back to the tally it holds");
    for (std::optional<DeviceModel> model :
         { DeviceReply::ReadIdentity(input), DeviceReply::ModelFromText(input) }) {
        if (model && DeviceReply::ModelFromText(DeviceReply::ModelToText(*model)) != model)
            qFatal("a model does not read back as it was kept");
    }
    for (const Meter meter : { Meter::Switch, Meter::PM1, Meter::EM1, Meter::Gen1 }) {
        const QList<QByteArray> replies(meter == Meter::EM1 ? 2 : 1, input.toByteArray());
        DeviceModel model;
        model.meter = meter;
        const auto reading = DeviceReply::ReadReading(model, replies);
        const auto valid = [](std::optional<double> wh) {
            return !wh || (*wh >= 0 && *wh <= 1e12);
        };
        if (reading
            && (!qIsFinite(reading->powerW) || !valid(reading->importWh)
                || !valid(reading->returnWh)))
            qFatal("a reading out of range");
    }
    if (const auto records = Mdns::ReadResponse(input)) {
        for (const Mdns::Record &record : *records) {
            for (const QByteArrayList &name : { record.name, record.target }) {
                qsizetype bytes = 1;
                for (const QByteArray &label : name)
                    bytes += 1 + label.size();
                if (bytes > Mdns::MaxNameBytes)
                    qFatal("a name longer than a name can be");
            }
        }
        for (const Mdns::Service &service :
             Mdns::FindServices(*records, { Mdns::ShellyService, Mdns::HttpService })) {
            if (service.addresses.isEmpty())
                qFatal("a service without an address");
        }
    }
    return 0;
}
