// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

// Any bytes as a device reply and as a state file: no crash, the scanner finds only finite numbers
// after the key, and whatever the state reader reads (finished days too), the writer writes back.
#include "jsonnumber.h"
#include "statefile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView input(data, qsizetype(size));
    const std::optional<double> total = DeviceReply::FindJsonNumber(input, "total");
    if (total && (!qIsFinite(*total) || !input.contains("\"total\":")))
        qFatal("the scanner found %g where it should not have", *total);
    const DailyTally tally = StateFile::ReadState(input);
    if (!qIsFinite(tally.lastTotalWh) || !qIsFinite(tally.todayWh)
        || StateFile::ReadState(StateFile::FormatState(tally)) != tally)
        qFatal("the state file does not read back to the tally it holds");
    return 0;
}
