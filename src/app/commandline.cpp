// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commandline.h"

#include "services/translation.h"

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

// Qt's parser says in English what else is wrong: a value missing after the last option, or
// a value given to a switch.
QString parseProblem(const QCommandLineParser& parser, const QStringList& arguments) {
    if (const QStringList unknown = parser.unknownOptionNames(); !unknown.isEmpty())
        return QStringLiteral("Unbekannte Option „%1“.").arg(asTyped(unknown.first()));
    const QString& last = arguments.last();
    if (last == QLatin1String("--export-ics") || last == QLatin1String("--export-png") ||
        last == QLatin1String("--export-qr"))
        return QStringLiteral("Die Option „%1“ braucht einen Dateinamen: „%1 DATEI“.").arg(last);
    for (const QString& argument : arguments)
        if (argument.startsWith(QLatin1String("--")) && argument.contains(QLatin1Char('=')) &&
            !argument.startsWith(QLatin1String("--status=")) &&
            !argument.startsWith(QLatin1String("--export-")))
            return QStringLiteral("Die Option „%1“ nimmt keinen Wert.")
                .arg(argument.section(QLatin1Char('='), 0, 0));
    return parser.errorText();
}

// An argument that stands alone; a format after "--status " is meant with "=".
QString unexpectedArgument(const QString& argument, const QStringList& arguments) {
    const QString problem = QStringLiteral("Unerwartetes Argument „%1“.").arg(argument);
    const qsizetype at = arguments.indexOf(argument);
    if (at > 0 && arguments.at(at - 1) == QLatin1String("--status"))
        return problem + QStringLiteral(" Das Format schließt mit „=“ an: --status=%1.").arg(argument);
    return problem;
}

QString userSettingsFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("pilgrast"));
}

} // namespace

namespace {

// "--status" alone asks for the text format.
QStringList withStatusFormat(QStringList arguments) {
    for (QString& argument : arguments)
        if (argument == QLatin1String("--status"))
            argument = QStringLiteral("--status=text");
    return arguments;
}

// What the options ask for, or the complaint about them.
std::variant<StartOptions, QString> optionsOf(const QCommandLineParser& parser) {
    StartOptions options;
    options.userFolder = parser.isSet(QStringLiteral("user-folder"));
    const QStringList commands = {QStringLiteral("status"), QStringLiteral("export-ics"),
                                  QStringLiteral("export-png"), QStringLiteral("export-qr")};
    int given = 0;
    for (const QString& command : commands)
        given += parser.isSet(command) ? 1 : 0;
    if (given > 1)
        return QStringLiteral(
            "Nur eine der Optionen --status, --export-ics, --export-png und --export-qr auf einmal.");
    if (parser.isSet(QStringLiteral("status"))) {
        options.command = Command::Status;
        options.statusFormat = parser.value(QStringLiteral("status"));
    } else if (parser.isSet(QStringLiteral("export-ics"))) {
        options.command = Command::ExportCalendar;
        options.file = parser.value(QStringLiteral("export-ics"));
    } else if (parser.isSet(QStringLiteral("export-png"))) {
        options.command = Command::ExportPicture;
        options.file = parser.value(QStringLiteral("export-png"));
    } else if (parser.isSet(QStringLiteral("export-qr"))) {
        options.command = Command::ExportCode;
        options.file = parser.value(QStringLiteral("export-qr"));
    }
    options.follow = parser.isSet(QStringLiteral("follow"));
    options.withName = parser.isSet(QStringLiteral("with-name"));
    if (options.follow && options.command != Command::Status)
        return QStringLiteral("--follow gilt nur mit --status.");
    if (options.withName && options.command != Command::ExportPicture)
        return QStringLiteral("--with-name gilt nur mit --export-png.");
    return options;
}

} // namespace

void NameTheProgram() {
    QCoreApplication::setApplicationName(QStringLiteral("Pilgrast Counter"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.0"));
}

std::variant<StartOptions, int> ReadCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Pilgrast Counter zählt die verbleibende Dienstzeit in Wochen, Tagen, Stunden, Minuten "
        "und Sekunden.\nOhne Option stehen die Einstellungen (pgr.dat) im aktuellen Ordner.\n"
        "Bietet die Arbeitsfläche einen Infobereich, zeigt ein Symbol dort den Stand; sein Menü\n"
        "enthält die Befehle des Hauptfensters und „Beim Anmelden starten“, das den Counter mit\n"
        "der Sitzung startet (Eintrag in $XDG_CONFIG_HOME/autostart).\n"
        "Mit --status, --export-ics, --export-png oder --export-qr erledigt es nur diese Aufgabe, ohne\n"
        "Fenster; Exit-Status 1, wenn sie nicht gelingt (die Ursache steht auf der Standardfehlerausgabe),\n"
        "2 bei einer unbekannten Option."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addOptions({
        {QStringLiteral("user-folder"),
         QStringLiteral(
             "Die Einstellungen im Einstellungsordner des Benutzers halten: $XDG_CONFIG_HOME/pilgrast, "
             "sonst ~/.config/pilgrast. So starten Menü- und Autostart-Eintrag das Programm.")},
        {QStringLiteral("status"),
         QStringLiteral("Den Stand für Statusleisten ausgeben und enden; FORMAT: text (auch ohne =FORMAT), "
                        "json (waybar), i3blocks, genmon (Xfce)."),
         QStringLiteral("FORMAT")},
        {QStringLiteral("follow"),
         QStringLiteral("Mit --status: weiterlaufen und bei jeder Änderung eine neue Zeile ausgeben.")},
        {QStringLiteral("export-ics"),
         QStringLiteral("Die Dienstzeit als iCalendar-Datei schreiben (- für die Standardausgabe)."),
         QStringLiteral("DATEI")},
        {QStringLiteral("export-png"),
         QStringLiteral("Den Kalender der Dienstzeit mit Maßband als PNG-Bild schreiben."),
         QStringLiteral("DATEI")},
        {QStringLiteral("with-name"), QStringLiteral("Mit --export-png: die Namenszeile ins Bild nehmen.")},
        {QStringLiteral("export-qr"),
         QStringLiteral("Das Pilgrast als QR-Code (PNG) schreiben, den das Handy als Kalendertermin liest "
                        "(- für die Standardausgabe)."),
         QStringLiteral("DATEI")},
    });

    const QString program = QFileInfo(arguments.value(0)).fileName();
    if (!parser.parse(withStatusFormat(arguments))) {
        InstallGermanTranslation();
        return refuse(program, parseProblem(parser, arguments));
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        InstallGermanTranslation();
        printTo(stdout, parser.helpText());
        return 0;
    }
    if (parser.isSet(version)) {
        printTo(stdout, QCoreApplication::applicationName() + QLatin1Char(' ') +
                            QCoreApplication::applicationVersion() + QLatin1Char('\n'));
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return refuse(program, unexpectedArgument(parser.positionalArguments().first(), arguments));
    std::variant<StartOptions, QString> options = optionsOf(parser);
    if (const QString* problem = std::get_if<QString>(&options))
        return refuse(program, *problem);
    return std::get<StartOptions>(options);
}

QString SettingsFolderFor(const StartOptions& options, bool create) {
    if (!options.userFolder)
        return {};
    const QString folder = userSettingsFolder();
    // A folder that cannot be made shows up as a save error naming the cause.
    if (create)
        QDir().mkpath(folder);
    return folder;
}

QString CommandSettingsFolder(const StartOptions& options) {
    if (options.userFolder || QFileInfo::exists(QStringLiteral("pgr.dat")))
        return SettingsFolderFor(options, false);
    const QString menuFolder = userSettingsFolder();
    return QFileInfo::exists(QDir(menuFolder).filePath(QStringLiteral("pgr.dat"))) ? menuFolder : QString();
}
