// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/commandline.h"

#include <functional>

// The jobs of the command line that need no window: each reads the settings as the
// program finds them, takes no single-counter lock, and says what went wrong in one
// German line on standard error, ending with exit status 1.

// These need no more than QtCore and libical; the jobs that draw are in imagecommands.h.

// --status[=FORMAT] [--follow]; needs a QCoreApplication.
int RunStatus(const StartOptions& options);
// --export-ics FILE; needs a QCoreApplication.
int RunCalendarExport(const StartOptions& options);

// Reads the settings, then runs a job that writes what they hold; a ProgramError it
// throws is told. The exit status.
int RunWithSettings(const StartOptions& options, const std::function<void()>& job);
