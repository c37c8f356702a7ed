// A stand-alone fake device for screenshots and benchmarks:
//   palvorin-fakedevice ADDRESS PORT TOTAL_WH POWER_W [STEP_WH]
// answers every status request with the counter at TOTAL_WH, raised by
// STEP_WH after each answer.
#include "fakedevice.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 5)
        qFatal("usage: palvorin-fakedevice ADDRESS PORT TOTAL_WH POWER_W [STEP_WH]");
    FakeDevice device(QHostAddress(args[1]), quint16(args[2].toUInt()));
    double total = args[3].toDouble();
    const QByteArray power = args[4].toLatin1();
    const double step = args.value(5).toDouble();
    const auto serve = [&] {
        device.answer = FakeAnswer::json(R"({"id":0,"output":true,"apower":)" + power + R"(,"aenergy":{"total":)"
                                         + QByteArray::number(total, 'f', 3) + "}}");
    };
    serve();
    QObject::connect(&device, &FakeDevice::requestAnswered, &device, [&] {
        total += step;
        serve();
    });
    return app.exec();
}
