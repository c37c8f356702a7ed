// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include "digestauth.h"

#include <QHash>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

// A device that answers every HTTP request with the bytes of `reply` and records each request's
// target.
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
        if (!password.isEmpty() && !authorized(request)) {
            nonce = QByteArray::number(nonce.toLongLong() + 1); // a fresh one with every challenge
            socket->write("HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Digest qop=\"auth\", "
                          "realm=\""
                          + realm + "\", nonce=\"" + nonce
                          + "\", algorithm=SHA-256\r\nContent-Length: 0\r\n\r\n");
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

    // Digest SHA-256 credentials of the user admin for `nonce`, nc counting up. (The response
    // function itself is held to RFC 7616's examples by a test of its own.)
    bool authorized(const QByteArray &request)
    {
        const auto field = [&](const char *name) {
            return QRegularExpression(
                           QStringLiteral("[ ,]%1=\"?([^\",\r]*)").arg(QLatin1String(name)))
                    .match(QString::fromLatin1(request))
                    .captured(1)
                    .toLatin1();
        };
        const int nc = field("nc").toInt(nullptr, 16);
        const QByteArray credentials =
                DigestAuth::Authorization({ realm, nonce, {} }, "admin", password, "GET",
                                          targets.last(), nc, field("cnonce"));
        if (!request.contains("\r\nAuthorization: " + credentials + "\r\n") || nc <= lastNc[nonce])
            return false;
        lastNc[nonce] = nc;
        return true;
    }

    QByteArray reply;
    Mode mode = Answer;
    QList<QByteArray> targets;
    QByteArray password; // with one, requests need credentials, and others get a challenge
    QByteArray nonce = "1717236000";
    const QByteArray realm = "shellyplus1pm-a8032ab12345";
    QHash<QByteArray, int> lastNc;
};
