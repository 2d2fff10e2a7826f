// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "singleinstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QThread>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

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

// The socket's address; false when the path is too long for one.
bool addressOf(const QString& socketPath, sockaddr_un& address) {
    const QByteArray path = QFile::encodeName(socketPath);
    address = sockaddr_un{};
    address.sun_family = AF_UNIX;
    if (size_t(path.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return true;
}

// Knocks on the running counter's socket: it comes to the front. It may still be starting,
// so it gets two seconds to listen.
void askRunningCounter(const QString& socketPath) {
    sockaddr_un address{};
    if (!addressOf(socketPath, address))
        return;
    const QDeadlineTimer deadline(2000);
    while (!deadline.hasExpired()) {
        const int caller = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const bool answered =
            caller >= 0 && ::connect(caller, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        if (caller >= 0)
            close(caller);
        if (answered)
            return;
        QThread::msleep(50);
    }
}

} // namespace

SingleInstance::~SingleInstance() {
    if (m_socket < 0)
        return;
    close(m_socket);
    unlink(QFile::encodeName(m_socketPath).constData());
}

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
    listen(socketPath);
    return true;
}

// Without a socket the counter still runs; a second start then only ends.
void SingleInstance::listen(const QString& socketPath) {
    sockaddr_un address{};
    if (!addressOf(socketPath, address))
        return;
    unlink(address.sun_path); // left behind by a run that was killed
    m_socket = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (m_socket < 0)
        return;
    if (bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(m_socket, 4) != 0) {
        close(m_socket);
        m_socket = -1;
        return;
    }
    m_socketPath = socketPath;
    m_callers = new QSocketNotifier(m_socket, QSocketNotifier::Read, this);
    connect(m_callers, &QSocketNotifier::activated, this, &SingleInstance::callerArrived);
}

void SingleInstance::callerArrived() {
    for (int caller; (caller = accept4(m_socket, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;) {
        close(caller);
        emit frontWanted();
    }
}
