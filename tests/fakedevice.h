#pragma once

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

// A device that answers every HTTP request with the bytes of `reply` and records each request's target.
class FakeDevice : public QTcpServer
{
    Q_OBJECT

public:
    enum Mode { Answer, AnswerAndClose, Silent, Trickle }; // Trickle: the body one byte per 100 ms

    explicit FakeDevice(const QHostAddress &address = QHostAddress::LocalHost, quint16 port = 0)
    {
        if (!listen(address, port))
            qFatal("the fake device cannot listen");
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
        });
    }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(serverPort()); }
    static QByteArray ok(const QByteArray &body)
    {
        return "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
    }

    QByteArray reply;
    Mode mode = Answer;
    QList<QByteArray> targets;

private:
    // A request, small and without a body, arrives whole on loopback.
    void answer(QTcpSocket *socket)
    {
        targets.append(socket->readAll().split(' ').value(1));
        const qsizetype head = mode == Trickle ? reply.indexOf("\r\n\r\n") + 4 : reply.size();
        socket->write(mode == Silent ? QByteArray() : reply.first(head));
        if (mode == Trickle) {
            auto *timer = new QTimer(socket);
            connect(timer, &QTimer::timeout, socket, [socket, rest = reply.sliced(head)]() mutable {
                socket->write(rest.left(1));
                rest.remove(0, 1);
            });
            timer->start(100);
        }
        if (mode == AnswerAndClose)
            socket->disconnectFromHost();
    }
};
