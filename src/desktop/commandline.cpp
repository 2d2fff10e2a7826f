// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>

namespace {

void printTo(std::FILE* stream, const QString& text) {
    std::fputs(qPrintable(text), stream);
}

// An option's name as it was typed: "-x" or "--name".
QString asTyped(const QString& name) {
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

// Says what is wrong with the command line; the exit status for that.
int refuse(const QString& program, const QString& problem) {
    printTo(stderr, QStringLiteral("%1: %2\n„%1 --help“ zeigt die Optionen.\n").arg(program, problem));
    return 2;
}

} // namespace

std::variant<StartOptions, int> ReadCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Pilgrast Counter zählt die verbleibende Dienstzeit in Wochen, Tagen, Stunden, Minuten "
        "und Sekunden.\nOhne Option stehen die Einstellungen (pgr.dat) im aktuellen Ordner.\n"
        "Bietet die Arbeitsfläche einen Infobereich, zeigt ein Symbol dort den Stand; sein Menü\n"
        "enthält die Befehle des Hauptfensters und „Beim Anmelden starten“, das den Counter mit\n"
        "der Sitzung startet (Eintrag in $XDG_CONFIG_HOME/autostart)."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption userFolder(
        QStringLiteral("user-folder"),
        QStringLiteral(
            "Die Einstellungen im Einstellungsordner des Benutzers halten: $XDG_CONFIG_HOME/pilgrast, "
            "sonst ~/.config/pilgrast. So starten Menü- und Autostart-Eintrag das Programm."));
    parser.addOption(userFolder);

    const QString program = QFileInfo(arguments.value(0)).fileName();
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        return refuse(program, unknown.isEmpty()
                                   ? parser.errorText()
                                   : QStringLiteral("Unbekannte Option „%1“.").arg(asTyped(unknown.first())));
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        printTo(stdout, parser.helpText());
        return 0;
    }
    if (parser.isSet(version)) {
        printTo(stdout, QCoreApplication::applicationName() + QLatin1Char(' ') +
                            QCoreApplication::applicationVersion() + QLatin1Char('\n'));
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return refuse(
            program, QStringLiteral("Unerwartetes Argument „%1“.").arg(parser.positionalArguments().first()));
    return StartOptions{parser.isSet(userFolder)};
}

QString SettingsFolderFor(const StartOptions& options) {
    if (!options.userFolder)
        return {};
    const QString folder = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
                               .filePath(QStringLiteral("pilgrast"));
    // A folder that cannot be made shows up as a save error naming the cause.
    QDir().mkpath(folder);
    return folder;
}
