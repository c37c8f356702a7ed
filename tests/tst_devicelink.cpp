#include "devicelink.h"
#include "fakedevice.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

using namespace std::chrono_literals;
using Framing = FakeAnswer::Framing;

Q_DECLARE_METATYPE(FakeAnswer)

namespace {

FakeAnswer answer(int status, const QByteArray &reason, const QByteArray &body = {},
                  Framing framing = Framing::ContentLength)
{
    FakeAnswer a;
    a.status = status;
    a.reason = reason;
    a.body = body;
    a.framing = framing;
    return a;
}

constexpr auto PhaseTimeout = 300ms;
const QByteArray Status = R"({"id":0,"apower":12.5,"aenergy":{"total":1532.75}})";

} // namespace

class TestDeviceLink : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exchange_data();
    void exchange();
    void refusedConnection();
    void oneExchangeAtATime();
    void abandonedExchangeReportsNothing();

private:
    HttpResult fetch(DeviceLink &link, const QUrl &url);
};

HttpResult TestDeviceLink::fetch(DeviceLink &link, const QUrl &url)
{
    QSignalSpy spy(&link, &DeviceLink::finished);
    if (!spy.isValid())
        qFatal("finished() cannot be watched");
    link.HttpGet(url);
    // Every exchange must end within four phase time-outs; leave slack for
    // the sanitizers.
    if (!spy.wait(10 * PhaseTimeout.count()))
        return HttpResult{{}, QStringLiteral("<no result>")};
    return spy.first().first().value<HttpResult>();
}

void TestDeviceLink::exchange_data()
{
    QTest::addColumn<FakeAnswer>("answer");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("error");

    QTest::newRow("200 with body") << FakeAnswer::json(Status) << Status << QString();
    QTest::newRow("200 close-delimited, HTTP/1.0") << answer(200, "OK", Status, Framing::CloseDelimited) << Status
                                                   << QString();
    QTest::newRow("200 empty body") << answer(200, "OK") << QByteArray() << QString();
    QTest::newRow("401") << answer(401, "Unauthorized", "no") << QByteArray() << QStringLiteral("^HTTP 401 Unauthorized$");
    QTest::newRow("404") << answer(404, "Not Found") << QByteArray() << QStringLiteral("^HTTP 404 Not Found$");
    QTest::newRow("500") << answer(500, "Internal Server Error") << QByteArray()
                         << QStringLiteral("^HTTP 500 Internal Server Error$");
    FakeAnswer redirect = answer(302, "Found");
    redirect.headers = {"Location: /rpc/Switch.GetStatus?id=0"};
    QTest::newRow("redirect to itself is not followed") << redirect << QByteArray() << QStringLiteral("^HTTP 302 Found$");
    QTest::newRow("silent device") << answer(200, "OK", {}, Framing::Silent) << QByteArray()
                                   << QStringLiteral("^No response from 127.0.0.1:\\d+ within 0.3 s \\(timed out\\)$");
    FakeAnswer late = FakeAnswer::json(Status);
    late.delay = 2 * PhaseTimeout;
    QTest::newRow("answer after the time-out") << late << QByteArray() << QStringLiteral("timed out");
    FakeAnswer trickle = FakeAnswer::json(Status);
    trickle.trickle = PhaseTimeout / 3;
    QTest::newRow("trickle ends at the deadline") << trickle << QByteArray()
                                                  << QStringLiteral("^Reply from .* not complete within 1.2 s \\(timed out\\)$");
    QTest::newRow("dropped mid-body") << answer(200, "OK", Status, Framing::DropMidBody) << QByteArray()
                                      << QStringLiteral("closed the connection");
    const QByteArray huge(DeviceLink::MaxBodyBytes + 1, 'x');
    QTest::newRow("announced length over 1 MiB") << answer(200, "OK", huge) << QByteArray()
                                                 << QStringLiteral("larger than 1 MiB");
    QTest::newRow("endless chunked body over 1 MiB") << answer(200, "OK", huge, Framing::ChunkedEndless) << QByteArray()
                                                     << QStringLiteral("larger than 1 MiB");
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(char((i * 7919) & 0xff));
    QTest::newRow("binary garbage body") << answer(200, "OK", garbage) << garbage << QString();
}

void TestDeviceLink::exchange()
{
    QFETCH(FakeAnswer, answer);
    QFETCH(QByteArray, body);
    QFETCH(QString, error);

    FakeDevice device;
    device.answer = answer;
    DeviceLink link(PhaseTimeout);
    const HttpResult result = fetch(link, QUrl(QStringLiteral("http://%1/rpc/Switch.GetStatus?id=0").arg(device.address())));

    if (error.isEmpty()) {
        QVERIFY2(result.ok(), qPrintable(result.error));
        QCOMPARE(result.body, body);
    } else {
        QVERIFY2(result.error.contains(QRegularExpression(error)), qPrintable(result.error));
        QVERIFY(result.body.isEmpty());
    }
    QCOMPARE(device.targets.value(0), QByteArray("/rpc/Switch.GetStatus?id=0"));
    QVERIFY(!link.isBusy());
}

void TestDeviceLink::refusedConnection()
{
    const quint16 closedPort = FakeDevice::closedPort();
    DeviceLink link(PhaseTimeout);
    const HttpResult result = fetch(link, QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(closedPort)));
    QCOMPARE(result.error, QStringLiteral("Connection refused by 127.0.0.1:%1").arg(closedPort));
}

void TestDeviceLink::oneExchangeAtATime()
{
    FakeDevice device;
    device.answer = FakeAnswer::json(Status);
    device.answer.delay = 100ms;
    DeviceLink link(PhaseTimeout);
    QSignalSpy spy(&link, &DeviceLink::finished);
    const QUrl url(QStringLiteral("http://%1/").arg(device.address()));
    link.HttpGet(url);
    QVERIFY(link.isBusy());
    link.HttpGet(url);
    QTRY_COMPARE(spy.size(), 1);
    QTest::qWait(200);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(device.targets.size(), 1);
}

void TestDeviceLink::abandonedExchangeReportsNothing()
{
    FakeDevice device;
    device.answer.framing = Framing::Silent;
    auto link = std::make_unique<DeviceLink>(PhaseTimeout);
    QSignalSpy spy(link.get(), &DeviceLink::finished);
    link->HttpGet(QUrl(QStringLiteral("http://%1/").arg(device.address())));
    QTRY_COMPARE(device.targets.size(), 1);
    link.reset();
    QTRY_COMPARE(device.openConnections(), 0);
    QCOMPARE(spy.size(), 0);
}

QTEST_GUILESS_MAIN(TestDeviceLink)
#include "tst_devicelink.moc"
