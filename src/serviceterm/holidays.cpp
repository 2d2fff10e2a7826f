// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "holidays.h"

#include <algorithm>

namespace {

bool among(const QString& code, std::initializer_list<const char*> codes) {
    return std::any_of(codes.begin(), codes.end(), [&](const char* c) { return code == QLatin1String(c); });
}

// Buß- und Bettag: the Wednesday before 23 November.
QDate repentanceDay(int year) {
    const QDate eve(year, 11, 22);
    return eve.addDays(-((eve.dayOfWeek() - Qt::Wednesday + 7) % 7));
}

} // namespace

const QList<HolidayRegion>& HolidayRegions() {
    static const QList<HolidayRegion> regions = {
        {QStringLiteral("BW"), QStringLiteral("Baden-Württemberg")},
        {QStringLiteral("BY"), QStringLiteral("Bayern")},
        {QStringLiteral("BE"), QStringLiteral("Berlin")},
        {QStringLiteral("BB"), QStringLiteral("Brandenburg")},
        {QStringLiteral("HB"), QStringLiteral("Bremen")},
        {QStringLiteral("HH"), QStringLiteral("Hamburg")},
        {QStringLiteral("HE"), QStringLiteral("Hessen")},
        {QStringLiteral("MV"), QStringLiteral("Mecklenburg-Vorpommern")},
        {QStringLiteral("NI"), QStringLiteral("Niedersachsen")},
        {QStringLiteral("NW"), QStringLiteral("Nordrhein-Westfalen")},
        {QStringLiteral("RP"), QStringLiteral("Rheinland-Pfalz")},
        {QStringLiteral("SL"), QStringLiteral("Saarland")},
        {QStringLiteral("SN"), QStringLiteral("Sachsen")},
        {QStringLiteral("ST"), QStringLiteral("Sachsen-Anhalt")},
        {QStringLiteral("SH"), QStringLiteral("Schleswig-Holstein")},
        {QStringLiteral("TH"), QStringLiteral("Thüringen")},
        {QStringLiteral("DE"), QStringLiteral("nur bundesweite Feiertage")},
        {QString(), QStringLiteral("keine Feiertage")},
    };
    return regions;
}

bool IsHolidayRegion(const QString& code) {
    const QList<HolidayRegion>& regions = HolidayRegions();
    return std::any_of(regions.begin(), regions.end(),
                       [&](const HolidayRegion& r) { return r.code == code; });
}

QDate EasterSunday(int year) {
    // The anonymous Gregorian algorithm (Meeus/Jones/Butcher).
    const int a = year % 19;
    const int b = year / 100;
    const int c = year % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return QDate(year, month, day);
}

QList<PublicHoliday> PublicHolidays(const QString& regionCode, int year) {
    if (regionCode.isEmpty() || !IsHolidayRegion(regionCode))
        return {};
    const QString& r = regionCode;
    const QDate easter = EasterSunday(year);
    QList<PublicHoliday> days;
    const auto add = [&](bool holds, QDate date, const char* name) {
        if (holds)
            days.append({date, QString::fromUtf8(name)});
    };
    add(true, QDate(year, 1, 1), "Neujahr");
    add(among(r, {"BW", "BY", "ST"}), QDate(year, 1, 6), "Heilige Drei Könige");
    add((r == QLatin1String("BE") && year >= 2019) || (r == QLatin1String("MV") && year >= 2023),
        QDate(year, 3, 8), "Internationaler Frauentag");
    add(true, easter.addDays(-2), "Karfreitag");
    add(r == QLatin1String("BB"), easter, "Ostersonntag");
    add(true, easter.addDays(1), "Ostermontag");
    add(true, QDate(year, 5, 1), "Tag der Arbeit");
    add(r == QLatin1String("BE") && (year == 2020 || year == 2025), QDate(year, 5, 8), "Tag der Befreiung");
    add(true, easter.addDays(39), "Christi Himmelfahrt");
    add(r == QLatin1String("BB"), easter.addDays(49), "Pfingstsonntag");
    add(true, easter.addDays(50), "Pfingstmontag");
    add(among(r, {"BW", "BY", "HE", "NW", "RP", "SL"}), easter.addDays(60), "Fronleichnam");
    add(r == QLatin1String("SL"), QDate(year, 8, 15), "Mariä Himmelfahrt");
    add(r == QLatin1String("TH") && year >= 2019, QDate(year, 9, 20), "Weltkindertag");
    add(true, QDate(year, 10, 3), "Tag der Deutschen Einheit");
    add(year == 2017 || among(r, {"BB", "MV", "SN", "ST", "TH"}) ||
            (among(r, {"HB", "HH", "NI", "SH"}) && year >= 2018),
        QDate(year, 10, 31), "Reformationstag");
    add(among(r, {"BW", "BY", "NW", "RP", "SL"}), QDate(year, 11, 1), "Allerheiligen");
    add(r == QLatin1String("SN"), repentanceDay(year), "Buß- und Bettag");
    add(true, QDate(year, 12, 25), "1. Weihnachtstag");
    add(true, QDate(year, 12, 26), "2. Weihnachtstag");
    std::stable_sort(days.begin(), days.end(),
                     [](const PublicHoliday& a, const PublicHoliday& b) { return a.date < b.date; });
    return days;
}
