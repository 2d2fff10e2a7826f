// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/commandline.h"
#include "desktop/dockentry.h"
#include "desktop/milestonenotifier.h"

#include <functional>
#include <memory>

class CounterTray;

// Sets the running application up as Pilgrast Counter: name, icon, German
// standard buttons, message boxes, ending with its last window.
void SetUpProgram();

// SetUpProgram, then the main window. The caller then runs the event loop.
void StartProgram();

// Runs the action once the program's first window has been drawn, so that nothing the
// first frame does not need comes before it; at the latest within half a second.
void AfterFirstFrame(std::function<void()> action);

// The window's content travels to the X server with its drawing commands instead of
// through shared memory, which needs a round trip, and so a second wake-up, every second.
// A choice the user made in the environment holds.
void KeepWakeUpsFew();

// The tray icon, wired to the windows' commands. It shows while a counting window is open.
std::unique_ptr<CounterTray> StartTray();

// The count on the dock's icon and the milestone notifications, on the session bus.
struct SessionBusServices {
    std::unique_ptr<DockEntry> dock;
    std::unique_ptr<MilestoneNotifier> notifier;
};
SessionBusServices StartSessionBusServices();

// Whether the main window or the countdown window is open.
bool CountWindowOpen();

// Brings the counter's open window to the front, restored when minimised.
void BringCounterToFront();
