// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>

class PasswordStore;
class Settings;

// Device passwords remembered in the system keyring: read for the first
// device before its first poll, and for any other device when it first asks
// for one, stored when the user asks for it, deleted
// when the device refuses them. Without a keyring, passwords live in the poll
// cycle's memory only. A note in the settings says for which devices the
// keyring holds one: the keyring's libraries load at start only for those.
class RememberedPasswords : public QObject
{
    Q_OBJECT

public:
    // `keyring` may be null: there is none. `notes` may be null: no notes are
    // kept, and the keyring is asked before every first poll. A read that
    // takes longer than `bound` is not waited for.
    RememberedPasswords(PasswordStore *keyring, Settings *notes, std::chrono::milliseconds bound,
                        QObject *parent = nullptr);

    // Reads the password of the device at `address` (its host and port; empty
    // when there is no device to poll) where the notes say one is remembered,
    // then calls `poll` once: when the keyring answers, or after the bound if
    // it has not by then, or at once when it is not asked.
    void ReadBeforePolling(const QString &address, std::function<void()> poll);
    // For a device at `address` that asks for a password: reads it as
    // ReadBeforePolling() does, the first time in a run. False when the
    // keyring is not asked (none, or already asked): then the user is.
    [[nodiscard]] bool ReadOnce(const QString &address, std::function<void()> poll);
    // A password the user typed for `address`, kept in the keyring when
    // `remember`.
    void Give(const QString &address, const QString &password, bool remember);
    // The device at `address` refused its password: a remembered one is
    // deleted from the keyring.
    void Refused(const QString &address);
    // Why no keyring answers; empty while one does.
    [[nodiscard]] QString keyringFailure() const { return m_failure; }

Q_SIGNALS:
    // The keyring holds `password` for the device at `address`.
    void passwordFound(const QString &address, const QString &password);
    // A password given to be remembered is in the keyring, or not, with
    // `failure` saying why.
    void rememberFinished(const QString &failure);
    // The keyring answered, or failed to, with `failure` saying why.
    void keyringFailureChanged(const QString &failure);

private:
    void read(const QString &address, std::function<void()> poll);
    void onRead(const QString &address, const QString &password, const QString &failure);
    void note(const QString &address, bool remembered);
    void setFailure(const QString &failure);
    void pollOnce();

    PasswordStore *const m_keyring;
    Settings *const m_notes;
    QTimer m_bound;
    std::function<void()> m_poll;
    // The addresses whose password in memory is the keyring's.
    QSet<QString> m_inKeyring;
    // The addresses whose password the keyring was asked for; the last one.
    QSet<QString> m_read;
    QString m_reading;
    QString m_failure;
};
