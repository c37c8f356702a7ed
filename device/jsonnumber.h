// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArrayView>

#include <optional>

// Reads numeric fields out of the device's status reply. The reply is JSON,
// but it is searched as plain text: the first `"key":` anywhere in the reply
// wins, whatever object it sits in, and the value runs up to the next ","
// or "}".
namespace DeviceReply {

// The number written after `"key":`, or nothing when the key is absent or
// its value is not a finite number ("." as decimal separator, optional sign,
// fraction and exponent).
[[nodiscard]] std::optional<double> FindJsonNumber(QByteArrayView text, QByteArrayView key);

// As FindJsonNumber, with 0 for "absent or not a number".
[[nodiscard]] double GetJsonNumber(QByteArrayView text, QByteArrayView key);

// The strict number grammar FindJsonNumber accepts, without surrounding blanks.
[[nodiscard]] std::optional<double> ParseNumber(QByteArrayView number);

} // namespace DeviceReply
