// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "rememberedpasswords.h"

#include "passworddialog.h"
#include "passwordstore.h"
#include "pollcycle.h"

RememberedPasswords::RememberedPasswords(PasswordStore *keyring, PollCycle *pollCycle,
                                         PasswordDialog *dialog, std::chrono::milliseconds bound,
                                         QObject *parent)
    : QObject(parent), m_keyring(keyring), m_pollCycle(pollCycle), m_dialog(dialog)
{
    m_bound.setSingleShot(true);
    m_bound.setInterval(bound);
    connect(&m_bound, &QTimer::timeout, this, &RememberedPasswords::pollOnce);
    connect(pollCycle, &PollCycle::passwordRefused, dialog, &PasswordDialog::MarkRefused);
    if (!keyring) {
        dialog->SetKeyringFailure(tr("none is in use"));
        return;
    }
    connect(keyring, &PasswordStore::readFinished, this, &RememberedPasswords::onRead);
    connect(keyring, &PasswordStore::writeFinished, dialog,
            [dialog](const QString &, const QString &failure) {
                dialog->SetKeyringFailure(failure);
            });
    connect(pollCycle, &PollCycle::passwordRefused, this, [this](const QString &address) {
        if (m_inKeyring.remove(address))
            m_keyring->Remove(address);
    });
}

void RememberedPasswords::ReadBeforePolling(const QString &addressText, std::function<void()> poll)
{
    m_poll = std::move(poll);
    const QString address = PollCycle::DeviceAddress(addressText);
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
    ReadBeforePolling(address, std::move(poll));
    return true;
}

void RememberedPasswords::Give(const QString &address, const QString &password, bool remember)
{
    m_pollCycle->SetPassword(address, password);
    m_inKeyring.remove(address);
    if (m_keyring && remember) {
        m_inKeyring.insert(address);
        m_keyring->Write(address, password);
    }
}

void RememberedPasswords::onRead(const QString &address, const QString &password,
                                 const QString &failure)
{
    m_dialog->SetKeyringFailure(failure);
    if (!password.isEmpty()) {
        m_pollCycle->SetPassword(address, password);
        m_inKeyring.insert(address);
    }
    // An answer about a device the user has since left polls nothing.
    if (address == m_reading)
        pollOnce();
}

void RememberedPasswords::pollOnce()
{
    m_bound.stop();
    if (const std::function<void()> poll = std::exchange(m_poll, nullptr))
        poll();
}
