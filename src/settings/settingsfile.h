#pragma once

#include <QString>

// pgr.dat in the current directory: the one place the settings are kept.
// Each operation opens the file, does its one transfer and closes it again.
// Failures throw ProgramError with a German description.

// True when pgr.dat exists in the current directory as an ordinary, visible file.
bool SettingsFileExists();

// Reads the record into Settings. Settings is left as it was when reading fails.
void ReadSettings();

// Writes Settings as the record. The new file is written in full beside the old one
// and then put in its place, so pgr.dat is never left torn or empty; every byte
// after the record is kept. On failure the previous file stays as it was.
void WriteSettings();

// The path of pgr.dat in the current directory.
QString SettingsFilePath();
