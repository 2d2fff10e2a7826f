// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/commandline.h"

// The jobs of the command line that need no window: each reads the settings as the
// program finds them, takes no single-counter lock, and says what went wrong in one
// German line on standard error, ending with exit status 1.

// --status[=FORMAT] [--follow]; needs a QCoreApplication.
int RunStatus(const StartOptions& options);
// --export-ics FILE; needs a QCoreApplication.
int RunCalendarExport(const StartOptions& options);
// --export-png FILE [--with-name]; needs a QGuiApplication, which may be offscreen.
int RunPictureExport(const StartOptions& options);
// --export-qr FILE; needs a QCoreApplication.
int RunCodeExport(const StartOptions& options);
