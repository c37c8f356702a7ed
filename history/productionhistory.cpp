// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "productionhistory.h"

#include "atomicfile.h"
#include "statefile.h"

#include <QDir>
#include <QFile>

#include <algorithm>

using namespace Qt::StringLiterals;

ProductionHistory::ProductionHistory(const QString &folder)
    : m_daysPath(QDir(folder).filePath(QLatin1StringView(DaysFile::DefaultName))),
      m_readingsFolder(QDir(folder).filePath(QLatin1StringView(ReadingsFile::FolderName)))
{
}

ProductionHistory::~ProductionHistory()
{
    // A day a poll could not write is written now if it can; else the state file holds it.
    if (QString why; !m_unsaved.isEmpty())
        (void)saveDays(&why);
}

QString ProductionHistory::Load()
{
    m_loaded = true;
    AtomicFile::RemoveTemporary(m_daysPath);
    readDays();
    if (!m_readError.isEmpty())
        return tr("Days file could not be read: %1.").arg(m_readError);
    if (!m_unreadableInPlace)
        return {};
    if (QString why; !keepUnreadableAside(&why))
        return tr("Unreadable days file could not be kept aside: %1.").arg(why);
    return m_keptAside;
}

QString ProductionHistory::Record(QList<DayRecord> &finished)
{
    if (!m_loaded)
        (void)Load();
    m_unsaved = finished;
    if (m_unsaved.isEmpty()) {
        if (!m_readError.isEmpty())
            readDays();
        return {};
    }
    if (QString why; !saveDays(&why))
        return tr(" (days file not saved: %1)").arg(why);
    finished.clear();
    return {};
}

QString ProductionHistory::KeepReading(const Reading &reading)
{
    if (QString why; !ReadingsFile::AppendReading(m_readingsFolder, reading, &why))
        return tr(" (reading not kept: %1)").arg(why);
    return {};
}

// Reads the days file and adds the days not written yet where it lacks them; what could not be
// read leaves the days held before. Returns how many were added.
qsizetype ProductionHistory::readDays()
{
    DaysFile::Loaded loaded = DaysFile::LoadDays(m_daysPath);
    m_readError = loaded.readError;
    m_unreadableInPlace = loaded.notUnderstood;
    if (m_readError.isEmpty() && !m_unreadableInPlace)
        m_days = std::move(loaded.days);
    qsizetype added = 0;
    for (const DayRecord &day : std::as_const(m_unsaved)) {
        const auto held = [&day](const DayRecord &other) { return other.date == day.date; };
        if (std::none_of(m_days.cbegin(), m_days.cend(), held)) {
            DaysFile::Insert(m_days, day);
            ++added;
        }
    }
    return added;
}

bool ProductionHistory::saveDays(QString *why)
{
    // Read again first: a day the user added or corrected meanwhile stays.
    const bool lacking = readDays() > 0 || m_unreadableInPlace;
    if (!m_readError.isEmpty()) {
        *why = tr("days file could not be read: %1").arg(m_readError);
        return false;
    }
    if (lacking) {
        if (!keepUnreadableAside(why)) {
            *why = tr("unreadable days file not kept aside: %1").arg(*why);
            return false;
        }
        if (!DaysFile::SaveDays(m_days, m_daysPath, why))
            return false;
        m_days = DaysFile::ReadDays(DaysFile::FormatDays(m_days)); // as the file holds them
    }
    m_unsaved.clear();
    return true;
}

// Renames an unreadable days file aside if one is still in place, never over an older one: that
// may hold years of days. False, and why, when it stays.
bool ProductionHistory::keepUnreadableAside(QString *why)
{
    if (!m_unreadableInPlace)
        return true;
    QFile file(m_daysPath);
    if (file.exists()) {
        if (!file.rename(m_daysPath + QLatin1StringView(StateFile::UnreadableSuffix))) {
            *why = file.errorString();
            return false;
        }
        m_keptAside = tr("Unreadable days file kept as %1.")
                              .arg(QLatin1StringView(DaysFile::DefaultName)
                                   + QLatin1StringView(StateFile::UnreadableSuffix));
    }
    m_unreadableInPlace = false;
    return true;
}
