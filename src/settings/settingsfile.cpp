#include "settingsfile.h"

#include "declarations.h"
#include "recordimage.h"
#include "services/programerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString reasonOf(const QFileDevice& file) {
    switch (file.error()) {
    case QFileDevice::PermissionsError:
        return QStringLiteral("Zugriff verweigert");
    case QFileDevice::OpenError:
        return QStringLiteral("die Datei lässt sich nicht öffnen");
    case QFileDevice::ReadError:
        return QStringLiteral("Lesefehler");
    case QFileDevice::WriteError:
        return QStringLiteral("Schreibfehler, vielleicht ist der Datenträger voll");
    case QFileDevice::RenameError:
        return QStringLiteral("die neue Datei kann nicht an die Stelle der alten treten");
    default:
        return QStringLiteral("Dateifehler");
    }
}

[[noreturn]] void fail(const QString& what, const QFileDevice& file) {
    throw ProgramError(QStringLiteral("%1 (%2: %3).").arg(what, reasonOf(file), file.errorString()));
}

// The whole current content, or an empty array when there is no file yet.
QByteArray readWholeFile(const QString& path, const QString& failureText) {
    QFile file(path);
    if (!QFileInfo::exists(path))
        return {};
    if (!file.open(QIODevice::ReadOnly))
        fail(failureText, file);
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        fail(failureText, file);
    return content;
}

} // namespace

QString SettingsFilePath() {
    return QDir::current().filePath(QStringLiteral("pgr.dat"));
}

bool SettingsFileExists() {
    const QFileInfo info(SettingsFilePath());
    return info.isFile() && !info.isHidden();
}

void ReadSettings() {
    const QString path = SettingsFilePath();
    if (!QFileInfo(path).isFile())
        throw ProgramError(QStringLiteral("Die Einstellungsdatei %1 ist keine lesbare Datei.").arg(path));
    const QByteArray content =
        readWholeFile(path, QStringLiteral("Die Einstellungsdatei %1 kann nicht gelesen werden").arg(path));
    Settings = DecodeRecord(content);
}

void WriteSettings() {
    const QString path = SettingsFilePath();
    const QString failureText =
        QStringLiteral("Die Einstellungsdatei %1 kann nicht gespeichert werden").arg(path);
    if (QFileInfo(path).isDir())
        throw ProgramError(failureText + QStringLiteral(" (an ihrer Stelle steht ein Ordner)."));

    const QByteArray record = EncodeRecord(Settings);
    const QByteArray previous = readWholeFile(path, failureText);

    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        fail(failureText, file);
    file.write(record);
    file.write(previous.mid(RecordSize));
    if (!file.commit())
        fail(failureText, file);
}
