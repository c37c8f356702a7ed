// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

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
        targets.append(socket->readAll().split(' ').value(1));
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

    QByteArray reply;
    Mode mode = Answer;
    QList<QByteArray> targets;
};
