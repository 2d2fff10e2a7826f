// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>
#include <variant>

// What a start is for: counting in the windows, or one job on the command line.
enum class Command {
    Count,          // the windows
    Status,         // --status[=FORMAT], with --follow
    ExportCalendar, // --export-ics FILE
    ExportPicture,  // --export-png FILE, with --with-name
    ExportCode,     // --export-qr FILE
};

// What the command line asks of a start.
struct StartOptions {
    bool userFolder = false; // keep pgr.dat in the user's settings folder
    Command command = Command::Count;
    QString statusFormat = QStringLiteral("text");
    bool follow = false;
    QString file;          // the file the export writes; "-" for standard output
    bool withName = false; // the picture shows the name line
};

// Gives the running application the program's name and version.
void NameTheProgram();

// Reads the command line (the program's name first). Returns the options, or the exit
// status when the program ends at once: 0 after --help or --version, 2 after an
// unknown option or argument, each having said what it had to on the terminal.
// Needs an application object for the parser's texts.
std::variant<StartOptions, int> ReadCommandLine(const QStringList& arguments);

// The folder pgr.dat is kept in: with --user-folder $XDG_CONFIG_HOME/pilgrast
// (~/.config/pilgrast by default), created when missing and asked for; otherwise
// empty, which stands for the current directory.
QString SettingsFolderFor(const StartOptions& options, bool create = true);

// The folder the command-line jobs read: that of --user-folder; otherwise the current
// directory, or, where it holds no pgr.dat, the user's settings folder when that holds one,
// so that a job typed in any folder finds the settings saved from the menu entry.
QString CommandSettingsFolder(const StartOptions& options);
