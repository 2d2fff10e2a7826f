// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Loads Qt's own German translation, so that standard buttons read "Ja", "Nein" and "OK"
// and the command line's help reads German, whatever the system language. Returns false
// when it is not installed. Loaded once; later calls only say it is there.
bool InstallGermanTranslation();
