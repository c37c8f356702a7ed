// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "statefile.h"

#include "atomicfile.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>

#include <cmath>
#include <optional>

using namespace Qt::StringLiterals;

namespace StateFile {

namespace {

// A good file is well under a hundred bytes; reading no more than this keeps
// a stray huge file from stalling the start.
constexpr qint64 MaxReadBytes = 64 * 1024;

// The lines of `text`, each ended by CR LF, LF or CR; the last one may be
// unended unless the text was cut short.
QStringList splitLines(const QString &text, bool cutShort)
{
    QStringList lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        if (end == text.size()) {
            if (!cutShort)
                lines.append(text.sliced(start));
            break;
        }
        lines.append(text.sliced(start, end - start));
        start = end + 1;
        if (text[end] == u'\r' && start < text.size() && text[start] == u'\n')
            ++start;
    }
    return lines;
}

// A number as any version of the writer wrote it under any locale: ",", "."
// or the Arabic decimal separator, any script's decimal digits, a minus sign
// ("-" or U+2212, which the C locale reads too) with bidi marks around it,
// blanks around the whole; ".5" and "-.5" included. The writer never groups
// digits, so a comma is always a decimal separator.
std::optional<double> parseNumber(const QString &line)
{
    QString text;
    for (const QChar c : line.trimmed()) {
        if (c == u',' || c == u'\u066B')
            text += u'.';
        else if (c.isDigit())
            text += QChar(u'0' + c.digitValue());
        else if (c.category() != QChar::Other_Format)
            text += c;
    }
    QLocale plain = QLocale::c();
    plain.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = plain.toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Shortest text that reads back to the same double, in ASCII digits, never
// grouped, with the user's decimal separator where it is ",". In `format`
// 'g' a huge or tiny number takes an exponent, so that no line grows much
// longer than it was read.
QString formatNumber(double value, char format = 'f')
{
    QString text = QLocale::c().toString(value, format, QLocale::FloatingPointShortest);
    if (QLocale().decimalPoint() == u","_s)
        text.replace(u'.', u',');
    return text;
}

} // namespace

DailyTally ReadState(QByteArrayView content, bool *ok)
{
    if (ok)
        *ok = false;
    const bool cutShort = content.size() > MaxReadBytes;
    const QString text =
            QString::fromLocal8Bit(content.first(std::min(content.size(), MaxReadBytes)));
    const QStringList lines = splitLines(text, cutShort);
    if (lines.size() < 4)
        return {};
    const std::optional<double> lastTotal = parseNumber(lines[1]);
    const std::optional<double> today = parseNumber(lines[3]);
    if (!lastTotal || !today)
        return {};
    if (ok)
        *ok = true;
    DailyTally tally{ lines[0], *lastTotal, lines[2] == u"1"_s, *today, lines.value(4) };
    // A line that is no finished day was not written by the program: passed over.
    for (const QString &line : lines.sliced(std::min<qsizetype>(lines.size(), 5))) {
        const QString key = line.section(u' ', 0, 0);
        const QDate date = QDate::fromString(key, u"yyyy-MM-dd");
        const std::optional<double> energy = parseNumber(line.sliced(key.size()));
        if (date.isValid() && DayKey(date) == key && energy)
            tally.unrecorded.append({ date, *energy });
    }
    return tally;
}

QByteArray FormatState(const DailyTally &tally)
{
    QString text = tally.currentDay + u"\r\n"_s + formatNumber(tally.lastTotalWh) + u"\r\n"_s
            + (tally.haveLastTotal ? u"1"_s : u"0"_s) + u"\r\n"_s + formatNumber(tally.todayWh)
            + u"\r\n"_s;
    if (!tally.device.isEmpty() || !tally.unrecorded.isEmpty())
        text += tally.device + u"\r\n"_s;
    for (const DayRecord &day : tally.unrecorded)
        text += DayKey(day.date) + u' ' + formatNumber(day.energyWh, 'g') + u"\r\n"_s;
    return text.toLocal8Bit();
}

Loaded LoadState(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return {};
    QFile file(path);
    const QByteArray content =
            file.open(QIODevice::ReadOnly) ? file.read(MaxReadBytes + 1) : QByteArray();
    if (file.error() != QFileDevice::NoError)
        return { {}, Found::NotRead, file.errorString() };
    bool ok = false;
    const DailyTally tally = ReadState(content, &ok);
    return { tally, ok ? Found::Tally : Found::NotUnderstood, {} };
}

bool KeepAside(const QString &path, QString *error)
{
    if (!QFileInfo::exists(path))
        return true;
    // QFile never renames over an existing file: the older one goes first.
    QFile older(path + QLatin1StringView(UnreadableSuffix));
    if (older.exists() && !older.remove()) {
        if (error)
            *error = older.errorString();
        return false;
    }
    QFile file(path);
    if (file.rename(older.fileName()))
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

void RemoveStaleTemporaries(const QString &path)
{
    AtomicFile::RemoveTemporary(path);
}

bool SaveState(const DailyTally &tally, const QString &path, QString *error)
{
    return AtomicFile::Replace(path, FormatState(tally), error);
}

} // namespace StateFile
