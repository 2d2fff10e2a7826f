// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windowsentry.h"

#include "app/imagecommands.h"
#include "app/program.h"
#include "app/singleinstance.h"
#include "app/windowsystem.h"
#include "calendarfile/calendarkeeper.h"
#include "desktop/trayicon.h"
#include "services/starttrace.h"
#include "settings/settingsfile.h"

#include <QApplication>
#include <QGuiApplication>

namespace {

// A job of the command line that draws; the picture is drawn without a display.
int runDrawingJob(const StartOptions& options, int& argc, char** argv) {
    if (options.command == Command::ExportPicture) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        const QGuiApplication app(argc, argv);
        return RunPictureExport(options);
    }
    const QCoreApplication app(argc, argv);
    return RunCodeExport(options);
}

int runWindows(const StartOptions& options, int& argc, char** argv) {
    ChooseWindowSystem();
    KeepWakeUpsFew();
    QApplication app(argc, argv);
    TraceStart("application");
    const QString settingsFolder = SettingsFolderFor(options);
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

} // namespace

extern "C" int PilgrastWindowsMain(int* argc, char** argv, const StartOptions* options) {
    TraceStart("windows loaded");
    if (options->command == Command::Count)
        return runWindows(*options, *argc, argv);
    return runDrawingJob(*options, *argc, argv);
}
