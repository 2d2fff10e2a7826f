// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "serviceterm/servicecalendar.h"

#include <QImage>

// The end of service as a code to scan: a phone's camera or scanner app reads it as one
// calendar entry, "Pilgrast" at its moment with a reminder the day before.

// The text as a QR code, black on white, `scale` pixels a module and the quiet zone of four
// modules around; a null image for a text too long for a code.
QImage QrCodeImage(const QByteArray& text, int scale);

// The end of service's code, `scale` pixels a module (6 reads from a phone held to a screen or
// a printed page, 4 in a window); a null image without an end of service.
QImage EndOfServiceCode(const ServiceCalendar& calendar, int scale = 6);

// Writes the code as PNG, crash-safely, or to standard output for "-"; failures throw
// ProgramError naming the file and the cause.
void WriteEndOfServiceCode(const QString& path, const ServiceCalendar& calendar);
