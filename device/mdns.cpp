// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "mdns.h"

#include <QtEndian>

#include <algorithm>

namespace Mdns {

namespace {

constexpr qsizetype HeaderBytes = 12;
constexpr quint16 ClassIn = 1;
// The top bit of a record's class asks caches to flush older records (RFC 6762, 10.2).
constexpr quint16 ClassMask = 0x7fff;
constexpr quint16 ResponseFlag = 0x8000;
constexpr quint16 OpcodeAndCodeMask = 0x780f;

void appendUint16(QByteArray &packet, quint16 value)
{
    packet.append(char(value >> 8)).append(char(value & 0xff));
}

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool sameName(const QByteArrayList &a, const QByteArrayList &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].size() != b[i].size())
            return false;
        for (qsizetype c = 0; c < a[i].size(); ++c) {
            if (asciiLower(a[i][c]) != asciiLower(b[i][c]))
                return false;
        }
    }
    return true;
}

// Reads a packet front to back; any read past its end, or an ill-formed name, fails the whole
// packet.
class PacketReader
{
public:
    explicit PacketReader(QByteArrayView packet) : m_packet(packet) { }

    [[nodiscard]] qsizetype position() const { return m_at; }
    [[nodiscard]] bool skip(qsizetype bytes)
    {
        if (bytes > m_packet.size() - m_at)
            return false;
        m_at += bytes;
        return true;
    }
    [[nodiscard]] std::optional<quint16> uint16()
    {
        if (!skip(2))
            return std::nullopt;
        return qFromBigEndian<quint16>(m_packet.data() + m_at - 2);
    }
    [[nodiscard]] std::optional<quint32> uint32()
    {
        if (!skip(4))
            return std::nullopt;
        return qFromBigEndian<quint32>(m_packet.data() + m_at - 4);
    }
    [[nodiscard]] QByteArrayView bytes(qsizetype count) const
    {
        return m_packet.sliced(m_at - count, count);
    }

    // A name, its compressed parts followed. Each pointer must lead to a place before the last
    // one, which ends every loop.
    [[nodiscard]] std::optional<QByteArrayList> name()
    {
        QByteArrayList labels;
        qsizetype wireBytes = 1; // the root's zero
        qsizetype at = m_at;
        qsizetype before = m_at;
        bool jumped = false;
        while (at < m_packet.size()) {
            const auto length = quint8(m_packet[at]);
            if (length == 0) {
                if (!jumped)
                    m_at = at + 1;
                return labels;
            }
            if ((length & 0xc0) == 0xc0) {
                if (at + 1 >= m_packet.size())
                    return std::nullopt;
                const qsizetype to = (length & 0x3f) << 8 | quint8(m_packet[at + 1]);
                if (to >= before)
                    return std::nullopt;
                if (!jumped)
                    m_at = at + 2;
                jumped = true;
                before = at = to;
                continue;
            }
            // 0x40 and 0x80 begin label kinds that were never taken into use.
            if (length & 0xc0 || at + 1 + length > m_packet.size())
                return std::nullopt;
            wireBytes += 1 + length;
            if (wireBytes > MaxNameBytes)
                return std::nullopt;
            labels.append(m_packet.sliced(at + 1, length).toByteArray());
            at += 1 + length;
        }
        return std::nullopt;
    }

private:
    QByteArrayView m_packet;
    qsizetype m_at = 0;
};

// The record at the reader, which has read its name, type, class and time to live; its data
// ends at `end`. Nothing when the data does not fit the record's type.
std::optional<Record> readData(PacketReader &reader, Record record, qsizetype end)
{
    switch (record.type) {
    case RecordType::A:
    case RecordType::AAAA: {
        const qsizetype size = record.type == RecordType::A ? 4 : 16;
        if (end - reader.position() != size || !reader.skip(size))
            return std::nullopt;
        const QByteArrayView bytes = reader.bytes(size);
        if (size == 4)
            record.address.setAddress(qFromBigEndian<quint32>(bytes.data()));
        else
            record.address.setAddress(reinterpret_cast<const quint8 *>(bytes.data()));
        return record;
    }
    case RecordType::SRV: {
        const auto priority = reader.uint16();
        const auto weight = reader.uint16();
        const auto port = reader.uint16();
        if (!priority || !weight || !port)
            return std::nullopt;
        record.port = *port;
        [[fallthrough]];
    }
    case RecordType::PTR:
        if (auto target = reader.name(); target && reader.position() <= end) {
            record.target = *std::move(target);
            return record;
        }
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

QByteArray BuildQuery(const QByteArrayList &services)
{
    // Identifier 0 and no flags: a standard query.
    QByteArray packet(4, '\0');
    appendUint16(packet, quint16(services.size()));
    packet.append(6, '\0');
    for (const QByteArray &service : services) {
        for (const QByteArray &label : service.split('.'))
            packet.append(char(label.size())).append(label);
        packet.append('\0');
        appendUint16(packet, quint16(RecordType::PTR));
        appendUint16(packet, ClassIn);
    }
    return packet;
}

std::optional<QList<Record>> ReadResponse(QByteArrayView packet)
{
    PacketReader reader(packet);
    const auto id = reader.uint16();
    const auto flags = reader.uint16();
    if (!id || !flags || !(*flags & ResponseFlag) || *flags & OpcodeAndCodeMask)
        return std::nullopt;
    int counts[4];
    for (int &count : counts) {
        const auto value = reader.uint16();
        if (!value)
            return std::nullopt;
        count = *value;
    }
    Q_ASSERT(reader.position() == HeaderBytes);
    // Responders may repeat the questions (they must, to a querier not on port 5353).
    for (int i = 0; i < counts[0]; ++i) {
        if (!reader.name() || !reader.skip(4))
            return std::nullopt;
    }
    QList<Record> records;
    for (int i = 0; i < counts[1] + counts[2] + counts[3]; ++i) {
        Record record;
        auto name = reader.name();
        const auto type = reader.uint16();
        const auto recordClass = reader.uint16();
        const auto ttl = reader.uint32();
        const auto length = reader.uint16();
        if (!name || !type || !recordClass || !ttl || !length)
            return std::nullopt;
        const qsizetype start = reader.position();
        if (!reader.skip(*length))
            return std::nullopt;
        const qsizetype end = reader.position();
        const bool wanted = *type == quint16(RecordType::A) || *type == quint16(RecordType::AAAA)
                || *type == quint16(RecordType::PTR) || *type == quint16(RecordType::SRV);
        if (!wanted || (*recordClass & ClassMask) != ClassIn || *ttl == 0)
            continue;
        // The data is read again, by a reader that sees the whole packet: names in it may point
        // back anywhere.
        PacketReader data(packet);
        if (!data.skip(start))
            return std::nullopt;
        record.name = *std::move(name);
        record.type = RecordType(*type);
        std::optional<Record> read = readData(data, std::move(record), end);
        if (!read)
            return std::nullopt;
        records.append(*std::move(read));
    }
    return records;
}

QList<Service> FindServices(const QList<Record> &records, const QByteArrayList &services)
{
    const auto find = [&records](RecordType type, const QByteArrayList &name) {
        QList<const Record *> found;
        for (const Record &record : records) {
            if (record.type == type && sameName(record.name, name))
                found.append(&record);
        }
        return found;
    };
    QList<Service> found;
    QList<QByteArrayList> instances;
    for (const QByteArray &type : services) {
        for (const Record *pointer : find(RecordType::PTR, type.split('.'))) {
            const QByteArrayList &instance = pointer->target;
            const QList<const Record *> located = find(RecordType::SRV, instance);
            if (instance.isEmpty() || located.isEmpty()
                || std::any_of(
                        instances.cbegin(), instances.cend(),
                        [&](const QByteArrayList &seen) { return sameName(seen, instance); }))
                continue;
            Service service{ QString::fromUtf8(instance.first()), type, located.first()->port, {} };
            for (const RecordType kind : { RecordType::A, RecordType::AAAA }) {
                for (const Record *address : find(kind, located.first()->target))
                    service.addresses.append(address->address);
            }
            if (service.addresses.isEmpty())
                continue;
            instances.append(instance);
            found.append(service);
        }
    }
    return found;
}

} // namespace Mdns
