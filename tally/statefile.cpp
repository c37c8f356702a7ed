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
QStringList splitLines(const QString &text, bool cutShort, int wanted)
{
    QStringList lines;
    qsizetype start = 0;
    while (lines.size() < wanted && start < text.size()) {
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

// A number as the writer writes it: with this locale's decimal separator, or
// with "," or "." whatever the locale (a file written under another one),
// between optional blanks; ".5" and "-.5" included. The writer never groups
// digits, so a comma is always a decimal separator.
std::optional<double> parseNumber(const QString &line)
{
    QString text = line.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    text.replace(QLocale().decimalPoint(), u"."_s);
    text.replace(u',', u'.');
    QLocale plain = QLocale::c();
    plain.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = plain.toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString formatNumber(double value)
{
    // Shortest text that reads back to the same double, never grouped.
    QString text = QLocale::c().toString(value, 'f', QLocale::FloatingPointShortest);
    return text.replace(u'.', QLocale().decimalPoint());
}

} // namespace

DailyTally ReadState(QByteArrayView content, bool *ok)
{
    if (ok)
        *ok = false;
    const bool cutShort = content.size() > MaxReadBytes;
    const QString text =
            QString::fromLocal8Bit(content.first(std::min(content.size(), MaxReadBytes)));
    const QStringList lines = splitLines(text, cutShort, 4);
    if (lines.size() < 4)
        return {};
    const std::optional<double> lastTotal = parseNumber(lines[1]);
    const std::optional<double> today = parseNumber(lines[3]);
    if (!lastTotal || !today)
        return {};
    if (ok)
        *ok = true;
    return DailyTally{ lines[0], *lastTotal, lines[2] == u"1"_s, *today };
}

QByteArray FormatState(const DailyTally &tally)
{
    const QString text = tally.currentDay + u"\r\n"_s + formatNumber(tally.lastTotalWh) + u"\r\n"_s
            + (tally.haveLastTotal ? u"1"_s : u"0"_s) + u"\r\n"_s + formatNumber(tally.todayWh)
            + u"\r\n"_s;
    return text.toLocal8Bit();
}

DailyTally LoadState(const QString &path, bool *unreadable)
{
    if (unreadable)
        *unreadable = false;
    if (!QFileInfo(path).isFile())
        return {};
    QFile file(path);
    bool ok = false;
    DailyTally tally;
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray content = file.read(MaxReadBytes + 1);
        if (file.error() == QFileDevice::NoError)
            tally = ReadState(content, &ok);
    }
    if (unreadable)
        *unreadable = !ok;
    return tally;
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
