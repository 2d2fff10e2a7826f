// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/commandline.h"

// The jobs of the command line that draw, as commands.h's jobs do their work.

// --export-png FILE [--with-name]; needs a QGuiApplication, which may be offscreen.
int RunPictureExport(const StartOptions& options);
// --export-qr FILE; needs a QCoreApplication.
int RunCodeExport(const StartOptions& options);
