// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>
#include <QHostAddress>
#include <QList>
#include <QString>

#include <optional>

// Multicast DNS (RFC 6762) as far as finding devices takes it: a one-shot query for the services'
// PTR records, and the records of the answers. Pure functions over a packet's bytes: anyone on
// the network can send one.
namespace Mdns {

inline constexpr quint16 Port = 5353;
inline constexpr char GroupV4[] = "224.0.0.251";
inline constexpr char GroupV6[] = "ff02::fb";
// Gen2 and later devices announce _shelly._tcp; every generation announces _http._tcp.
inline constexpr char ShellyService[] = "_shelly._tcp.local";
inline constexpr char HttpService[] = "_http._tcp.local";
// A name takes at most 255 bytes as sent, and an answer fits a datagram.
constexpr qsizetype MaxNameBytes = 255;
constexpr qsizetype MaxPacketBytes = 9000;

enum class RecordType : quint16 { A = 1, PTR = 12, AAAA = 28, SRV = 33 };

// One record of a kind that leads from a service to an address. Names are kept as their labels,
// as sent: DNS compares them without regard to ASCII case.
struct Record
{
    RecordType type = RecordType::A;
    QByteArrayList name;
    QByteArrayList target; // PTR: the service instance; SRV: the host
    quint16 port = 0; // SRV
    QHostAddress address; // A, AAAA

    friend bool operator==(const Record &, const Record &) = default;
};

// An instance of a service, with where to reach it.
struct Service
{
    QString instance; // the instance name's first label: "shellyplusplugs-b0b21c19a7c8"
    QByteArray type; // the service asked for, ShellyService or HttpService
    quint16 port = 0;
    QList<QHostAddress> addresses; // IPv4 ones first

    friend bool operator==(const Service &, const Service &) = default;
};

// A query for the PTR records of `services` (dotted names), as a querier that is not on port
// 5353 sends it: responders answer it by unicast to the port it came from.
[[nodiscard]] QByteArray BuildQuery(const QByteArrayList &services);

// The A, AAAA, PTR and SRV records of the Internet class in a response's answer, authority and
// additional sections; records of other kinds and goodbyes (no time to live) are passed over.
// Nothing when the packet is no response or not whole and well formed: a label or record that
// runs past its end, a compression pointer that does not point back, a name over 255 bytes.
[[nodiscard]] std::optional<QList<Record>> ReadResponse(QByteArrayView packet);

// The instances of `services` that `records` (from any number of responses) name, each once,
// with the port of its SRV record and the addresses of that record's host; instances without
// them are left out.
[[nodiscard]] QList<Service> FindServices(const QList<Record> &records,
                                          const QByteArrayList &services);

} // namespace Mdns
