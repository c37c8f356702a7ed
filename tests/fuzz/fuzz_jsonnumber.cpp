// Any reply text and key: the scanner must not crash, and what it finds is
// a finite number standing after the key's pattern.
#include "jsonnumber.h"

#include <QByteArray>

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The first byte picks the key: one of the device's, or the input's
    // next few bytes.
    if (size == 0)
        return 0;
    const QByteArrayView input(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    QByteArrayView key;
    QByteArrayView text = input;
    switch (data[0] % 3) {
    case 0:
        key = "total";
        break;
    case 1:
        key = "apower";
        break;
    default:
        key = input.first(std::min<qsizetype>(input.size(), data[0] % 8));
        text = input.sliced(key.size());
    }

    const std::optional<double> found = DeviceReply::FindJsonNumber(text, key);
    if (found) {
        const QByteArray pattern = '"' + key.toByteArray() + "\":";
        if (!std::isfinite(*found) || !text.contains(pattern))
            std::abort();
    }
    if (DeviceReply::GetJsonNumber(text, key) != found.value_or(0.0))
        std::abort();
    if (const std::optional<double> whole = DeviceReply::ParseNumber(input); whole && !std::isfinite(*whole))
        std::abort();
    return 0;
}
