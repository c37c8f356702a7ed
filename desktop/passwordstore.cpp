// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "passwordstore.h"

#include <qt6keychain/keychain.h>

using namespace Qt::StringLiterals;

namespace {

// A job on the entry of the device at `address`, labelled with the program's
// name in the keyring. It deletes itself when it has finished: the keyring's
// answer may come after the store is gone. QtKeychain's insecure fallback, a
// file in clear where no keyring answers, stays off.
template<typename Job>
Job *newJob(const QString &address)
{
    auto *job = new Job(u"Palvorin"_s);
    job->setKey(address);
    return job;
}

QString failure(const QKeychain::Job *job)
{
    return job->error() == QKeychain::NoError ? QString() : job->errorString();
}

} // namespace

PasswordStore::PasswordStore(QObject *parent) : QObject(parent) { }

void PasswordStore::Read(const QString &address)
{
    auto *job = newJob<QKeychain::ReadPasswordJob>(address);
    connect(job, &QKeychain::Job::finished, this, [this, address, job] {
        Q_EMIT readFinished(address, job->textData(),
                            job->error() == QKeychain::EntryNotFound ? QString() : failure(job));
    });
    job->start();
}

void PasswordStore::Write(const QString &address, const QString &password)
{
    auto *job = newJob<QKeychain::WritePasswordJob>(address);
    job->setTextData(password);
    connect(job, &QKeychain::Job::finished, this,
            [this, address, job] { Q_EMIT writeFinished(address, failure(job)); });
    job->start();
}

void PasswordStore::Remove(const QString &address)
{
    newJob<QKeychain::DeletePasswordJob>(address)->start();
}
