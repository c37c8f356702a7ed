// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "jsonnumber.h"

#include <QByteArray>

#include <cmath>

namespace DeviceReply {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

qsizetype skipDigits(QByteArrayView text, qsizetype at)
{
    while (at < text.size() && isDigit(text[at]))
        ++at;
    return at;
}

QByteArrayView trimmedOfSpaces(QByteArrayView text)
{
    while (!text.isEmpty() && text.front() == ' ')
        text = text.sliced(1);
    while (!text.isEmpty() && text.back() == ' ')
        text.chop(1);
    return text;
}

// Accepts [+-] (digits [. [digits]] | . digits) [(e|E) [+-] digits]: the
// numbers a device writes, and nothing a general-purpose converter would
// also take ("inf", "nan", hexadecimal, blanks inside).
bool isPlainNumber(QByteArrayView text)
{
    qsizetype at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        ++at;
    const qsizetype intStart = at;
    at = skipDigits(text, at);
    bool haveDigits = at > intStart;
    if (at < text.size() && text[at] == '.') {
        const qsizetype fracStart = ++at;
        at = skipDigits(text, at);
        haveDigits = haveDigits || at > fracStart;
    }
    if (!haveDigits)
        return false;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-'))
            ++at;
        const qsizetype expStart = at;
        at = skipDigits(text, at);
        if (at == expStart)
            return false;
    }
    return at == text.size();
}

} // namespace

std::optional<double> ParseNumber(QByteArrayView number)
{
    if (!isPlainNumber(number))
        return std::nullopt;
    bool ok = false;
    const double value = number.toDouble(&ok);
    // Overflow and underflow both report !ok: a magnitude no meter produces.
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> FindJsonNumber(QByteArrayView text, QByteArrayView key)
{
    QByteArray pattern;
    pattern.reserve(key.size() + 3);
    pattern.append('"').append(key).append("\":");

    const qsizetype keyAt = text.indexOf(pattern);
    if (keyAt < 0)
        return std::nullopt;
    const qsizetype start = keyAt + pattern.size();

    const qsizetype comma = text.indexOf(',', start);
    const qsizetype brace = text.indexOf('}', start);
    qsizetype end = -1;
    if (comma < 0)
        end = brace;
    else if (brace < 0)
        end = comma;
    else
        end = std::min(comma, brace);
    // A value that nothing closes is not taken as a number.
    if (end < 0)
        return std::nullopt;

    return ParseNumber(trimmedOfSpaces(text.sliced(start, end - start)));
}

double GetJsonNumber(QByteArrayView text, QByteArrayView key)
{
    return FindJsonNumber(text, key).value_or(0.0);
}

} // namespace DeviceReply
