// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include "dailytally.h"
#include "devicelink.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QString>

#include <chrono>
#include <functional>

// One poll of the device from address to saved tally. The window feeds it
// the address box's text and shows the three texts it emits.
class PollCycle : public QObject
{
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    PollCycle(QString stateFilePath, Clock clock,
              std::chrono::milliseconds phaseTimeout = std::chrono::seconds(5),
              QObject *parent = nullptr);

    // Loads the tally saved by an earlier run and clears away what its
    // interrupted saves left behind. A state file that cannot be read or
    // understood is kept aside, renamed with StateFile::UnreadableSuffix,
    // before anything replaces it. Returns a sentence for the status line
    // when there was such a file, else nothing.
    [[nodiscard]] QString LoadState();
    // Starts one poll of the device at `addressText`. A poll that comes
    // while the previous one still waits for the device is skipped. The
    // first reading from another device than the last reading's only sets
    // the baseline.
    void PollDevice(const QString &addressText);
    // Keeps the password typed for the device at `address` (as named in
    // passwordNeeded()) in memory, for every later poll of that address.
    void SetPassword(const QString &address, const QString &password);
    // The host and port of the device at `addressText` as a poll names it (in
    // passwordNeeded()), or nothing when the text is no address to poll.
    [[nodiscard]] static QString DeviceAddress(const QString &addressText);

    [[nodiscard]] bool isPolling() const { return m_link.isBusy(); }
    [[nodiscard]] const DailyTally &tally() const { return m_tally; }

Q_SIGNALS:
    void powerTextChanged(const QString &text);
    void todayTextChanged(const QString &text);
    void statusTextChanged(const QString &text);
    // A started poll has ended, with figures or with a failure line.
    void pollFinished();
    // The device at `address` asks for a password: none is known, or it
    // refused the one it was given, which is forgotten.
    void passwordNeeded(const QString &address);
    // The device at `address` refused the password it was given; passwordNeeded() follows.
    void passwordRefused(const QString &address);
    // A reading's present power, in watts.
    void powerRead(double watts);

private:
    void onDeviceReply(const HttpResult &result);
    void showFailure(const QString &description);
    [[nodiscard]] bool keepUnreadableAside(QString *why);

    DeviceLink m_link;
    DailyTally m_tally;
    std::optional<CounterDrop> m_drop;
    // The host and port of the poll under way, and those of the last
    // reading in this run (empty before the first).
    QString m_polledAddress;
    QString m_readAddress;
    // An unreadable state file could not be kept aside yet: no save may
    // replace it.
    bool m_unreadableInPlace = false;
    QString m_stateFilePath;
    Clock m_clock;
    QHash<QString, QString> m_passwords; // by the address's host and port
};
