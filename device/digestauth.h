// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QCryptographicHash>

#include <optional>

// HTTP Digest access authentication (RFC 7616) as a client answers it:
// qop "auth", algorithm SHA-256, or MD5 where a server offers only that.
struct DigestChallenge
{
    QByteArray realm;
    QByteArray nonce;
    QByteArray opaque; // echoed unchanged when the server sends one
    QCryptographicHash::Algorithm algorithm = QCryptographicHash::Sha256;
    bool stale = false; // the nonce ran out, the credentials were right
};

namespace DigestAuth {

// The Digest challenge to answer in a WWW-Authenticate header, which may
// hold several challenges separated by commas: the first SHA-256 one that
// offers qop "auth", else the first such MD5 one. Nothing when there is none
// (Basic only, or Digest with other algorithms or without qop "auth").
[[nodiscard]] std::optional<DigestChallenge> FindChallenge(QByteArrayView wwwAuthenticate);

// The Authorization header's value answering `challenge` for a request of
// `method` on `uri` (the request's path and query); `nc` counts the requests
// made with this nonce, from 1, and `cnonce` is the client's own nonce.
[[nodiscard]] QByteArray Authorization(const DigestChallenge &challenge, const QByteArray &user,
                                       const QByteArray &password, const QByteArray &method,
                                       const QByteArray &uri, quint32 nc, const QByteArray &cnonce);

} // namespace DigestAuth
