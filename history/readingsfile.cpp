// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "readingsfile.h"

#include <QDebug>
#include <QDir>
#include <QFile>

#include <cmath>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

constexpr char Header[] = "time,power_w,total_wh\n";
// "2026-12-07T12:01:00+01:00"
constexpr qsizetype TimeLength = 25;

QByteArray timeText(const QDateTime &time)
{
    const int offsetMinutes = time.offsetFromUtc() / 60;
    const QTime offset = QTime(0, 0).addSecs(60 * std::abs(offsetMinutes));
    return (time.toString(u"yyyy-MM-dd'T'HH:mm:ss") + (offsetMinutes < 0 ? u'-' : u'+')
            + offset.toString(u"HH:mm"))
            .toLatin1();
}

std::optional<double> finiteNumber(QByteArrayView text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<Reading> parseReading(QByteArrayView line)
{
    const QList<QByteArray> fields = QByteArray::fromRawData(line.data(), line.size()).split(',');
    if (fields.size() != 3 || fields[0].size() != TimeLength)
        return std::nullopt;
    // Cut short anywhere, the counter lacks some of its three decimals.
    const qsizetype point = fields[2].indexOf('.');
    if (point < 1 || fields[2].size() - point != 4)
        return std::nullopt;
    const QDateTime time = QDateTime::fromString(QString::fromLatin1(fields[0]), Qt::ISODate);
    const std::optional<double> power = finiteNumber(fields[1]);
    const std::optional<double> counter = finiteNumber(fields[2]);
    if (!time.isValid() || !power || !counter)
        return std::nullopt;
    return Reading{ time, *power, *counter };
}

// What must come before a new line in the file at `path`: the header in a new file, a line end
// after a line cut short.
QByteArray lead(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return Header;
    char last = '\n';
    const bool read = file.seek(file.size() - 1) && file.getChar(&last);
    return read && last == '\n' ? QByteArray() : QByteArray("\n");
}

// The readings among the lines of `content` that start with `prefix`.
QList<Reading> readLines(QByteArrayView content, const QByteArray &prefix)
{
    QList<Reading> readings;
    // The last line is taken only when it is ended: an unended one may be a write under way.
    for (qsizetype end = content.indexOf('\n'); end >= 0; end = content.indexOf('\n')) {
        QByteArrayView line = content.first(end);
        content = content.sliced(end + 1);
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.startsWith(prefix))
            continue;
        if (const std::optional<Reading> reading = parseReading(line))
            readings.append(*reading);
    }
    return readings;
}

} // namespace

QDebug operator<<(QDebug debug, const Reading &reading)
{
    const QDebugStateSaver saver(debug);
    debug.nospace() << "Reading(" << reading.time.toString(Qt::ISODate) << ", " << reading.powerW
                    << " W, " << reading.totalWh << " Wh)";
    return debug;
}

namespace ReadingsFile {

QString MonthFileName(QDate day)
{
    return day.toString(u"yyyy-MM") + u".csv"_s;
}

QByteArray FormatReading(const Reading &reading)
{
    return timeText(reading.time) + ',' + QByteArray::number(reading.powerW, 'f', 1) + ','
            + QByteArray::number(reading.totalWh, 'f', 3) + '\n';
}

QByteArray FormatReadings(const QList<Reading> &readings)
{
    QByteArray content = Header;
    for (const Reading &reading : readings)
        content += FormatReading(reading);
    return content;
}

QList<Reading> ReadDay(QByteArrayView content, QDate day)
{
    return readLines(content, day.toString(Qt::ISODate).toLatin1() + 'T');
}

bool AppendReading(const QString &folder, const Reading &reading, QString *error)
{
    QDir().mkpath(folder);
    QFile file(QDir(folder).filePath(MonthFileName(reading.time.date())));
    const QByteArray text = lead(file.fileName()) + FormatReading(reading);
    // One write for the whole line: a crash leaves it whole or cut short, never mixed with another.
    if (file.open(QIODevice::WriteOnly | QIODevice::Append) && file.write(text) == text.size()
        && file.flush())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

QList<Reading> LoadDay(const QString &folder, QDate day)
{
    QFile file(QDir(folder).filePath(MonthFileName(day)));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ReadDay(file.readAll(), day); // a month of readings a minute apart: about 2 MB
}

QList<Reading> LoadMonth(const QString &folder, QDate day)
{
    QFile file(QDir(folder).filePath(MonthFileName(day)));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return readLines(file.readAll(), day.toString(u"yyyy-MM-").toLatin1());
}

} // namespace ReadingsFile
