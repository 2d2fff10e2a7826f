// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// pgr.dat: the one place the settings are kept, in the settings folder (the current
// directory unless the program was told another one). Each operation opens the file,
// does its one transfer and closes it again. Failures throw ProgramError with a
// German description that names the file and the cause.

// The folder pgr.dat is kept in; empty means the current directory at each access.
void SetSettingsFolder(const QString& folder);

// True when pgr.dat exists in the settings folder as an ordinary, visible file.
bool SettingsFileExists();

// Reads the record into Settings. Settings is left as it was when reading fails.
void ReadSettings();

// Writes Settings as the record. The new file is written in full beside the old one
// and then put in its place, so pgr.dat is never left torn or empty; every byte
// after the record is kept. A folder that takes no new file but holds a writable
// pgr.dat gets the record written into that file in place. On failure the previous
// file stays as it was.
void WriteSettings();

// The path of pgr.dat in the settings folder.
QString SettingsFilePath();
