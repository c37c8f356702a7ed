// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

// A stand-alone fake device for screenshots and benchmarks:
//   palvorin-fakedevice ADDRESS PORT TOTAL_WH POWER_W [STEP_WH]
// answers every status request with the counter at TOTAL_WH, raised by
// STEP_WH after each answer, over one kept-alive connection per client.
#include <QCoreApplication>
#include <QTcpServer>
#include <QTcpSocket>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 5)
        qFatal("usage: palvorin-fakedevice ADDRESS PORT TOTAL_WH POWER_W [STEP_WH]");
    QTcpServer server;
    if (!server.listen(QHostAddress(args[1]), quint16(args[2].toUInt())))
        qFatal("cannot listen on %s port %s", qPrintable(args[1]), qPrintable(args[2]));
    double total = args[3].toDouble();
    const double step = args.value(5).toDouble();
    QObject::connect(&server, &QTcpServer::newConnection, &server, [&] {
        while (QTcpSocket *socket = server.nextPendingConnection()) {
            // A request, small and without a body, arrives whole on loopback.
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [&, socket] {
                socket->readAll();
                const QByteArray body = R"({"id":0,"output":true,"apower":)" + args[4].toLatin1()
                        + R"(,"aenergy":{"total":)" + QByteArray::number(total, 'f', 3) + "}}";
                socket->write(
                        "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: "
                        + QByteArray::number(body.size()) + "\r\n\r\n" + body);
                total += step;
            });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    return app.exec();
}
