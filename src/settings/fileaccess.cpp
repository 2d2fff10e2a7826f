// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fileaccess.h"

#include "services/programerror.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Writes all of content to the descriptor, as often as the system takes only a part.
bool writeAll(int descriptor, const QByteArray& content) {
    for (qsizetype written = 0; written < content.size();) {
        const ssize_t part =
            ::write(descriptor, content.constData() + written, size_t(content.size() - written));
        if (part < 0 && errno == EINTR)
            continue;
        if (part <= 0)
            return false;
        written += part;
    }
    return true;
}

// A pipe or a character device (a terminal, /dev/null) takes the content as it is: a new
// file renamed over it would replace the pipe or the device itself. Anything else that is
// no regular file is refused.
void writeIntoSpecialFile(const QString& path, const struct stat& target, const QByteArray& content,
                          const QString& failureText) {
    if (S_ISDIR(target.st_mode))
        FailWithFileError(failureText, EISDIR);
    if (!S_ISFIFO(target.st_mode) && !S_ISCHR(target.st_mode))
        throw ProgramError(QStringLiteral("%1: „%2“ ist keine gewöhnliche Datei und wird nicht ersetzt.")
                               .arg(failureText, path));
    // Not waiting for a reader that may never come: a pipe nobody reads fails at once.
    errno = 0;
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        FailWithFileError(failureText, errno);
    fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    errno = 0;
    const bool written = writeAll(descriptor, content);
    const int cause = errno;
    ::close(descriptor);
    if (!written)
        FailWithFileError(failureText, cause);
}

} // namespace

QString FileErrorCause(int errorNumber) {
    switch (errorNumber) {
    case EACCES:
    case EPERM:
        return QStringLiteral("Zugriff verweigert, es fehlt die Berechtigung");
    case EROFS:
        return QStringLiteral("der Datenträger ist schreibgeschützt");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("der Datenträger ist voll oder Ihr Speicherplatz ist ausgeschöpft");
    case EISDIR:
        return QStringLiteral("an ihrer Stelle steht ein Ordner");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("die Datei oder ihr Ordner ist nicht mehr vorhanden");
    case EIO:
        return QStringLiteral("Ein-/Ausgabefehler des Datenträgers");
    case EBADF:
        return QStringLiteral("die Ausgabe ist geschlossen");
    case EPIPE:
        return QStringLiteral("niemand liest die Ausgabe mehr");
    case ENXIO:
        return QStringLiteral("niemand liest aus der benannten Pipe");
    case 0:
        return QStringLiteral("die Ursache ist unbekannt");
    default:
        return QStringLiteral("Dateifehler Nummer %1").arg(errorNumber);
    }
}

void FailWithFileError(const QString& what, int errorNumber) {
    throw ProgramError(QStringLiteral("%1: %2.").arg(what, FileErrorCause(errorNumber)));
}

QByteArray ReadWholeFile(const QString& path, const QString& failureText) {
    if (!QFileInfo::exists(path))
        return {};
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        FailWithFileError(failureText, errno);
    errno = 0;
    QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        FailWithFileError(failureText, errno);
    if (content.isNull())
        content = QByteArray(""); // an empty file is still a file
    return content;
}

std::optional<int> ReplaceFile(const QString& path, const QByteArray& content, const QString& failureText) {
    struct stat target {};
    if (stat(QFile::encodeName(path).constData(), &target) == 0 && !S_ISREG(target.st_mode)) {
        writeIntoSpecialFile(path, target, content, failureText);
        return std::nullopt;
    }
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    errno = 0;
    // Unbuffered: a write that fails (a full disk) fails here, where its cause is known; a
    // buffered one would only fail while committing, and the empty file would still be put in place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return errno;
    errno = 0;
    if (file.write(content) != content.size()) {
        const int cause = errno;
        file.cancelWriting();
        FailWithFileError(failureText, cause);
    }
    errno = 0;
    if (!file.commit())
        FailWithFileError(failureText, errno);
    return std::nullopt;
}

void WriteStandardOutput(const QByteArray& content, const QString& failureText) {
    errno = 0;
    if (std::fwrite(content.constData(), 1, size_t(content.size()), stdout) != size_t(content.size()) ||
        std::fflush(stdout) != 0)
        FailWithFileError(failureText, errno);
}

void WriteExportFile(const QString& path, const QByteArray& content, const QString& failureText) {
    if (path == QLatin1String("-"))
        return WriteStandardOutput(content, failureText);
    if (const std::optional<int> cause = ReplaceFile(path, content, failureText))
        FailWithFileError(failureText, *cause);
}

QString ExportFailureText(const QString& subject, const QString& path) {
    return path == QLatin1String("-")
               ? QStringLiteral("%1 kann nicht ausgegeben werden").arg(subject)
               : QStringLiteral("%1 „%2“ kann nicht gespeichert werden").arg(subject, path);
}
