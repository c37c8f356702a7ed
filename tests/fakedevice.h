// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QCryptographicHash>
#include <QHash>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

// A device that answers every HTTP request with the bytes of `reply` and records each request's
// target and Authorization header.
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
    // A request, small and without a body, arrives whole on loopback.
    void answer(QTcpSocket *socket)
    {
        const QByteArray request = socket->readAll();
        targets.append(request.split(' ').value(1));
        const qsizetype credentials = request.indexOf("\r\nAuthorization: ");
        authorizations.append(credentials < 0 ? QByteArray()
                                              : request.mid(credentials + 17).split('\r').first());
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
    Mode mode = Answer;
    QList<QByteArray> targets;
    QList<QByteArray> authorizations; // each request's Authorization header, empty for none
    QByteArray password; // with one, requests need credentials, and others get a challenge
    QByteArray nonce = "1717236000";
    const QByteArray realm = "shellyplus1pm-a8032ab12345";
    QByteArray algorithm = "SHA-256"; // or "MD5"
    QByteArray opaque; // sent with each challenge when set, and expected back
    bool stale = false; // each challenge calls the nonce the last request used stale
    QHash<QByteArray, int> lastNc;
};
