// SPDX-FileCopyrightText: 2026 The Palvorin developers
// SPDX-License-Identifier: MIT

#include "folderlock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>
#include <QMessageBox>

#ifdef Q_OS_WIN
#  include <qt_windows.h>
#endif

using namespace Qt::StringLiterals;

FolderLock::FolderLock(const QString &folder, QObject *parent)
    : QObject(parent),
      m_folder(QDir(folder).canonicalPath()),
      // A name short enough for a socket path, the same for every start in the folder however
      // it is spelled.
      m_serverName(u"palvorin-"_s
                   + QString::fromLatin1(
                           QCryptographicHash::hash(m_folder.toUtf8(), QCryptographicHash::Sha256)
                                   .toHex()
                                   .left(32))),
      m_lock(QDir(m_folder).filePath(QLatin1StringView(FileName)))
{
    // A lock is stale when the program that took it has gone, however old it is.
    m_lock.setStaleLockTime(0);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        // The connection is the request; the later start closes it.
        while (QLocalSocket *socket = m_server.nextPendingConnection())
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        Q_EMIT startedAgain();
    });
}

bool FolderLock::Take()
{
    // A folder where no lock can be made cannot take the program's files either: the program
    // runs, and says what it cannot save.
    if (!m_lock.tryLock() && m_lock.error() == QLockFile::LockFailedError) {
        if (!askHolder())
            QMessageBox::information(nullptr, u"Palvorin"_s,
                                     tr("Palvorin already runs in the folder %1.")
                                             .arg(QDir::toNativeSeparators(m_folder)));
        return false;
    }
    // A program that ended without an orderly end left its server's name behind; the lock says
    // it is this one's now.
    if (!m_server.listen(m_serverName) && QLocalServer::removeServer(m_serverName))
        m_server.listen(m_serverName);
    return true;
}

bool FolderLock::askHolder() const
{
#ifdef Q_OS_WIN
    // Windows lets only the program the user just started bring a window to the front: this one
    // hands that on to the program it asks.
    AllowSetForegroundWindow(ASFW_ANY);
#endif
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(2000))
        return false;
    socket.disconnectFromServer();
    return true;
}
