// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

// One program per working folder: two would append to the same readings and
// replace each other's state and days files. The first start holds a lock file
// in the folder while it runs and listens for later starts there; a later start
// brings the first one's window up instead of running beside it.
class FolderLock : public QObject
{
    Q_OBJECT

public:
    static constexpr char FileName[] = "palvorin.lock";

    explicit FolderLock(const QString &folder, QObject *parent = nullptr);

    // Takes the folder for this program. False when another program holds it:
    // that one is asked to show its window, or, where it cannot be reached,
    // the user is told. Nothing in the folder is written then.
    [[nodiscard]] bool Take();

Q_SIGNALS:
    // Another start in this folder asked for the window.
    void startedAgain();

private:
    [[nodiscard]] bool askHolder() const;

    QString m_folder;
    QString m_serverName;
    QLockFile m_lock;
    QLocalServer m_server;
};
