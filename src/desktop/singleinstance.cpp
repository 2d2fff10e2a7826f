// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "singleinstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace {

// Lock and socket for the folder, in the user's runtime folder: one pair per folder.
QString basePathFor(const QString& settingsFolder) {
    const QString folder =
        QFileInfo(settingsFolder.isEmpty() ? QDir::currentPath() : settingsFolder).canonicalFilePath();
    const QByteArray key =
        QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
        .filePath(QStringLiteral("pilgrast-") + QString::fromLatin1(key));
}

} // namespace

bool SingleInstance::claim(const QString& settingsFolder) {
    const QString base = basePathFor(settingsFolder);
    const QString socketPath = base + QStringLiteral(".socket");
    m_lock = std::make_unique<QLockFile>(base + QStringLiteral(".lock"));
    // Held for as long as the counter runs: never stale by age, only when its process is gone.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        askRunningCounter(socketPath);
        return false;
    }
    QLocalServer::removeServer(socketPath); // left behind by a run that was killed
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* caller = m_server.nextPendingConnection()) {
            connect(caller, &QLocalSocket::disconnected, caller, &QObject::deleteLater);
            emit frontWanted();
        }
    });
    // Without a socket the counter still runs; a second start then only ends.
    m_server.listen(socketPath);
    return true;
}

// The running counter may still be starting: it gets two seconds to listen.
void SingleInstance::askRunningCounter(const QString& socketPath) const {
    const QDeadlineTimer deadline(2000);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(socketPath);
        if (socket.waitForConnected(200)) {
            socket.disconnectFromServer();
            return;
        }
        QThread::msleep(50);
    }
}
