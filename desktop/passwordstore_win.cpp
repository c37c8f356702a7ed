// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "passwordstore.h"

#include <QMetaObject>

#include <qt_windows.h>
#include <wincred.h>

using namespace Qt::StringLiterals;

// Generic credentials of the Credential Manager, named "Palvorin:" and the
// device's host and port, for the user admin. Answers come through the event
// loop, as they do from a keyring service.
namespace {

std::wstring targetName(const QString &address)
{
    return (u"Palvorin:"_s + address).toStdWString();
}

QString lastError()
{
    return qt_error_string(int(GetLastError()));
}

} // namespace

PasswordStore::PasswordStore(QObject *parent) : QObject(parent) { }

void PasswordStore::Read(const QString &address)
{
    QString password;
    QString failure;
    PCREDENTIALW credential = nullptr;
    if (CredReadW(targetName(address).c_str(), CRED_TYPE_GENERIC, 0, &credential)) {
        password = QString::fromWCharArray(
                reinterpret_cast<const wchar_t *>(credential->CredentialBlob),
                credential->CredentialBlobSize / sizeof(wchar_t));
        CredFree(credential);
    } else if (GetLastError() != ERROR_NOT_FOUND) {
        failure = lastError();
    }
    QMetaObject::invokeMethod(
            this, [=, this] { Q_EMIT readFinished(address, password, failure); },
            Qt::QueuedConnection);
}

void PasswordStore::Write(const QString &address, const QString &password)
{
    std::wstring target = targetName(address);
    std::wstring user = L"admin";
    std::wstring secret = password.toStdWString();
    CREDENTIALW credential = {};
    credential.Type = CRED_TYPE_GENERIC;
    credential.TargetName = target.data();
    credential.UserName = user.data();
    credential.CredentialBlob = reinterpret_cast<LPBYTE>(secret.data());
    credential.CredentialBlobSize = DWORD(secret.size() * sizeof(wchar_t));
    credential.Persist = CRED_PERSIST_LOCAL_MACHINE;
    const QString failure = CredWriteW(&credential, 0) ? QString() : lastError();
    SecureZeroMemory(secret.data(), secret.size() * sizeof(wchar_t));
    QMetaObject::invokeMethod(
            this, [=, this] { Q_EMIT writeFinished(address, failure); }, Qt::QueuedConnection);
}

void PasswordStore::Remove(const QString &address)
{
    CredDeleteW(targetName(address).c_str(), CRED_TYPE_GENERIC, 0);
}
