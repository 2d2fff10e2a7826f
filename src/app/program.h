// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Sets the running application up as Pilgrast Counter (name, icon, German
// standard buttons, message boxes, ending with its last window) and shows the
// main window. The caller then runs the event loop.
void StartProgram();
