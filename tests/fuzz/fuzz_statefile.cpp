// Any file content: the reader must not crash, yields finite numbers, and
// whatever it reads, the writer writes back to the same tally.
#include "statefile.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView content(reinterpret_cast<const char *>(data), qsizetype(size));
    const DailyTally tally = StateFile::ReadState(content);
    if (!std::isfinite(tally.lastTotalWh) || !std::isfinite(tally.todayWh))
        std::abort();
    if (StateFile::ReadState(StateFile::FormatState(tally)) != tally)
        std::abort();
    return 0;
}
