#include "fakedevice.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

using namespace Qt::StringLiterals;

FakeDevice::FakeDevice(QObject *parent)
    : FakeDevice(QHostAddress(QHostAddress::LocalHost), 0, parent)
{
}

FakeDevice::FakeDevice(const QHostAddress &address, quint16 port, QObject *parent)
    : QObject(parent)
{
    if (!m_server.listen(address, port))
        qFatal("fake device cannot listen on %s:%d", qPrintable(address.toString()), port);
    connect(&m_server, &QTcpServer::newConnection, this, &FakeDevice::onNewConnection);
}

QString FakeDevice::address() const
{
    return u"127.0.0.1:%1"_s.arg(port());
}

int FakeDevice::openConnections() const
{
    return int(findChildren<QTcpSocket *>().size());
}

quint16 FakeDevice::closedPort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost))
        qFatal("cannot find a free loopback port");
    return probe.serverPort();
}

void FakeDevice::onNewConnection()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadable(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void FakeDevice::onReadable(QTcpSocket *socket)
{
    // Requests carry no body: one ends at its blank line.
    QByteArray pending = socket->property("pending").toByteArray() + socket->readAll();
    qsizetype end;
    while ((end = pending.indexOf("\r\n\r\n")) >= 0) {
        const QByteArray requestLine = pending.first(pending.indexOf("\r\n"));
        targets.append(requestLine.split(' ').value(1));
        pending.remove(0, end + 4);
        if (answer.delay.count() > 0) {
            QTimer::singleShot(answer.delay, socket, [this, socket] { respond(socket); });
        } else {
            respond(socket);
        }
        Q_EMIT requestAnswered();
    }
    socket->setProperty("pending", pending);
}

void FakeDevice::respond(QTcpSocket *socket)
{
    using Framing = FakeAnswer::Framing;
    if (answer.framing == Framing::Silent)
        return;

    const bool http10 = answer.framing == Framing::CloseDelimited;
    QByteArray head = (http10 ? "HTTP/1.0 " : "HTTP/1.1 ") + QByteArray::number(answer.status) + ' '
                      + answer.reason + "\r\n";
    for (const QByteArray &line : answer.headers)
        head += line + "\r\n";
    QByteArray body = answer.body;
    switch (answer.framing) {
    case Framing::ContentLength:
        head += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
        break;
    case Framing::DropMidBody:
        head += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
        body.truncate(body.size() / 2);
        break;
    case Framing::ChunkedEndless:
        head += "Transfer-Encoding: chunked\r\n";
        body = QByteArray::number(body.size(), 16) + "\r\n" + body + "\r\n";
        break;
    case Framing::CloseDelimited:
    case Framing::Silent:
        break;
    }
    socket->write(head + "\r\n");
    if (answer.trickle.count() > 0) {
        sendTrickled(socket, body);
        return;
    }
    socket->write(body);
    if (http10 || answer.framing == Framing::DropMidBody)
        socket->disconnectFromHost();
}

void FakeDevice::sendTrickled(QTcpSocket *socket, const QByteArray &bytes)
{
    auto *timer = new QTimer(socket);
    auto sent = std::make_shared<qsizetype>(0);
    connect(timer, &QTimer::timeout, socket, [socket, timer, bytes, sent] {
        if (*sent >= bytes.size()) {
            timer->stop();
            socket->disconnectFromHost();
            return;
        }
        socket->write(bytes.sliced((*sent)++, 1));
    });
    timer->start(answer.trickle);
}
