// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Starting with the session, the freedesktop way: an entry in the user's autostart
// folder ($XDG_CONFIG_HOME/autostart) that starts the program as the menu entry does.

QString AutostartEntryPath();
bool AutostartEnabled();

// Writes or removes the entry. Throws ProgramError with a German description.
void SetAutostart(bool enabled);

// The entry's text for the program at the path.
QString AutostartEntry(const QString& programPath);
