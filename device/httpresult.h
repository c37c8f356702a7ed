// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QString>

// The outcome of one exchange with the device: the reply body, or the
// description of what went wrong, worded for the status line.
struct HttpResult
{
    // Why the device refused the request, when it asked for a password:
    // none was given, or the one given was wrong.
    enum class Refusal { None, PasswordNeeded, WrongPassword };

    QByteArray body;
    QString error;
    Refusal refusal = Refusal::None;
    int status = 0; // the HTTP status code; 0 when no HTTP answer came
    // The realm (Gen2 and later: the device's id) and Digest algorithm ("SHA-256" or "MD5") of
    // the credentials the device accepted; empty when none were sent.
    QByteArray realm;
    QByteArray algorithm;

    [[nodiscard]] bool ok() const { return error.isEmpty(); }
};
