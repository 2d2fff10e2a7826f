// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commands.h"

#include "calendarfile/calendarexport.h"
#include "services/programerror.h"
#include "settings/settingsfile.h"
#include "statusoutput/statusfollower.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

int failWith(const QString& cause) {
    std::fputs(qPrintable(QStringLiteral("pilgrast: %1\n").arg(cause)), stderr);
    return 1;
}

// The settings as the program finds them, read without writing anything.
QString readSettingsOf(const StartOptions& options) {
    SetSettingsFolder(CommandSettingsFolder(options));
    return ReadCounterFiles();
}

} // namespace

int RunWithSettings(const StartOptions& options, const std::function<void()>& job) {
    if (const QString problem = readSettingsOf(options); !problem.isEmpty())
        return failWith(problem);
    try {
        job();
    } catch (const ProgramError& error) {
        return failWith(error.description());
    }
    return 0;
}

int RunStatus(const StartOptions& options) {
    const std::optional<StatusFormat> format = ReadStatusFormat(options.statusFormat);
    if (!format)
        return failWith(
            QStringLiteral("Das Format „%1“ gibt es nicht; es gibt text, json, i3blocks und genmon.")
                .arg(options.statusFormat));
    SetSettingsFolder(CommandSettingsFolder(options));
    StatusFollower status(*format, options.follow);
    if (const QString problem = status.printNow(); !problem.isEmpty())
        return failWith(problem);
    if (!options.follow)
        return 0;
    status.follow();
    return QCoreApplication::exec();
}

int RunCalendarExport(const StartOptions& options) {
    return RunWithSettings(options, [&] { WriteCalendarFile(options.file, TermCalendar); });
}
