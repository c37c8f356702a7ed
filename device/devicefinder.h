// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include "devicemodel.h"
#include "mdns.h"

#include <QList>
#include <QNetworkAccessManager>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>

class QNetworkReply;
class QUdpSocket;

// A device found on the local network: the name it announces, the address the address box
// takes for it, and what its /shelly reply says it is.
struct FoundDevice
{
    QString name; // "shellyplusplugs-b0b21c19a7c8"
    QString address; // "192.168.1.60", with ":port" where it is not 80
    DeviceModel model;

    friend bool operator==(const FoundDevice &, const FoundDevice &) = default;
};

// Looks for devices on the local network when asked, never on its own: one mDNS query from a port
// of its own on every network that carries multicast, the answers of `listenTime`, then each
// service's /shelly, answered within another `listenTime`: only what answers as a device is found.
class DeviceFinder : public QObject
{
    Q_OBJECT

public:
    // Bounds on what a crowded or hostile network can make the search hold and ask.
    static constexpr qsizetype MaxRecords = 4096;
    static constexpr qsizetype MaxServices = 64;

    explicit DeviceFinder(std::chrono::milliseconds listenTime = std::chrono::seconds(3),
                          QObject *parent = nullptr);

    // Starts a search, whose outcome arrives through finished(); nothing while one is under way.
    void Find();
    [[nodiscard]] bool isFinding() const { return m_finding; }

Q_SIGNALS:
    // The devices found, by name; `failure` says why no search could be made.
    void finished(const QList<FoundDevice> &devices, const QString &failure);

private:
    [[nodiscard]] QString sendQueries();
    void readAnswers(QUdpSocket *socket);
    void confirmServices();
    void readIdentity(QNetworkReply *reply, const QString &name, const QString &address);
    void finish(const QString &failure);

    std::chrono::milliseconds m_listenTime;
    QNetworkAccessManager m_manager;
    QTimer m_listenTimer;
    QList<QUdpSocket *> m_sockets;
    QList<Mdns::Record> m_records;
    QList<FoundDevice> m_found;
    int m_pendingReplies = 0;
    bool m_finding = false;
};
