// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "productionhistory.h"

#include "atomicfile.h"
#include "statefile.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

ProductionHistory::ProductionHistory(const QString &folder)
    : m_daysPath(QDir(folder).filePath(QLatin1StringView(DaysFile::DefaultName))),
      m_readingsFolder(QDir(folder).filePath(QLatin1StringView(ReadingsFile::FolderName)))
{
}

ProductionHistory::~ProductionHistory()
{
    // A day a poll could not write is written now if it can: a later start would not record it.
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

QString ProductionHistory::Keep(const DailyTally &before, const DailyTally &after,
                                const Reading &reading)
{
    if (!m_loaded)
        (void)Load();
    const QDate finished = QDate::fromString(before.currentDay, Qt::ISODate);
    if (finished.isValid() && after.currentDay != before.currentDay) {
        DaysFile::Insert(m_unsaved, { finished, before.todayWh });
        DaysFile::Insert(m_days, { finished, before.todayWh });
    }
    QString problems;
    if (QString why; !m_unsaved.isEmpty() && !saveDays(&why))
        problems += tr(" (days file not saved: %1)").arg(why);
    return problems + KeepReading(reading);
}

QString ProductionHistory::KeepReading(const Reading &reading)
{
    if (QString why; !ReadingsFile::AppendReading(m_readingsFolder, reading, &why))
        return tr(" (reading not kept: %1)").arg(why);
    return {};
}

// Reads the days file, with the days not written yet on top of it. What could not be read leaves
// the days held before.
void ProductionHistory::readDays()
{
    DaysFile::Loaded loaded = DaysFile::LoadDays(m_daysPath);
    m_readError = loaded.readError;
    m_unreadableInPlace = loaded.notUnderstood;
    if (!m_readError.isEmpty() || m_unreadableInPlace)
        return;
    m_days = std::move(loaded.days);
    for (const DayRecord &day : std::as_const(m_unsaved))
        DaysFile::Insert(m_days, day);
}

bool ProductionHistory::saveDays(QString *why)
{
    // Read again first: a day the user added or corrected meanwhile stays.
    readDays();
    if (!m_readError.isEmpty()) {
        *why = tr("days file could not be read: %1").arg(m_readError);
        return false;
    }
    if (!keepUnreadableAside(why)) {
        *why = tr("unreadable days file not kept aside: %1").arg(*why);
        return false;
    }
    if (!DaysFile::SaveDays(m_days, m_daysPath, why))
        return false;
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
