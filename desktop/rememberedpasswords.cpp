// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "rememberedpasswords.h"

#include "passwordstore.h"
#include "settings.h"

RememberedPasswords::RememberedPasswords(PasswordStore *keyring, Settings *notes,
                                         std::chrono::milliseconds bound, QObject *parent)
    : QObject(parent), m_keyring(keyring), m_notes(notes)
{
    m_bound.setSingleShot(true);
    m_bound.setInterval(bound);
    connect(&m_bound, &QTimer::timeout, this, &RememberedPasswords::pollOnce);
    if (!keyring) {
        m_failure = tr("none is in use");
        return;
    }
    connect(keyring, &PasswordStore::readFinished, this, &RememberedPasswords::onRead);
    connect(keyring, &PasswordStore::writeFinished, this,
            [this](const QString &address, const QString &failure) {
                setFailure(failure);
                if (!failure.isEmpty())
                    m_inKeyring.remove(address);
                note(address, failure.isEmpty());
                Q_EMIT rememberFinished(failure);
            });
}

void RememberedPasswords::ReadBeforePolling(const QString &address, std::function<void()> poll)
{
    if (m_notes && !m_notes->passwordRemembered(address)) {
        m_poll = std::move(poll);
        return pollOnce();
    }
    read(address, std::move(poll));
}

void RememberedPasswords::read(const QString &address, std::function<void()> poll)
{
    m_poll = std::move(poll);
    if (!m_keyring || address.isEmpty())
        return pollOnce();
    m_read.insert(address);
    m_reading = address;
    m_bound.start();
    m_keyring->Read(address);
}

bool RememberedPasswords::ReadOnce(const QString &address, std::function<void()> poll)
{
    if (!m_keyring || m_read.contains(address))
        return false;
    read(address, std::move(poll));
    return true;
}

void RememberedPasswords::Give(const QString &address, const QString &password, bool remember)
{
    m_inKeyring.remove(address);
    if (m_keyring && remember) {
        m_inKeyring.insert(address);
        m_keyring->Write(address, password);
    }
}

void RememberedPasswords::Refused(const QString &address)
{
    if (m_inKeyring.remove(address)) {
        m_keyring->Remove(address);
        note(address, false);
    }
}

void RememberedPasswords::onRead(const QString &address, const QString &password,
                                 const QString &failure)
{
    setFailure(failure);
    if (failure.isEmpty())
        note(address, !password.isEmpty());
    if (!password.isEmpty()) {
        m_inKeyring.insert(address);
        Q_EMIT passwordFound(address, password);
    }
    // An answer about a device the user has since left polls nothing.
    if (address == m_reading)
        pollOnce();
}

void RememberedPasswords::note(const QString &address, bool remembered)
{
    if (m_notes)
        m_notes->setPasswordRemembered(address, remembered);
}

void RememberedPasswords::setFailure(const QString &failure)
{
    m_failure = failure;
    Q_EMIT keyringFailureChanged(failure);
}

void RememberedPasswords::pollOnce()
{
    m_bound.stop();
    if (const std::function<void()> poll = std::exchange(m_poll, nullptr))
        poll();
}
