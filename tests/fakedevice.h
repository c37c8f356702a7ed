// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QCryptographicHash>
#include <QHash>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

// A device that answers /shelly with `identity`, whatever `replies` holds for a request's target,
// every other request with the bytes of `reply`, and records each request's target and
// Authorization header. Unless told otherwise it is a Gen2 plug whose switch meters, as its
// status says.
class FakeDevice : public QTcpServer
{
public:
    // Trickle: the body one byte per 250 ms. Dawdle: the head after 400 ms, the body 400 ms later.
    enum Mode { Answer, AnswerAndClose, Silent, Trickle, Dawdle };

    FakeDevice()
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
        });
    }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(serverPort()); }
    static QByteArray ok(const QByteArray &body)
    {
        return "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n"
                + body;
    }
    // A switch's reading of `total` Wh and `power` W, as Switch.GetStatus gives it.
    static QByteArray reading(const QByteArray &total, const QByteArray &power = "0")
    {
        return ok(R"({"id":0,"source":"init","output":true,"apower":)" + power
                  + R"(,"voltage":230.1,"aenergy":{"total":)" + total
                  + R"(,"by_minute":[0,0,0],"minute_ts":1717236000},"temperature":{"tC":30.1}})");
    }
    // A request, small and without a body, arrives whole on loopback.
    void answer(QTcpSocket *socket)
    {
        const QByteArray request = socket->readAll();
        const QByteArray target = request.split(' ').value(1);
        targets.append(target);
        const qsizetype credentials = request.indexOf("\r\nAuthorization: ");
        authorizations.append(credentials < 0 ? QByteArray()
                                              : request.mid(credentials + 17).split('\r').first());
        // Every generation says what it is without a password.
        if (target == "/shelly" && !replies.contains(target)) {
            socket->write(ok(identity.isEmpty()
                                     ? R"({"name":null,"id":"shellyplusplugs-b0b21c19a7c8","mac":)"
                                       R"("B0B21C19A7C8","model":"SNPL-00112EU","gen":2,)"
                                       R"("app":"PlusPlugS","ver":"1.4.4","auth_en":)"
                                             + QByteArray(password.isEmpty() ? "false" : "true")
                                             + R"(,"auth_domain":null})"
                                     : identity));
            return;
        }
        if (!password.isEmpty() && !authorized()) {
            const QByteArray body = R"({"code":401,"message":"Unauthorized"})";
            socket->write(
                    "HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Digest qop=\"auth\", realm=\""
                    + realm + "\", nonce=\"" + nonce + "\", algorithm=" + algorithm
                    + (opaque.isEmpty() ? "" : ", opaque=\"" + opaque + '"')
                    + (stale ? ", stale=true" : "")
                    + "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
            return;
        }
        const bool status = target == "/rpc/Shelly.GetStatus";
        const QByteArray reply =
                replies.value(target,
                              status ? ok(R"({"sys":{"mac":"B0B21C19A7C8"},"switch:0":{"id":0,)"
                                          R"("apower":0,"aenergy":{"total":0}}})")
                                     : this->reply);
        const Mode mode = replies.contains(target) || status ? Answer : this->mode;
        const qsizetype head = mode < Trickle ? reply.size() : reply.indexOf("\r\n\r\n") + 4;
        const auto sendLater = [socket](int ms, const QByteArray &bytes) {
            QTimer::singleShot(ms, socket, [socket, bytes] { socket->write(bytes); });
        };
        if (mode == Dawdle) {
            sendLater(400, reply.first(head));
            sendLater(800, reply.sliced(head));
            return;
        }
        socket->write(mode == Silent ? QByteArray() : reply.first(head));
        for (qsizetype at = head; mode == Trickle && at < reply.size(); ++at)
            sendLater(250 * (at - head + 1), reply.mid(at, 1));
        if (mode == AnswerAndClose)
            socket->disconnectFromHost();
    }

    // The parameters of a Digest Authorization header, by name, without their quotes (none of
    // this device's values holds a comma).
    static QHash<QByteArray, QByteArray> params(const QByteArray &header)
    {
        QHash<QByteArray, QByteArray> fields;
        for (const QByteArray &param : header.mid(7).split(',')) {
            const qsizetype equals = param.indexOf('=');
            fields[param.left(equals).trimmed()] = param.mid(equals + 1).replace('"', "");
        }
        return fields;
    }
    // Whether the last request carries the Digest credentials of the user admin for `nonce` and
    // the request's target, its nc one above the last request's with that nonce: the response
    // computed as RFC 7616 has the server do, from the device's own realm, nonce and target.
    bool authorized()
    {
        QHash<QByteArray, QByteArray> fields = params(authorizations.last());
        const auto h = [this](const QByteArrayList &parts) {
            return QCryptographicHash::hash(parts.join(':'),
                                            algorithm == "MD5" ? QCryptographicHash::Md5
                                                               : QCryptographicHash::Sha256)
                    .toHex();
        };
        const QByteArray response = h({ h({ "admin", realm, password }), nonce, fields["nc"],
                                        fields["cnonce"], "auth", h({ "GET", targets.last() }) });
        const int nc = fields["nc"].toInt(nullptr, 16);
        const bool counted = fields["nonce"] == nonce && nc == lastNc[nonce] + 1;
        if (counted)
            lastNc[nonce] = nc;
        return counted && fields["opaque"] == opaque && fields["response"] == response;
    }

    QByteArray reply;
    Mode mode = Answer; // for the requests `reply` answers
    QByteArray identity; // the /shelly reply's body, when not the Gen2 plug's
    QHash<QByteArray, QByteArray> replies; // whole replies by target
    QList<QByteArray> targets;
    QList<QByteArray> authorizations; // each request's Authorization header, empty for none
    QByteArray password; // with one, requests need credentials, and others get a challenge
    QByteArray nonce = "1717236000";
    QByteArray realm = "shellyplusplugs-b0b21c19a7c8"; // the device's id
    QByteArray algorithm = "SHA-256"; // or "MD5"
    QByteArray opaque; // sent with each challenge when set, and expected back
    bool stale = false; // each challenge calls the nonce the last request used stale
    QHash<QByteArray, int> lastNc;
};
