// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "declarations.h"

#include <QByteArray>

// The 96-byte image of the settings record in pgr.dat: packed fields, 16-bit
// little-endian integers, one Windows-1252 byte per character.
constexpr qsizetype RecordSize = 96;

// Throws ProgramError when a text field holds a character Windows-1252 cannot store.
QByteArray EncodeRecord(const SettingsRecord& record);

// Reads the first 96 bytes; what a shorter image lacks reads as blanks and 0.
SettingsRecord DecodeRecord(const QByteArray& image);
