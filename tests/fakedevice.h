#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QTcpServer>

#include <chrono>

class QTcpSocket;

// What the fake device sends back to every request.
struct FakeAnswer
{
    enum class Framing {
        ContentLength,   // HTTP/1.1 with Content-Length, connection kept
        CloseDelimited,  // HTTP/1.0 without a length: the body ends when the connection closes
        ChunkedEndless,  // chunked, the last chunk never comes
        DropMidBody,     // Content-Length announced, half the body sent, then closed
        Silent,          // accepts the connection and never answers
    };

    int status = 200;
    QByteArray reason = "OK";
    QByteArray body;
    QList<QByteArray> headers;       // extra header lines, without CR LF
    Framing framing = Framing::ContentLength;
    std::chrono::milliseconds delay{0};   // before anything is sent
    std::chrono::milliseconds trickle{0}; // when set, the body goes one byte at a time at this pace

    static FakeAnswer json(const QByteArray &body)
    {
        FakeAnswer answer;
        answer.body = body;
        answer.headers = {"Content-Type: application/json"};
        return answer;
    }
};

// A device on 127.0.0.1 that answers every HTTP request with `answer` and
// records each request's target.
class FakeDevice : public QObject
{
    Q_OBJECT

public:
    explicit FakeDevice(QObject *parent = nullptr);
    FakeDevice(const QHostAddress &address, quint16 port, QObject *parent = nullptr);

    [[nodiscard]] quint16 port() const { return m_server.serverPort(); }
    // The address as a user types it into the address box.
    [[nodiscard]] QString address() const;
    [[nodiscard]] int openConnections() const;
    // A loopback port nothing listens on: connecting to it is refused.
    [[nodiscard]] static quint16 closedPort();

    FakeAnswer answer;
    QList<QByteArray> targets;

Q_SIGNALS:
    // A request has been taken in and its answer set off.
    void requestAnswered();

private:
    void onNewConnection();
    void onReadable(QTcpSocket *socket);
    void respond(QTcpSocket *socket);
    void sendTrickled(QTcpSocket *socket, const QByteArray &bytes);

    QTcpServer m_server;
};
