// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "autostart.h"

#include "services/programerror.h"
#include "settings/fileaccess.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>

QString AutostartEntryPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("autostart/de.pilgrast.counter.desktop"));
}

bool AutostartEnabled() {
    return QFileInfo(AutostartEntryPath()).isFile();
}

namespace {

// The program's path as one quoted argument of Exec: escaped for the quotes, then for
// the entry's string rules, and "%" doubled so that it is no field code.
QString quotedForExec(const QString& path) {
    QString quoted;
    for (const QChar ch : path) {
        if (ch == QLatin1Char('\\'))
            quoted += QStringLiteral("\\\\\\\\");
        else if (ch == QLatin1Char('"') || ch == QLatin1Char('`') || ch == QLatin1Char('$'))
            quoted += QStringLiteral("\\\\") + ch;
        else if (ch == QLatin1Char('%'))
            quoted += QStringLiteral("%%");
        else
            quoted += ch;
    }
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QString AutostartEntry(const QString& programPath) {
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Pilgrast Counter\n"
                          "Comment=Zählt die verbleibende Dienstzeit\n"
                          "Exec=%1 --user-folder\n"
                          "Icon=de.pilgrast.counter\n"
                          "Terminal=false\n")
        .arg(quotedForExec(programPath));
}

void SetAutostart(bool enabled) {
    const QString path = AutostartEntryPath();
    if (!enabled) {
        if (QFileInfo::exists(path) && !QFile::remove(path))
            throw ProgramError(
                QStringLiteral("Der Autostart-Eintrag „%1“ kann nicht entfernt werden.").arg(path));
        return;
    }
    const QString failureText =
        QStringLiteral("Der Autostart-Eintrag „%1“ kann nicht geschrieben werden").arg(path);
    errno = 0;
    if (!QDir().mkpath(QFileInfo(path).path()))
        FailWithFileError(failureText, errno);
    const QByteArray entry = AutostartEntry(QCoreApplication::applicationFilePath()).toUtf8();
    if (const std::optional<int> cause = ReplaceFile(path, entry, failureText))
        FailWithFileError(failureText, *cause);
}
