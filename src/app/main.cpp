// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/singleinstance.h"
#include "desktop/trayicon.h"
#include "desktop/windowsystem.h"
#include "program.h"
#include "settings/settingsfile.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    ChooseWindowSystem();
    const auto options = ReadStartOptions(argc, argv);
    if (const int* exitStatus = std::get_if<int>(&options))
        return *exitStatus;

    QApplication app(argc, argv);
    const QString settingsFolder = SettingsFolderFor(std::get<StartOptions>(options));
    SetSettingsFolder(settingsFolder);
    SingleInstance counter;
    if (!counter.claim(settingsFolder))
        return 0; // the counter already running for these settings came to the front
    QObject::connect(&counter, &SingleInstance::frontWanted, &BringCounterToFront);

    StartProgram();
    const std::unique_ptr<CounterTray> tray = StartTray();
    const SessionBusServices sessionBus = StartSessionBusServices();
    return QApplication::exec();
}
