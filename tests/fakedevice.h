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
    enum Mode { Answer, AnswerAndClose, Silent, Trickle }; // Trickle: the body one byte per 100 ms

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
        const qsizetype head = mode == Trickle ? reply.indexOf("\r\n\r\n") + 4 : reply.size();
        socket->write(mode == Silent ? QByteArray() : reply.first(head));
        for (qsizetype at = head; mode == Trickle && at < reply.size(); ++at)
            QTimer::singleShot(100 * (at - head + 1), socket,
                               [socket, byte = reply.mid(at, 1)] { socket->write(byte); });
        if (mode == AnswerAndClose)
            socket->disconnectFromHost();
    }

    QByteArray reply;
    Mode mode = Answer;
    QList<QByteArray> targets;
};
