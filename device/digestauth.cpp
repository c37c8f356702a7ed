// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "digestauth.h"

#include <QHash>
#include <QList>

namespace DigestAuth {

namespace {

// One challenge of a WWW-Authenticate header: the scheme and its parameters,
// names in lower case, values without their quotes.
struct Challenge
{
    QByteArray scheme;
    QHash<QByteArray, QByteArray> params;
};

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Splits a header into its challenges. A name without "=" after it starts a
// new challenge; "name=value" and "name=\"quoted value\"" are parameters of
// the challenge before them. Every step takes at least one character.
QList<Challenge> readChallenges(QByteArrayView text)
{
    QList<Challenge> challenges;
    qsizetype at = 0;
    const auto readUntil = [&](auto isEnd) {
        const qsizetype start = at;
        while (at < text.size() && !isEnd(text[at]))
            ++at;
        return text.sliced(start, at - start).toByteArray();
    };
    const auto skipBlanks = [&] { readUntil([](char c) { return !isBlank(c); }); };
    while (true) {
        readUntil([](char c) { return !isBlank(c) && c != ','; });
        if (at == text.size())
            return challenges;
        const QByteArray name =
                readUntil([](char c) { return isBlank(c) || c == ',' || c == '='; }).toLower();
        skipBlanks();
        if (at == text.size() || text[at] != '=') {
            challenges.append({ name, {} });
            continue;
        }
        ++at;
        skipBlanks();
        QByteArray value;
        if (at < text.size() && text[at] == '"') {
            for (++at; at < text.size() && text[at] != '"'; ++at) {
                if (text[at] == '\\' && at + 1 < text.size())
                    ++at;
                value += text[at];
            }
            if (at < text.size())
                ++at; // the closing quote
        } else {
            value = readUntil([](char c) { return isBlank(c) || c == ','; });
        }
        if (!challenges.isEmpty() && !challenges.last().params.contains(name))
            challenges.last().params.insert(name, value);
    }
}

QByteArray quoted(QByteArray value)
{
    return '"' + value.replace('\\', "\\\\").replace('"', "\\\"") + '"';
}

} // namespace

std::optional<DigestChallenge> FindChallenge(QByteArrayView wwwAuthenticate)
{
    std::optional<DigestChallenge> md5;
    for (const Challenge &challenge : readChallenges(wwwAuthenticate)) {
        const auto param = [&](const char *name) { return challenge.params.value(name); };
        bool offersAuth = false;
        for (const QByteArray &qop : param("qop").split(','))
            offersAuth = offersAuth || qop.trimmed().toLower() == "auth";
        if (challenge.scheme != "digest" || !offersAuth || param("nonce").isEmpty())
            continue;
        DigestChallenge found{ param("realm"), param("nonce"), param("opaque"),
                               QCryptographicHash::Sha256, param("stale").toLower() == "true" };
        const QByteArray algorithm = param("algorithm").toUpper();
        if (algorithm == "SHA-256")
            return found;
        // A challenge that names no algorithm means MD5.
        if (!md5 && (algorithm.isEmpty() || algorithm == "MD5")) {
            found.algorithm = QCryptographicHash::Md5;
            md5 = found;
        }
    }
    return md5;
}

QByteArray Authorization(const DigestChallenge &challenge, const QByteArray &user,
                         const QByteArray &password, const QByteArray &method,
                         const QByteArray &uri, quint32 nc, const QByteArray &cnonce)
{
    const auto hash = [&](const QByteArrayList &parts) {
        return QCryptographicHash::hash(parts.join(':'), challenge.algorithm).toHex();
    };
    const QByteArray count = QByteArray::number(nc, 16).rightJustified(8, '0');
    const QByteArray response = hash({ hash({ user, challenge.realm, password }), challenge.nonce,
                                       count, cnonce, "auth", hash({ method, uri }) });
    const bool sha256 = challenge.algorithm == QCryptographicHash::Sha256;
    QByteArray header = "Digest username=" + quoted(user) + ", realm=" + quoted(challenge.realm)
            + ", nonce=" + quoted(challenge.nonce) + ", uri=" + quoted(uri)
            + ", algorithm=" + (sha256 ? "SHA-256" : "MD5") + ", response=\"" + response
            + "\", qop=auth, nc=" + count + ", cnonce=" + quoted(cnonce);
    if (!challenge.opaque.isEmpty())
        header += ", opaque=" + quoted(challenge.opaque);
    return header;
}

} // namespace DigestAuth
