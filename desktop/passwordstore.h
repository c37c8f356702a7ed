// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QObject>
#include <QString>

// The system keyring, holding each device's password under the device's host
// and port: the Secret Service (or KWallet) through QtKeychain, the Credential
// Manager on Windows. Every call answers later, through a signal.
class PasswordStore : public QObject
{
    Q_OBJECT

public:
    explicit PasswordStore(QObject *parent = nullptr);

    void Read(const QString &address);
    void Write(const QString &address, const QString &password);
    void Remove(const QString &address);

Q_SIGNALS:
    // `password` is empty when none is kept; `failure` says why no keyring
    // answered.
    void readFinished(const QString &address, const QString &password, const QString &failure);
    void writeFinished(const QString &address, const QString &failure);
};
