// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QtGlobal>

// A date value: days since 30 December 1899 (day 0) on the local wall clock, the
// time of day as the fraction. A time of day alone has day number 0; a calendar
// date alone has fraction 0. Every value stands for a whole second.
using DateValue = double;

enum class DateInterval { Days, Hours, Minutes, Seconds, Weeks };

// First day of the week for DateDiff and Weekday.
constexpr int vbSunday = 1;
constexpr int vbMonday = 2;

DateValue Now(); // the current date and time, to the whole second
// The wall-clock date and time of the instant, to the whole second.
DateValue DateValueOf(const QDateTime& instant);
DateValue Date(); // today at 00:00
DateValue Time(); // the current time of day, day number 0

// Reads "d.m.yyyy", "h:mm", "h:mm:ss" or a date, blanks and a time (blanks around
// are ignored). Anything else throws ProgramError naming the text.
DateValue CDate(const QString& text);
// True exactly when CDate of the text succeeds.
bool IsDate(const QString& text);

// Counts the unit boundaries crossed from a to b (negative when b lies before a).
// Weeks count the first days of the week after a's date up to and including b's.
qint64 DateDiff(DateInterval interval, DateValue a, DateValue b, int firstDayOfWeek = vbSunday);

// The day's place in the week, 1 to 7, counted from firstDayOfWeek.
int Weekday(DateValue value, int firstDayOfWeek);

// A calendar day and its day number (days since day 0, 30 December 1899).
qint64 DayNumber(QDate date);
QDate CalendarDate(qint64 dayNumber);

// Narrowing of counts; throws ProgramError("Überlauf ...") outside the range.
qint16 ToInt16(qint64 value);
qint32 ToInt32(qint64 value);
