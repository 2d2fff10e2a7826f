// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Fixed-width text fields: a value is stored left-aligned, padded with blanks on
// the right or cut to the width, and always read back with all its characters.
QString LeftAligned(const QString& text, int width);

// Removes blanks (U+0020) before and after the text, and nothing else.
QString TrimBlanks(const QString& text);
