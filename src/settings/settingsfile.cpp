// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settingsfile.h"

#include "declarations.h"
#include "recordimage.h"
#include "services/programerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

namespace {

QString settingsFolder;

// The cause of a failed file operation, in German, from the system's error number.
// Qt's own texts are English, so the number is taken right after the failing call.
QString causeOf(int errorNumber) {
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

[[noreturn]] void fail(const QString& what, int errorNumber) {
    throw ProgramError(QStringLiteral("%1: %2.").arg(what, causeOf(errorNumber)));
}

// The whole current content; a null array when there is no file yet.
QByteArray readWholeFile(const QString& path, const QString& failureText) {
    if (!QFileInfo::exists(path))
        return {};
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        fail(failureText, errno);
    errno = 0;
    QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        fail(failureText, errno);
    if (content.isNull())
        content = QByteArray(""); // an empty file is still a file
    return content;
}

// Overwrites the record at the start of the existing file; the bytes after it stay.
bool writeInPlace(const QString& path, const QByteArray& record) {
    QFile file(path);
    // ReadWrite opens without truncating; unbuffered, a failed write shows at once.
    return file.open(QIODevice::ReadWrite | QIODevice::Unbuffered) && file.write(record) == record.size();
}

} // namespace

void SetSettingsFolder(const QString& folder) {
    settingsFolder = folder;
}

QString SettingsFilePath() {
    const QDir folder = settingsFolder.isEmpty() ? QDir::current() : QDir(settingsFolder);
    return folder.absoluteFilePath(QStringLiteral("pgr.dat"));
}

bool SettingsFileExists() {
    const QFileInfo info(SettingsFilePath());
    return info.isFile() && !info.isHidden();
}

void ReadSettings() {
    const QString path = SettingsFilePath();
    const QString failureText =
        QStringLiteral("Die Einstellungsdatei „%1“ kann nicht gelesen werden").arg(path);
    const QFileInfo info(path);
    if (!info.isFile())
        fail(failureText, info.isDir() ? EISDIR : ENOENT);
    Settings = DecodeRecord(readWholeFile(path, failureText));
}

void WriteSettings() {
    const QString path = SettingsFilePath();
    const QString failureText =
        QStringLiteral("Die Einstellungsdatei „%1“ kann nicht gespeichert werden").arg(path);
    if (QFileInfo(path).isDir())
        fail(failureText, EISDIR);

    const QByteArray record = EncodeRecord(Settings);
    const QByteArray previous = readWholeFile(path, failureText);

    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    errno = 0;
    // Unbuffered: a write that fails (a full disk) fails here, where its cause is known; a
    // buffered one would only fail while committing, and the empty file would still be put in place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const int cause = errno;
        if (!previous.isNull() && writeInPlace(path, record))
            return;
        fail(failureText, cause);
    }
    const QByteArray content = record + previous.mid(RecordSize);
    errno = 0;
    if (file.write(content) != content.size()) {
        const int cause = errno;
        file.cancelWriting();
        fail(failureText, cause);
    }
    errno = 0;
    if (!file.commit())
        fail(failureText, errno);
}
