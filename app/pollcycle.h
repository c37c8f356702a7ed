// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include "dailytally.h"
#include "devicelink.h"
#include "devicemodel.h"
#include "direction.h"
#include "productionhistory.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QString>
#include <QUrl>

#include <chrono>
#include <functional>
#include <optional>

// What is known of the device at an address: what it is, and which way the plant's energy flows
// through its meter.
struct KnownDevice
{
    DeviceModel model;
    FlowDirection direction = FlowDirection::Unknown;
    // The device a password at this address belongs to (its Digest realm, which is its id), and
    // the Digest algorithm it used, from the first exchange it was accepted in: another device
    // at the address is not sent it, nor is a device that used SHA-256 sent it by MD5. Empty
    // until then.
    QString passwordFor;
    QByteArray passwordAlgorithm;

    friend bool operator==(const KnownDevice &, const KnownDevice &) = default;

    // As the settings keep it between runs, and read back; nothing from text that holds none.
    [[nodiscard]] QByteArray toText() const;
    [[nodiscard]] static std::optional<KnownDevice> fromText(QByteArrayView text);
};

// One poll of the device from address to saved tally. The window feeds it
// the address box's text and shows the three texts it emits. At the first
// contact with an address, and again when its replies stop fitting, the
// device is asked what it is (/shelly, and from Gen2 on its status for the
// meter); after that a poll makes only the requests of its meter's reading.
class PollCycle : public QObject
{
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    PollCycle(QString stateFilePath, Clock clock,
              std::chrono::milliseconds phaseTimeout = std::chrono::seconds(5),
              QObject *parent = nullptr);

    // Loads the tally saved by an earlier run and clears away what its
    // interrupted saves left behind. A state file that was read but not
    // understood is kept aside, renamed with StateFile::UnreadableSuffix,
    // before anything replaces it; one that could not be opened or read (held
    // by another program for a moment) is loaded again at each reading, and
    // nothing is counted or saved until it is. Returns a sentence for the
    // status line when there was such a file, else nothing.
    [[nodiscard]] QString LoadState();
    // Starts one poll of the device at `addressText`. A poll that comes
    // while the previous one still waits for the device is skipped. A
    // reading from another device than the one the tally's last reading came
    // from only sets the baseline.
    void PollDevice(const QString &addressText);
    // Polls the device at `addressText` at once: an exchange still under
    // way is abandoned, and its result dropped.
    void PollNow(const QString &addressText);
    // Keeps the password for the device at `address` (as named in passwordNeeded()) in memory,
    // for every later poll of that address: a remembered one goes only to the device it was
    // accepted by; one `typedNow` goes to the device that asked for it.
    void SetPassword(const QString &address, const QString &password, bool typedNow = false);
    // What was found of the device at `address` (host and port) by an earlier run: its polls
    // start with the reading.
    void KnowDevice(const QString &address, const KnownDevice &device);
    [[nodiscard]] std::optional<KnownDevice> knownDevice(const QString &address) const;
    // Turns the direction of production of the device at `address` where the learned one is
    // wrong; the day's count goes on from the next reading of the other counter.
    void SetDirection(const QString &address, FlowDirection direction);
    // Reads the plant's energy from `channel` of the EM meter at `address` (0 or 1: the clamp the
    // plant's line runs through); the day goes on from a baseline on that channel.
    void SetEmChannel(const QString &address, int channel);
    // The host and port of the device at `addressText` as a poll names it (in
    // passwordNeeded()), or nothing when the text is no address to poll.
    [[nodiscard]] static QString DeviceAddress(const QString &addressText);
    // The device as it named itself, for the tooltips that tell which device answers.
    [[nodiscard]] static QString DeviceName(const DeviceModel &model);

    [[nodiscard]] bool isPolling() const { return m_link.isBusy(); }
    [[nodiscard]] const DailyTally &tally() const { return m_tally; }
    // The day's energy as todayTextChanged() gives it: the loaded tally's when it is of today's
    // date, else none yet.
    [[nodiscard]] QString todayText() const;

    // Reads the days recorded by earlier runs (ProductionHistory::Load) and records the days the
    // loaded tally finished but could not record. Returns a sentence for the status line when the
    // days file could not be read, else nothing.
    [[nodiscard]] QString LoadHistory();
    [[nodiscard]] const ProductionHistory &history() const { return m_history; }
    // The sentences about the files this run kept aside, the state file's first, else nothing:
    // they tell why the day or the history started empty.
    [[nodiscard]] QString keptAside() const;
    [[nodiscard]] const Clock &clock() const { return m_clock; }

Q_SIGNALS:
    void powerTextChanged(const QString &text);
    void todayTextChanged(const QString &text);
    void statusTextChanged(const QString &text);
    // A started poll has ended, with figures or with a failure line.
    void pollFinished();
    // A poll got no answer from the device at `address` (host and port); `reason` says why.
    void pollFailed(const QString &address, const QString &reason);
    // The device answered a request over HTTP, whatever it said.
    void deviceAnswered();
    // A poll gave `reading`; the tally and the history hold it already.
    void readingTaken(const Reading &reading);
    // The device at `address` asks for a password: none is known, or it
    // refused the one it was given, which is forgotten.
    void passwordNeeded(const QString &address);
    // The device at `address` refused the password it was given; passwordNeeded() follows.
    void passwordRefused(const QString &address);
    // What is known of the device at `address` changed: found, found again, or its direction
    // learned or turned.
    void deviceKnown(const QString &address, const KnownDevice &device);
    // The device that answers the poll under way, as it named itself; empty until one did.
    void deviceNamed(const QString &name);

private:
    // Each poll goes through these in order, starting where what is known of the device allows.
    enum class Step { Identity, Status, Reading };

    // The device's address for `addressText` as http://host:port, or nothing when the text
    // names no device to poll: `why` then says why, or stays empty for a blank address.
    [[nodiscard]] static std::optional<QUrl> deviceUrl(const QString &addressText, QString *why);
    void request(Step step, const QByteArray &pathAndQuery);
    void askIdentity();
    void startReading();
    void askNextReading();
    void onDeviceReply(const HttpResult &result);
    void takeIdentity(const QByteArray &reply);
    void takeStatus(const QByteArray &reply);
    void takeReading();
    // Keeps what was found of the polled device and tells; the direction is learned anew for
    // another device or meter.
    void keepDevice(const DeviceModel &model, FlowDirection direction = FlowDirection::Unknown);
    void bindPassword(const QString &realm, const QByteArray &algorithm);
    [[nodiscard]] bool pollable(const DeviceModel &model) const;
    void showModelProblem(const DeviceModel &model);
    void showFailure(const QString &description);
    [[nodiscard]] QString countReading(const Reading &reading, const QString &counter);
    [[nodiscard]] QString counterName(const KnownDevice &device) const;
    [[nodiscard]] bool loadTally(QString *why);
    [[nodiscard]] bool keepUnreadableAside(QString *why);

    DeviceLink m_link;
    DailyTally m_tally;
    std::optional<CounterDrop> m_drop;
    // The host and port of the poll under way.
    QString m_polledAddress;
    QUrl m_polledUrl;
    Step m_step = Step::Identity;
    QList<QByteArray> m_replies; // the reading's replies so far
    DeviceModel m_identity; // the device as /shelly named it, until its meter is found
    bool m_askedAgain =
            false; // this poll asked the device what it is after a reply stopped fitting
    QHash<QString, KnownDevice> m_devices; // by the address's host and port
    // The state file could not be opened or read: the tally is not known,
    // and no save may replace the file.
    bool m_stateNotRead = false;
    // A state file that was not understood could not be kept aside yet: no
    // save may replace it.
    bool m_unreadableInPlace = false;
    QString m_stateKeptAside; // the sentence, once it was kept aside
    QString m_stateFilePath;
    Clock m_clock;
    QHash<QString, QString> m_passwords; // by the address's host and port
    ProductionHistory m_history; // beside the state file
};
