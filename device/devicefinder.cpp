// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "devicefinder.h"

#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QUdpSocket>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QByteArrayList Services{ Mdns::ShellyService, Mdns::HttpService };

// Where the address box reaches the service: its first IPv4 address, else its first IPv6
// address that needs no interface named with it; empty when it has neither.
QString boxAddress(const Mdns::Service &service)
{
    for (const QHostAddress &address : service.addresses) {
        if (address.protocol() == QAbstractSocket::IPv6Protocol && address.isLinkLocal())
            continue;
        const QString host = address.protocol() == QAbstractSocket::IPv6Protocol
                ? u'[' + address.toString() + u']'
                : address.toString();
        return service.port == 80 ? host : host + u':' + QString::number(service.port);
    }
    return {};
}

} // namespace

DeviceFinder::DeviceFinder(std::chrono::milliseconds listenTime, QObject *parent)
    : QObject(parent), m_listenTime(listenTime)
{
    m_manager.setProxy(QNetworkProxy::NoProxy);
    m_manager.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    m_listenTimer.setSingleShot(true);
    m_listenTimer.setInterval(listenTime);
    connect(&m_listenTimer, &QTimer::timeout, this, &DeviceFinder::confirmServices);
}

void DeviceFinder::Find()
{
    if (m_finding)
        return;
    m_finding = true;
    m_found.clear();
    if (const QString failure = sendQueries(); !failure.isEmpty()) {
        // Told after the caller has seen the search start.
        QTimer::singleShot(0, this, [this, failure] { finish(failure); });
        return;
    }
    m_listenTimer.start();
}

// Sends the query to the IPv4 and the IPv6 group on every network that carries multicast, from
// a port of the program's own, so that answers come back to it by unicast. Returns why it went
// nowhere, empty when it went somewhere.
QString DeviceFinder::sendQueries()
{
    const QByteArray query = Mdns::BuildQuery(Services);
    QList<QNetworkInterface> networks = QNetworkInterface::allInterfaces();
    networks.removeIf([](const QNetworkInterface &network) {
        const auto needed = QNetworkInterface::IsUp | QNetworkInterface::IsRunning
                | QNetworkInterface::CanMulticast;
        return (network.flags() & needed) != needed;
    });
    if (networks.isEmpty())
        return tr("Could not look for devices: no network connection here carries multicast.");
    QString reason;
    bool sent = false;
    for (const auto &[any, group] : { std::pair{ QHostAddress::AnyIPv4, Mdns::GroupV4 },
                                      std::pair{ QHostAddress::AnyIPv6, Mdns::GroupV6 } }) {
        auto *socket = new QUdpSocket(this);
        m_sockets.append(socket);
        if (!socket->bind(QHostAddress(any), 0)) {
            reason = socket->errorString();
            continue;
        }
        connect(socket, &QUdpSocket::readyRead, this, [this, socket] { readAnswers(socket); });
        socket->setSocketOption(QAbstractSocket::MulticastTtlOption, 255);
        for (const QNetworkInterface &network : networks) {
            socket->setMulticastInterface(network);
            if (socket->writeDatagram(query, QHostAddress(QLatin1StringView(group)), Mdns::Port)
                == query.size())
                sent = true;
            else
                reason = socket->errorString();
        }
    }
    return sent ? QString() : tr("Could not look for devices: %1.").arg(reason);
}

void DeviceFinder::readAnswers(QUdpSocket *socket)
{
    while (socket->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = socket->receiveDatagram(Mdns::MaxPacketBytes);
        // Responders answer from the mDNS port; anything else is not an answer.
        if (datagram.senderPort() != Mdns::Port || m_records.size() >= MaxRecords)
            continue;
        if (const auto records = Mdns::ReadResponse(datagram.data()))
            m_records.append(*records);
    }
}

void DeviceFinder::confirmServices()
{
    qDeleteAll(m_sockets);
    m_sockets.clear();
    const QList<Mdns::Service> services = Mdns::FindServices(m_records, Services);
    m_records.clear();
    QStringList asked;
    for (const Mdns::Service &service : services) {
        // A device announces itself under both services.
        const QString address = boxAddress(service);
        if (address.isEmpty() || asked.contains(address) || asked.size() >= MaxServices)
            continue;
        asked.append(address);
        QNetworkRequest request(
                QUrl(u"http://"_s + address + QLatin1StringView(DeviceReply::IdentityRequest)));
        request.setTransferTimeout(int(m_listenTime.count()));
        QNetworkReply *reply = m_manager.get(request);
        ++m_pendingReplies;
        // However slowly it trickles, a reply ends within the listening time.
        QTimer::singleShot(m_listenTime, reply, &QNetworkReply::abort);
        connect(reply, &QNetworkReply::downloadProgress, this, [reply](qint64 received, qint64) {
            if (received > DeviceReply::MaxJsonBytes)
                reply->abort();
        });
        connect(reply, &QNetworkReply::finished, this,
                [this, reply, name = service.instance, address] {
                    readIdentity(reply, name, address);
                });
    }
    if (m_pendingReplies == 0)
        finish({});
}

void DeviceFinder::readIdentity(QNetworkReply *reply, const QString &name, const QString &address)
{
    --m_pendingReplies;
    reply->deleteLater();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() == QNetworkReply::NoError && status == 200) {
        const std::optional<DeviceModel> model = DeviceReply::ReadIdentity(reply->readAll());
        // One device may answer at two addresses.
        if (model
            && std::none_of(m_found.cbegin(), m_found.cend(), [&model](const FoundDevice &found) {
                   return found.model.id == model->id;
               }))
            m_found.append({ name, address, *model });
    }
    if (m_pendingReplies == 0)
        finish({});
}

void DeviceFinder::finish(const QString &failure)
{
    qDeleteAll(m_sockets);
    m_sockets.clear();
    m_finding = false;
    std::sort(m_found.begin(), m_found.end(), [](const FoundDevice &a, const FoundDevice &b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    Q_EMIT finished(m_found, failure);
}
