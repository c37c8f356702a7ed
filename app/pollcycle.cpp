// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "pollcycle.h"

#include "figuretext.h"
#include "statefile.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
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

constexpr std::pair<FlowDirection, QLatin1StringView> directionNames[] = {
    { FlowDirection::Unknown, "unknown"_L1 },
    { FlowDirection::Forward, "forward"_L1 },
    { FlowDirection::Reverse, "reverse"_L1 },
};

} // namespace

QByteArray KnownDevice::toText() const
{
    QJsonObject object = QJsonDocument::fromJson(DeviceReply::ModelToText(model)).object();
    for (const auto &[flow, name] : directionNames) {
        if (flow == direction)
            object.insert("direction"_L1, name);
    }
    object.insert("passwordFor"_L1, passwordFor);
    object.insert("passwordAlgorithm"_L1, QString::fromLatin1(passwordAlgorithm));
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<KnownDevice> KnownDevice::fromText(QByteArrayView text)
{
    const std::optional<DeviceModel> model = DeviceReply::ModelFromText(text);
    if (!model)
        return std::nullopt;
    const QJsonObject object = QJsonDocument::fromJson(text.toByteArray()).object();
    const QJsonValue direction = object.value("direction"_L1);
    KnownDevice device{ *model, FlowDirection::Unknown, object.value("passwordFor"_L1).toString(),
                        object.value("passwordAlgorithm"_L1).toString().toLatin1() };
    for (const auto &[flow, name] : directionNames) {
        if (direction == name)
            device.direction = flow;
    }
    return device;
}

// The counter the day counts at `m_polledAddress`, as the state file names it: a switch's import
// counter by the address alone, as it always was, every other by its meter and direction too, so
// that a change of counter starts from a baseline like another device.
QString PollCycle::counterName(const KnownDevice &device) const
{
    const DeviceModel &model = device.model;
    if (model.meter == Meter::Switch && model.channel == 0
        && device.direction == FlowDirection::Forward)
        return m_polledAddress;
    return u"%1 %2:%3%4"_s.arg(
            m_polledAddress, DeviceReply::MeterName(model.meter), QString::number(model.channel),
            device.direction == FlowDirection::Reverse ? u" return"_s : QString());
}

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
    const std::optional<QUrl> url = deviceUrl(addressText, &why);
    if (!url) {
        if (why.isEmpty())
            Q_EMIT statusTextChanged(tr("Enter an IP address."));
        else
            showFailure(why);
        return;
    }
    m_polledUrl = *url;
    m_polledAddress = url->authority();
    m_askedAgain = false;
    const std::optional<KnownDevice> known = knownDevice(m_polledAddress);
    Q_EMIT deviceNamed(known && !known->model.id.isEmpty() ? DeviceName(known->model) : QString());
    if (known && pollable(known->model))
        startReading();
    else
        askIdentity();
}

void PollCycle::PollNow(const QString &addressText)
{
    m_link.Abandon();
    PollDevice(addressText);
}

void PollCycle::SetPassword(const QString &address, const QString &password, bool typedNow)
{
    m_passwords.insert(address, password);
    const auto found = m_devices.find(address);
    if (typedNow && found != m_devices.end() && !found->passwordFor.isEmpty()) {
        found->passwordFor.clear();
        found->passwordAlgorithm.clear();
        Q_EMIT deviceKnown(address, *found);
    }
}

void PollCycle::KnowDevice(const QString &address, const KnownDevice &device)
{
    m_devices.insert(address, device);
}

std::optional<KnownDevice> PollCycle::knownDevice(const QString &address) const
{
    const auto found = m_devices.constFind(address);
    return found == m_devices.cend() ? std::nullopt : std::optional(*found);
}

void PollCycle::SetDirection(const QString &address, FlowDirection direction)
{
    const auto found = m_devices.find(address);
    if (found == m_devices.end() || found->direction == direction)
        return;
    found->direction = direction;
    Q_EMIT deviceKnown(address, *found);
}

void PollCycle::SetEmChannel(const QString &address, int channel)
{
    const auto found = m_devices.find(address);
    if (found == m_devices.end() || found->model.meter != Meter::EM1
        || found->model.channel == channel)
        return;
    found->model.channel = channel;
    found->direction = FlowDirection::Unknown; // the other channel's is learned anew
    Q_EMIT deviceKnown(address, *found);
}

QString PollCycle::DeviceAddress(const QString &addressText)
{
    QString why;
    const std::optional<QUrl> url = deviceUrl(addressText, &why);
    return url ? url->authority() : QString();
}

QString PollCycle::DeviceName(const DeviceModel &model)
{
    return tr("%1 (%2)").arg(model.app.isEmpty() ? model.model : model.app, model.id);
}

std::optional<QUrl> PollCycle::deviceUrl(const QString &addressText, QString *why)
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
    const QUrl url(u"http://"_s + address, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() || !url.path().isEmpty() || url.hasQuery()
        || url.hasFragment()) {
        *why = tr("Not a valid device address");
        return std::nullopt;
    }
    return url;
}

void PollCycle::request(Step step, const QByteArray &pathAndQuery)
{
    m_step = step;
    const QUrl url(m_polledUrl.toString() + QString::fromLatin1(pathAndQuery), QUrl::StrictMode);
    // /shelly answers without a password, and a first-generation device would take one in clear.
    const KnownDevice known = m_devices.value(m_polledAddress);
    // Nor does another device than the one it belongs to get it, as soon as /shelly names one.
    const bool anotherDevice = !known.passwordFor.isEmpty() && !m_identity.id.isEmpty()
            && m_identity.generation >= 2 && m_identity.id != known.passwordFor;
    const bool withPassword =
            step != Step::Identity && m_identity.generation != 1 && !anotherDevice;
    m_link.HttpGet(url, withPassword ? m_passwords.value(m_polledAddress) : QString(),
                   known.passwordFor.toUtf8(), known.passwordAlgorithm == "SHA-256");
}

void PollCycle::askIdentity()
{
    m_identity = {};
    request(Step::Identity, DeviceReply::IdentityRequest);
}

void PollCycle::startReading()
{
    m_identity = m_devices.value(m_polledAddress).model;
    m_replies.clear();
    askNextReading();
}

void PollCycle::askNextReading()
{
    request(Step::Reading, DeviceReply::ReadingRequests(m_identity).value(m_replies.size()));
}

bool PollCycle::pollable(const DeviceModel &model) const
{
    return model.meter != Meter::None && !(model.generation == 1 && model.passwordOn);
}

void PollCycle::onDeviceReply(const HttpResult &result)
{
    if (result.status != 0)
        Q_EMIT deviceAnswered();
    if (!result.ok()) {
        // Another device at the address, or new firmware, or a first-generation device that
        // now wants a password: asked once a poll what it is now.
        // (Gen1 asks by Basic, which is no Digest challenge: its 401 says it.)
        const bool gen1Refused = m_identity.generation == 1
                && (result.status == 401 || result.refusal != HttpResult::Refusal::None);
        if (m_step != Step::Identity && !m_askedAgain
            && (DeviceReply::RepliesStopFitting(result) || gen1Refused)) {
            m_askedAgain = true;
            askIdentity();
            return;
        }
        if (result.refusal == HttpResult::Refusal::WrongPassword) {
            m_passwords.remove(m_polledAddress);
            Q_EMIT passwordRefused(m_polledAddress);
        }
        if (result.status == 0)
            Q_EMIT pollFailed(m_polledAddress, result.error);
        showFailure(result.error);
        if (result.refusal != HttpResult::Refusal::None && !gen1Refused)
            Q_EMIT passwordNeeded(m_polledAddress);
        return;
    }
    if (!result.algorithm.isEmpty())
        bindPassword(QString::fromUtf8(result.realm), result.algorithm);
    switch (m_step) {
    case Step::Identity:
        return takeIdentity(result.body);
    case Step::Status:
        return takeStatus(result.body);
    case Step::Reading:
        m_replies.append(result.body);
        if (m_replies.size() < DeviceReply::ReadingRequests(m_identity).size())
            return askNextReading();
        return takeReading();
    }
}

void PollCycle::takeIdentity(const QByteArray &reply)
{
    const std::optional<DeviceModel> identity = DeviceReply::ReadIdentity(reply);
    if (!identity) {
        showFailure(tr("The device at this address does not say what it is: no Shelly device "
                       "answers there"));
        return;
    }
    m_identity = *identity;
    Q_EMIT deviceNamed(DeviceName(m_identity));
    if (m_identity.generation >= 2)
        return request(Step::Status, DeviceReply::StatusRequest);
    keepDevice(m_identity);
    if (!pollable(m_identity))
        return showModelProblem(m_identity);
    startReading();
}

void PollCycle::takeStatus(const QByteArray &reply)
{
    // An EM meter is found again on the channel the user chose.
    const KnownDevice known = m_devices.value(m_polledAddress);
    const std::optional<DeviceModel> model = DeviceReply::FindMeter(
            m_identity, reply, known.model.meter == Meter::EM1 ? known.model.channel : 0);
    if (!model) {
        showFailure(tr("The device's status could not be read"));
        return;
    }
    keepDevice(*model);
    if (!pollable(*model))
        return showModelProblem(*model);
    startReading();
}

// The device that accepted the password at the polled address, named by its challenge's `realm`
// (its id), by `algorithm`, is the one it goes to from now on.
void PollCycle::bindPassword(const QString &realm, const QByteArray &algorithm)
{
    KnownDevice &device = m_devices[m_polledAddress];
    if (device.passwordFor == realm && device.passwordAlgorithm == algorithm)
        return;
    device.passwordFor = realm;
    device.passwordAlgorithm = algorithm;
    if (!device.model.id.isEmpty())
        Q_EMIT deviceKnown(m_polledAddress, device);
}

void PollCycle::keepDevice(const DeviceModel &model, FlowDirection direction)
{
    const std::optional<KnownDevice> known = knownDevice(m_polledAddress);
    if (known && known->model.id == model.id && known->model.meter == model.meter
        && known->model.channel == model.channel)
        direction = known->direction;
    KnownDevice device{ model, direction, {}, {} };
    if (known) {
        device.passwordFor = known->passwordFor;
        device.passwordAlgorithm = known->passwordAlgorithm;
    }
    if (known == device)
        return;
    m_devices.insert(m_polledAddress, device);
    Q_EMIT deviceKnown(m_polledAddress, device);
}

void PollCycle::showModelProblem(const DeviceModel &model)
{
    if (model.meter == Meter::None)
        showFailure(tr("This device measures no power"));
    else
        showFailure(tr("This first-generation device has a password, which it would take in "
                       "clear: it is not polled. Turn its password off to have it polled"));
}

void PollCycle::takeReading()
{
    KnownDevice &device = m_devices[m_polledAddress];
    const std::optional<MeterReading> meter = DeviceReply::ReadReading(device.model, m_replies);
    if (!meter) {
        showFailure(tr("The reply holds no reading of the device's meter"));
        return;
    }
    const FlowDirection direction =
            LearnDirection(device.direction, meter->powerW, device.model.hasReturnCounter);
    if (direction != device.direction) {
        device.direction = direction;
        Q_EMIT deviceKnown(m_polledAddress, device);
    }
    const Production production =
            ToProduction(direction, meter->powerW, meter->importWh, meter->returnWh);
    // Without a counter reading there is nothing to count: taking it as 0
    // would make the next real reading add the device's whole lifetime.
    if (!production.counterWh && direction != FlowDirection::Unknown) {
        showFailure(tr("No valid \"total\" energy counter in the reply"));
        return;
    }
    Q_EMIT powerTextChanged(FigureText(production.powerW) + u" W"_s);
    const QDateTime now = m_clock();
    QString status = tr("Last update: ") + now.toString(u"yyyy-MM-dd HH:mm:ss"_s);
    if (production.counterWh) {
        const Reading reading{ now, production.powerW, *production.counterWh };
        status += countReading(reading, counterName(device));
        Q_EMIT readingTaken(reading);
    } else {
        // At rest, a meter that counts both ways cannot tell the plant's way yet.
        status += tr(" (nothing counted until the plant's direction shows: a reading of %1 W "
                     "either way)")
                          .arg(LearnFromW);
    }
    Q_EMIT statusTextChanged(status);
    Q_EMIT pollFinished();
}

// Counts `reading` into the day's tally, saves it and keeps it in the history.
// Returns what could not be done, as an addition to the status line.
QString PollCycle::countReading(const Reading &reading, const QString &counter)
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
    // baseline. A tally of an earlier version does not name its device: it
    // came from the switch's import counter at this address, the only one
    // those versions read, and counts on only from that.
    const QString last = m_tally.device.isEmpty() ? m_polledAddress : m_tally.device;
    if (counter != last) {
        m_tally.haveLastTotal = false;
        m_drop.reset();
    }
    UpdateDaily(m_tally, m_drop, reading.totalWh, reading.time);
    m_tally.device = counter;
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
