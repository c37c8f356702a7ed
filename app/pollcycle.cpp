// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "pollcycle.h"

#include "figuretext.h"
#include "jsonnumber.h"
#include "statefile.h"

#include <QFileInfo>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

// Only spaces count as blanks around the address, as in the box's history.
QString trimmedOfSpaces(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ')
        ++first;
    while (last > first && text[last - 1] == u' ')
        --last;
    return text.sliced(first, last - first);
}

// Far beyond any real meter's counter; sums of counters up to this stay finite and exact to the
// watt-hour.
constexpr double MaxCounterWh = 1e12;

} // namespace

PollCycle::PollCycle(QString stateFilePath, Clock clock, std::chrono::milliseconds phaseTimeout,
                     QObject *parent)
    : QObject(parent),
      m_link(phaseTimeout, this),
      m_stateFilePath(std::move(stateFilePath)),
      m_clock(std::move(clock)),
      m_history(QFileInfo(m_stateFilePath).path())
{
    connect(&m_link, &DeviceLink::finished, this, &PollCycle::onDeviceReply);
}

QString PollCycle::LoadState()
{
    StateFile::RemoveStaleTemporaries(m_stateFilePath);
    QString why;
    if (!loadTally(&why))
        return tr("State file could not be read: %1.").arg(why);
    if (!m_unreadableInPlace)
        return {};
    if (!keepUnreadableAside(&why))
        return tr("Unreadable state file could not be kept aside: %1.").arg(why);
    return m_stateKeptAside;
}

QString PollCycle::keptAside() const
{
    return QStringList{ m_stateKeptAside, m_history.keptAside() }.join(u' ').trimmed();
}

QString PollCycle::LoadHistory()
{
    const QString loaded = m_history.Load();
    // Days an earlier run finished but could not write.
    (void)m_history.Record(m_tally.unrecorded);
    return loaded;
}

QString PollCycle::todayText() const
{
    const bool today = m_tally.currentDay == DayKey(m_clock().date());
    return FigureText(today ? m_tally.todayWh : 0) + u" Wh"_s;
}

void PollCycle::PollDevice(const QString &addressText)
{
    if (m_link.isBusy())
        return;
    QString why;
    const std::optional<QUrl> url = statusUrl(addressText, &why);
    if (!url) {
        if (why.isEmpty())
            Q_EMIT statusTextChanged(tr("Enter an IP address."));
        else
            showFailure(why);
        return;
    }
    m_polledAddress = url->authority();
    m_link.HttpGet(*url, m_passwords.value(m_polledAddress));
}

void PollCycle::PollNow(const QString &addressText)
{
    m_link.Abandon();
    PollDevice(addressText);
}

void PollCycle::SetPassword(const QString &address, const QString &password)
{
    m_passwords.insert(address, password);
}

QString PollCycle::DeviceAddress(const QString &addressText)
{
    QString why;
    const std::optional<QUrl> url = statusUrl(addressText, &why);
    return url ? url->authority() : QString();
}

std::optional<QUrl> PollCycle::statusUrl(const QString &addressText, QString *why)
{
    // A password typed into the address would show in every status line and
    // could go out in clear: any user information ("user:password@", with
    // any scheme) is refused before anything else looks at the address, and
    // no failure line repeats the address.
    QString address = trimmedOfSpaces(addressText);
    if (address.contains(u'@')) {
        *why = tr("Leave the user and password out of the address: the password is asked for "
                  "when the device wants one");
        return std::nullopt;
    }
    // An address copied from the device's web page comes as "http://address/".
    if (address.startsWith(u"http://"_s, Qt::CaseInsensitive))
        address.remove(0, 7);
    while (address.endsWith(u'/'))
        address.chop(1);
    if (address.isEmpty())
        return std::nullopt;
    if (address.contains(u"://"_s)) {
        *why = tr("Only plain HTTP addresses are polled");
        return std::nullopt;
    }
    const QUrl url(u"http://"_s + address + u"/rpc/Switch.GetStatus?id=0"_s, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty()) {
        *why = tr("Not a valid device address");
        return std::nullopt;
    }
    return url;
}

void PollCycle::onDeviceReply(const HttpResult &result)
{
    if (!result.ok()) {
        if (result.refusal == HttpResult::Refusal::WrongPassword) {
            m_passwords.remove(m_polledAddress);
            Q_EMIT passwordRefused(m_polledAddress);
        }
        showFailure(result.error);
        if (result.refusal != HttpResult::Refusal::None)
            Q_EMIT passwordNeeded(m_polledAddress);
        return;
    }

    // Without a counter reading there is nothing to count: taking it as 0
    // would make the next real reading add the device's whole lifetime.
    const std::optional<double> total = DeviceReply::FindJsonNumber(result.body, "total");
    if (!total || *total < 0 || *total > MaxCounterWh) {
        showFailure(tr("No valid \"total\" energy counter in the reply"));
        return;
    }
    const double power = DeviceReply::GetJsonNumber(result.body, "apower");
    const Reading reading{ m_clock(), power, *total };
    Q_EMIT powerTextChanged(FigureText(power) + u" W"_s);
    const QString status = tr("Last update: ") + reading.time.toString(u"yyyy-MM-dd HH:mm:ss"_s)
            + countReading(reading);
    Q_EMIT readingTaken(reading);
    Q_EMIT statusTextChanged(status);
    Q_EMIT pollFinished();
}

// Counts `reading` into the day's tally, saves it and keeps it in the history.
// Returns what could not be done, as an addition to the status line.
QString PollCycle::countReading(const Reading &reading)
{
    // The day's tally is not known until the state file can be read: the
    // saved reading, once read, covers the energy of the meantime.
    if (QString why; m_stateNotRead && !loadTally(&why)) {
        return tr(" (state not saved: state file could not be read: %1)").arg(why)
                + m_history.KeepReading(reading);
    }

    // Another device's counter has nothing to do with the last reading (the
    // user typed another address, or a tick came halfway through typing):
    // like the first reading of a day, its first reading only sets the
    // baseline. A tally of an earlier version does not name its device: its
    // reading counts on.
    if (!m_tally.device.isEmpty() && m_polledAddress != m_tally.device) {
        m_tally.haveLastTotal = false;
        m_drop.reset();
    }
    UpdateDaily(m_tally, m_drop, reading.totalWh, reading.time);
    m_tally.device = m_polledAddress;
    Q_EMIT todayTextChanged(FigureText(m_tally.todayWh) + u" Wh"_s);

    // A finished day the days file cannot take now is saved with the tally, in the same file: the
    // state file never moves on without it.
    const QString notRecorded = m_history.Record(m_tally.unrecorded);
    QString problems;
    if (QString why; !keepUnreadableAside(&why))
        problems += tr(" (state not saved: unreadable state file not kept aside: %1)").arg(why);
    else if (!StateFile::SaveState(m_tally, m_stateFilePath, &why))
        problems += tr(" (state not saved: %1)").arg(why);
    return problems + notRecorded + m_history.KeepReading(reading);
}

void PollCycle::showFailure(const QString &description)
{
    Q_EMIT statusTextChanged(
            tr("Poll failed at %1: %2").arg(m_clock().toString(u"HH:mm:ss"_s), description));
    Q_EMIT pollFinished();
}

// Loads the tally from the state file; false, and why, when the file is there
// but could not be opened or read.
bool PollCycle::loadTally(QString *why)
{
    const StateFile::Loaded loaded = StateFile::LoadState(m_stateFilePath);
    m_tally = loaded.tally;
    m_stateNotRead = loaded.found == StateFile::Found::NotRead;
    m_unreadableInPlace = loaded.found == StateFile::Found::NotUnderstood;
    *why = loaded.error;
    return !m_stateNotRead;
}

// Renames an unreadable state file aside if one is still in place; false, and
// why, when it stays.
bool PollCycle::keepUnreadableAside(QString *why)
{
    if (!m_unreadableInPlace)
        return true;
    const bool there = QFileInfo::exists(m_stateFilePath);
    if (!StateFile::KeepAside(m_stateFilePath, why))
        return false;
    m_unreadableInPlace = false;
    if (there)
        m_stateKeptAside = tr("Unreadable state file kept as %1.")
                                   .arg(QFileInfo(m_stateFilePath).fileName()
                                        + QLatin1StringView(StateFile::UnreadableSuffix));
    return true;
}
