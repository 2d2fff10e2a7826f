// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The public holidays of a place of duty in Germany, Austria or Switzerland, computed for
// any year from the holiday laws: what holds in the whole state or canton, and the local
// days (a holiday of part of a state, a patron's day, a canton's optional day) that count
// only once the user ticks them. A region is named by its ISO 3166-2 code ("DE-BY", "AT-9",
// "CH-ZH"), by the country's code for the days that hold in the whole country, or by nothing.

struct PublicHoliday {
    QDate date;
    QString name;
};

struct HolidayRegion {
    QString code; // "DE-BY"; "DE" for the nationwide holidays only
    QString name; // as the user picks it
};

struct HolidayCountry {
    QString code; // "DE", "AT", "CH"
    QString name;
    QList<HolidayRegion> regions; // its states or cantons by name, then the country's own code
};

// Germany, Austria and Switzerland.
const QList<HolidayCountry>& HolidayCountries();

// The code the program keeps for a region as written: "DE-BY" for "DE-BY" and for the
// two-letter German "BY" of older files, empty for empty; nothing for no region.
std::optional<QString> RegionCode(const QString& text);

// "DE", "AT" or "CH" for a region's code; empty for none.
QString CountryOf(const QString& regionCode);

// A day that holds in part of the region only or is not generally a day off there, and
// counts once the user ticks it; key is how the settings file names it.
struct LocalHoliday {
    QString key;
    QString name;
};
QList<LocalHoliday> LocalHolidays(const QString& regionCode);

// Easter Sunday of the Gregorian calendar.
QDate EasterSunday(int year);

// The year's holidays in the region (also under an older German two-letter code) with the
// local days whose keys are given, in the order of the calendar.
QList<PublicHoliday> PublicHolidays(const QString& regionCode, int year, const QStringList& localDays = {});
