// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDate>
#include <QList>
#include <QString>

// The public holidays of a German state that hold in the whole state, as the laws
// have them since 1995: the nine nationwide ones, each state's own, and the one-off
// days. Holidays of parts of a state only (Mariä Himmelfahrt in Bavaria, Fronleichnam
// in parts of Saxony and Thuringia, Augsburg's Friedensfest) are not among them.

struct PublicHoliday {
    QDate date;
    QString name;
};

struct HolidayRegion {
    QString code; // "BY", "DE" for the nationwide holidays only, empty for none
    QString name; // as the user picks it
};

// The sixteen states in alphabetical order of their names, then "DE" and "" (no holidays).
const QList<HolidayRegion>& HolidayRegions();

// True for a code of HolidayRegions().
bool IsHolidayRegion(const QString& code);

// Easter Sunday of the Gregorian calendar.
QDate EasterSunday(int year);

// The year's holidays in the region, in the order of the calendar.
QList<PublicHoliday> PublicHolidays(const QString& regionCode, int year);
