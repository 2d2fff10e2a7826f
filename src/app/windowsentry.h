// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/commandline.h"

// The windows, the picture and the code live in a module of their own (pilgrast-windows.so)
// that the program loads only for a start that needs them, so that the status line and the
// calendar file are written without Qt Gui, Widgets or D-Bus. This is its one entry point.

// Runs the windows (Command::Count) or a job that draws (the picture, the code) to its end;
// the exit status. The caller has made no application object.
extern "C" int PilgrastWindowsMain(int* argc, char** argv, const StartOptions* options);

// The module's file name, and its entry point's name as the loader looks it up.
inline constexpr char WindowsModuleName[] = "pilgrast-windows.so";
inline constexpr char WindowsEntryName[] = "PilgrastWindowsMain";
using WindowsEntry = decltype(&PilgrastWindowsMain);
