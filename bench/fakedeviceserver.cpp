// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

// A stand-alone fake device for screenshots and benchmarks:
//   palvorin-fakedevice ADDRESS PORT TOTAL_WH POWER_W [STEP_WH]
// says it is a Plus Plug S (at /shelly, and its status) and answers every
// other request with its switch's reading, the counter at TOTAL_WH, raised by
// STEP_WH after each reading, over one kept-alive connection per client.
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
                const QByteArray target = socket->readAll().split(' ').value(1);
                QByteArray body = R"({"id":0,"output":true,"apower":)" + args[4].toLatin1()
                        + R"(,"aenergy":{"total":)" + QByteArray::number(total, 'f', 3) + "}}";
                if (target == "/shelly")
                    body = R"({"id":"shellyplusplugs-b0b21c19a7c8","model":"SNPL-00112EU",)"
                           R"("gen":2,"app":"PlusPlugS","auth_en":false})";
                else if (target == "/rpc/Shelly.GetStatus")
                    body = R"({"switch:0":)" + body + '}';
                else
                    total += step;
                socket->write(
                        "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: "
                        + QByteArray::number(body.size()) + "\r\n\r\n" + body);
            });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    return app.exec();
}
