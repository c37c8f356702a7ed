// A stand-alone fake device for screenshots and benchmarks:
//   palvorin-fakedevice ADDRESS PORT TOTAL_WH POWER_W
// answers every status request with the counter at TOTAL_WH.
#include "fakedevice.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 5)
        qFatal("usage: palvorin-fakedevice ADDRESS PORT TOTAL_WH POWER_W");
    FakeDevice device(QHostAddress(args[1]), quint16(args[2].toUInt()));
    if (!device.isListening())
        qFatal("cannot listen on %s port %s", qPrintable(args[1]), qPrintable(args[2]));
    device.reply = FakeDevice::ok(R"({"id":0,"output":true,"apower":)" + args[4].toLatin1() + R"(,"aenergy":{"total":)"
                                  + args[3].toLatin1() + "}}");
    return app.exec();
}
