// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/singleinstance.h"
#include "app/windowsystem.h"
#include "calendarfile/calendarkeeper.h"
#include "commands.h"
#include "desktop/trayicon.h"
#include "program.h"
#include "services/starttrace.h"
#include "settings/settingsfile.h"

#include <QApplication>
#include <QGuiApplication>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// A standard stream the caller closed is held by /dev/null opened for reading: no file the
// program opens takes its number, and a write to it fails as on a closed stream.
void holdClosedStandardStreams() {
    for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (fcntl(stream, F_GETFD) != -1 || errno != EBADF)
            continue;
        const int placeholder = open("/dev/null", O_RDONLY);
        if (placeholder >= 0 && placeholder != stream) {
            dup2(placeholder, stream);
            close(placeholder);
        }
    }
}

// A job of the command line, without windows; the picture is drawn without a display.
int runCommand(const StartOptions& options, int& argc, char** argv) {
    if (options.command == Command::ExportPicture) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        const QGuiApplication app(argc, argv);
        return RunPictureExport(options);
    }
    const QCoreApplication app(argc, argv);
    switch (options.command) {
    case Command::Status:
        return RunStatus(options);
    case Command::ExportCode:
        return RunCodeExport(options);
    default:
        return RunCalendarExport(options);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    TraceStart("main");
    holdClosedStandardStreams();
    const auto options = ReadStartOptions(argc, argv);
    if (const int* exitStatus = std::get_if<int>(&options))
        return *exitStatus;
    if (std::get<StartOptions>(options).command != Command::Count)
        return runCommand(std::get<StartOptions>(options), argc, argv);

    ChooseWindowSystem();
    KeepWakeUpsFew();
    QApplication app(argc, argv);
    TraceStart("application");
    const QString settingsFolder = SettingsFolderFor(std::get<StartOptions>(options));
    SetSettingsFolder(settingsFolder);
    SingleInstance counter;
    if (!counter.claim(settingsFolder))
        return 0; // the counter already running for these settings came to the front
    QObject::connect(&counter, &SingleInstance::frontWanted, &BringCounterToFront);
    TraceStart("one counter per folder");

    const CalendarFileKeeper calendarFile; // from the first reading of the term on
    StartProgram();
    // What only the desktop needs comes once the first frame is out.
    std::unique_ptr<CounterTray> tray;
    SessionBusServices sessionBus;
    AfterFirstFrame([&] {
        tray = StartTray();
        sessionBus = StartSessionBusServices();
        TraceStart("tray, dock and notifications");
    });
    return QApplication::exec();
}
