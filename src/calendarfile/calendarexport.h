// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "serviceterm/servicecalendar.h"

#include <QByteArray>
#include <QString>

// The dates of the service as an iCalendar file (RFC 5545) that calendar programs import:
// the end of service as an event at its moment, in the local time zone; the milestones and
// own dates as all-day events with a reminder on their morning; each leave and each time
// off as an all-day event, the last day included; each duty period with its times. Every
// event keeps its UID from one export to the next, also when the end of service moves, so
// that a calendar updates it instead of adding another.
QByteArray CalendarFileText(const ServiceCalendar& calendar);

// Writes the file crash-safely, or to standard output for "-"; failures throw ProgramError
// naming the file and the cause, and leave no part of a file behind.
void WriteCalendarFile(const QString& path, const ServiceCalendar& calendar);

// The end of service as one event in the text that phone scanners turn into a calendar entry
// from a QR code: BEGIN:VEVENT ... END:VEVENT, "Pilgrast" at its moment in UTC, with a reminder
// the day before; empty without an end of service.
QByteArray EndOfServiceEventText(const ServiceCalendar& calendar);
