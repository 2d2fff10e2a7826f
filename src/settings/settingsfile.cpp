// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settingsfile.h"

#include "declarations.h"
#include "fileaccess.h"
#include "recordimage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace {

QString settingsFolder;

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
        FailWithFileError(failureText, info.isDir() ? EISDIR : ENOENT);
    Settings = DecodeRecord(ReadWholeFile(path, failureText));
}

void WriteSettings() {
    const QString path = SettingsFilePath();
    const QString failureText =
        QStringLiteral("Die Einstellungsdatei „%1“ kann nicht gespeichert werden").arg(path);
    if (QFileInfo(path).isDir())
        FailWithFileError(failureText, EISDIR);

    const QByteArray record = EncodeRecord(Settings);
    const QByteArray previous = ReadWholeFile(path, failureText);

    if (const std::optional<int> cause = ReplaceFile(path, record + previous.mid(RecordSize), failureText)) {
        // A folder that takes no new file may still hold a writable pgr.dat.
        if (previous.isNull() || !writeInPlace(path, record))
            FailWithFileError(failureText, *cause);
    }
}
