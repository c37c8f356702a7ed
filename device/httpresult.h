// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QString>

// The outcome of one exchange with the device: the reply body, or the
// description of what went wrong, worded for the status line.
struct HttpResult
{
    QByteArray body;
    QString error;

    [[nodiscard]] bool ok() const { return error.isEmpty(); }
};
