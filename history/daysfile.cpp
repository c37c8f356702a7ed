// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "daysfile.h"

#include "atomicfile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr char Header[] = "date,energy_wh";

std::optional<DayRecord> parseDay(QByteArrayView line)
{
    const qsizetype comma = line.indexOf(',');
    if (comma < 0)
        return std::nullopt;
    const QDate date = QDate::fromString(QString::fromLatin1(line.first(comma)), u"yyyy-MM-dd");
    bool ok = false;
    const double energy = line.sliced(comma + 1).toDouble(&ok);
    if (!date.isValid() || !ok || !std::isfinite(energy))
        return std::nullopt;
    return DayRecord{ date, energy };
}

// Three decimals at most, no trailing zeros, never "-0". Beyond 1e12 Wh a double holds no
// thousandths, and multiplying by 1000 could overflow to infinity.
QByteArray energyText(double wh)
{
    const double rounded = std::abs(wh) < 1e12 ? std::round(wh * 1000) / 1000 : wh;
    QByteArray text = QByteArray::number(rounded + 0.0, 'f', 3);
    while (text.endsWith('0'))
        text.chop(1);
    if (text.endsWith('.'))
        text.chop(1);
    return text;
}

} // namespace

namespace DaysFile {

QList<DayRecord> ReadDays(QByteArrayView content, bool *ok)
{
    if (ok)
        *ok = false;
    if (content.startsWith("\xEF\xBB\xBF"))
        content = content.sliced(3);
    QList<DayRecord> days;
    bool headerSeen = false;
    while (!content.isEmpty()) {
        const qsizetype end = content.indexOf('\n');
        QByteArrayView line = end < 0 ? content : content.first(end);
        content = end < 0 ? QByteArrayView() : content.sliced(end + 1);
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        if (!headerSeen) {
            if (line != Header)
                return {};
            headerSeen = true;
            continue;
        }
        const std::optional<DayRecord> day = parseDay(line);
        if (!day)
            return {};
        Insert(days, *day);
    }
    if (ok)
        *ok = true;
    return days;
}

QByteArray FormatDays(const QList<DayRecord> &days)
{
    QByteArray text = QByteArray(Header) + '\n';
    for (const DayRecord &day : days)
        text += day.date.toString(Qt::ISODate).toLatin1() + ',' + energyText(day.energyWh) + '\n';
    return text;
}

void Insert(QList<DayRecord> &days, const DayRecord &record)
{
    const auto at = std::lower_bound(
            days.begin(), days.end(), record.date,
            [](const DayRecord &day, const QDate &date) { return day.date < date; });
    if (at != days.end() && at->date == record.date)
        *at = record;
    else
        days.insert(at, record);
}

Loaded LoadDays(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return {};
    QFile file(path);
    const QByteArray content = file.open(QIODevice::ReadOnly)
            ? file.readAll() // ten years take about 70 kB
            : QByteArray();
    if (file.error() != QFileDevice::NoError)
        return { {}, false, file.errorString() };
    bool ok = false;
    QList<DayRecord> days = ReadDays(content, &ok);
    return { std::move(days), !ok, {} };
}

bool SaveDays(const QList<DayRecord> &days, const QString &path, QString *error)
{
    return AtomicFile::Replace(path, FormatDays(days), error);
}

} // namespace DaysFile
