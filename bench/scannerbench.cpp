// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

// Time to read a switch's reading from its reply, on replies of growing size,
// the counter at the very end.
//   bench_scanner
// prints per size: bytes, nanoseconds per call, nanoseconds per KiB.
#include "devicemodel.h"

#include <QByteArray>

#include <chrono>
#include <cstdio>

int main()
{
    const QByteArray head =
            R"({"id":0,"source":"timer","output":true,"voltage":231.2,"current":1.02,)"
            R"("temperature":{"tC":41.2,"tF":106.1},"pad":")";
    const QByteArray tail =
            R"(","apower":230.4,"aenergy":{"by_minute":[3.1,3.2,3.0],"minute_ts":1717243380,)"
            R"("total":1532.753}})";
    DeviceModel model;
    model.meter = Meter::Switch;
    volatile double sink = 0;
    for (qsizetype size : { qsizetype(400), qsizetype(64 * 1024), qsizetype(1024 * 1024) }) {
        const QByteArray reply = head + QByteArray(size - head.size() - tail.size(), 'x') + tail;
        using Clock = std::chrono::steady_clock;
        qint64 calls = 0;
        const auto start = Clock::now();
        auto elapsed = Clock::duration::zero();
        while (elapsed < std::chrono::milliseconds(500)) {
            for (int i = 0; i < 16; ++i)
                sink = sink
                        + DeviceReply::ReadReading(model, { reply })
                                  .value_or(MeterReading())
                                  .importWh.value_or(0.0);
            calls += 16;
            elapsed = Clock::now() - start;
        }
        const double nsPerCall =
                double(std::chrono::duration_cast<std::chrono::nanoseconds>(elapsed).count())
                / double(calls);
        std::printf("%lld %.1f %.1f\n", static_cast<long long>(reply.size()), nsPerCall,
                    nsPerCall / (double(reply.size()) / 1024.0));
    }
    return sink < 0;
}
