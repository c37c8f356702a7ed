// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include "dailytally.h"
#include "devicelink.h"
#include "productionhistory.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QString>
#include <QUrl>

#include <chrono>
#include <functional>
#include <optional>

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
    // Keeps the password typed for the device at `address` (as named in
    // passwordNeeded()) in memory, for every later poll of that address.
    void SetPassword(const QString &address, const QString &password);
    // The host and port of the device at `addressText` as a poll names it (in
    // passwordNeeded()), or nothing when the text is no address to poll.
    [[nodiscard]] static QString DeviceAddress(const QString &addressText);

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
    // A poll gave `reading`; the tally and the history hold it already.
    void readingTaken(const Reading &reading);
    // The device at `address` asks for a password: none is known, or it
    // refused the one it was given, which is forgotten.
    void passwordNeeded(const QString &address);
    // The device at `address` refused the password it was given; passwordNeeded() follows.
    void passwordRefused(const QString &address);

private:
    // The device's status request for `addressText`, or nothing when the text
    // names no device to poll: `why` then says why, or stays empty for a blank
    // address.
    [[nodiscard]] static std::optional<QUrl> statusUrl(const QString &addressText, QString *why);
    void onDeviceReply(const HttpResult &result);
    void showFailure(const QString &description);
    [[nodiscard]] QString countReading(const Reading &reading);
    [[nodiscard]] bool loadTally(QString *why);
    [[nodiscard]] bool keepUnreadableAside(QString *why);

    DeviceLink m_link;
    DailyTally m_tally;
    std::optional<CounterDrop> m_drop;
    // The host and port of the poll under way.
    QString m_polledAddress;
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
