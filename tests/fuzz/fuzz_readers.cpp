// Any bytes as a device reply and as a state file: no crash, the scanner finds only finite numbers after the
// key, and whatever the state reader reads, the writer writes back to the same tally.
#include "jsonnumber.h"
#include "statefile.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView input(data, qsizetype(size));
    const std::optional<double> total = DeviceReply::FindJsonNumber(input, "total");
    const DailyTally tally = StateFile::ReadState(input);
    if ((total && (!std::isfinite(*total) || !input.contains("\"total\":"))) || !std::isfinite(tally.lastTotalWh)
        || !std::isfinite(tally.todayWh) || StateFile::ReadState(StateFile::FormatState(tally)) != tally)
        std::abort();
    return 0;
}
