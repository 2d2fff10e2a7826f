// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fileaccess.h"

#include "services/programerror.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

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
