// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// pgr.dat stores one byte per character in the Windows-1252 code page.

// The bytes of the text, or nothing when a character has no Windows-1252 byte.
std::optional<QByteArray> ToWindows1252(const QString& text);

// True when every character of the text can be stored.
bool FitsWindows1252(const QString& text);

// The characters of the bytes. The five byte values that Windows-1252 leaves
// unassigned read as the control characters of the same number, as Windows reads
// them, so that any file can be read and written back unchanged.
QString FromWindows1252(const QByteArray& bytes);
