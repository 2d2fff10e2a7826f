// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "holidays.h"

#include <algorithm>

namespace {

bool among(const QString& code, std::initializer_list<const char*> codes) {
    return std::any_of(codes.begin(), codes.end(), [&](const char* c) { return code == QLatin1String(c); });
}

QDate sundayFrom(QDate day) {
    return day.addDays((Qt::Sunday - day.dayOfWeek()) % 7);
}

// Buß- und Bettag: the Wednesday before 23 November.
QDate repentanceDay(int year) {
    const QDate eve(year, 11, 22);
    return eve.addDays(-((eve.dayOfWeek() - Qt::Wednesday + 7) % 7));
}

// The public holidays of a German state (its two-letter code; "DE" for the nationwide ones),
// as the states' holiday laws have them since 1995.
QList<PublicHoliday> germanHolidays(const QString& r, int year) {
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
    return days;
}

// How a holiday's date follows from the year; an invalid date: not in that year.
using DateRule = QDate (*)(int year);

template <int month, int day> QDate fixed(int year) {
    return QDate(year, month, day);
}

template <int offset> QDate fromEaster(int year) {
    return EasterSunday(year).addDays(offset);
}

// The day after a holiday that falls on a Sunday, and only then.
template <int month, int day> QDate afterSunday(int year) {
    const QDate holiday(year, month, day);
    return holiday.dayOfWeek() == Qt::Sunday ? holiday.addDays(1) : QDate();
}

// Glarus: the first Thursday in April, a week later when that is Maundy Thursday.
QDate naefelserFahrt(int year) {
    const QDate first = sundayFrom(QDate(year, 4, 1)).addDays(-3);
    const QDate thursday = first.month() == 4 ? first : first.addDays(7);
    return thursday == EasterSunday(year).addDays(-3) ? thursday.addDays(7) : thursday;
}

// Geneva: the Thursday after the first Sunday in September.
QDate genevaFast(int year) {
    return sundayFrom(QDate(year, 9, 1)).addDays(4);
}

// The Monday after the Federal Fast, the third Sunday in September.
QDate fastMonday(int year) {
    return sundayFrom(QDate(year, 9, 1)).addDays(15);
}

// A holiday of the states or cantons of one country. The lists name subdivisions by the part
// of their code after the country's: "*" every one, "* -TI -VS" every one but those, or those
// named. whole: where it holds throughout; local: where it is a local day to tick.
struct RegionalDay {
    const char* key;
    const char* name;
    DateRule dateIn;
    const char* whole;
    const char* local;
};

// Germany's days of part of a state. Bayerisches Feiertagsgesetz Art. 1 Abs. 1 Nr. 2 (Mariä
// Himmelfahrt in the municipalities with a mainly Catholic population) and Abs. 2 (the Hohes
// Friedensfest in the city of Augsburg); Sächsisches Sonn- und Feiertagsgesetz § 1 Abs. 2 with
// the Fronleichnamsverordnung (municipalities of the Sorbian Catholic area); Thüringer
// Feiertagsgesetz § 2 Abs. 2 (municipalities with a mainly Catholic population).
const RegionalDay germanDays[] = {
    {"friedensfest", "Augsburger Friedensfest", fixed<8, 8>, "", "BY"},
    {"mariae-himmelfahrt", "Mariä Himmelfahrt", fixed<8, 15>, "", "BY"},
    {"fronleichnam", "Fronleichnam", fromEaster<60>, "", "SN TH"},
};

// Austria's holidays are federal and the same in every state: Feiertagsruhegesetz 1957 § 1 and
// Arbeitsruhegesetz § 7 Abs. 2 (Good Friday no longer since BGBl. I Nr. 22/2019). The states'
// patron days close schools and the state's offices under the states' own rules, but are no
// general day off.
const RegionalDay austrianDays[] = {
    {"", "Neujahr", fixed<1, 1>, "*", ""},
    {"", "Heilige Drei Könige", fixed<1, 6>, "*", ""},
    {"landespatron", "Josefstag", fixed<3, 19>, "", "2 6 7 8"},
    {"", "Ostermontag", fromEaster<1>, "*", ""},
    {"", "Staatsfeiertag", fixed<5, 1>, "*", ""},
    {"landespatron", "Florianitag", fixed<5, 4>, "", "4"},
    {"", "Christi Himmelfahrt", fromEaster<39>, "*", ""},
    {"", "Pfingstmontag", fromEaster<50>, "*", ""},
    {"", "Fronleichnam", fromEaster<60>, "*", ""},
    {"", "Mariä Himmelfahrt", fixed<8, 15>, "*", ""},
    {"landespatron", "Rupertitag", fixed<9, 24>, "", "5"},
    {"volksabstimmung", "Tag der Volksabstimmung", fixed<10, 10>, "", "2"},
    {"", "Nationalfeiertag", fixed<10, 26>, "*", ""},
    {"", "Allerheiligen", fixed<11, 1>, "*", ""},
    {"landespatron", "Martinstag", fixed<11, 11>, "", "1"},
    {"landespatron", "Leopolditag", fixed<11, 15>, "", "3 9"},
    {"", "Mariä Empfängnis", fixed<12, 8>, "*", ""},
    {"", "Christtag", fixed<12, 25>, "*", ""},
    {"", "Stefanitag", fixed<12, 26>, "*", ""},
};

// Switzerland: the Bundesfeier is federal (Bundesverfassung Art. 110 Abs. 3); every other
// holiday is the canton's, as the Federal Office of Justice lists them (Bundesamt für Justiz,
// "Gesetzliche Feiertage und Ruhetage in der Schweiz"): the days a canton equates with Sundays
// (Arbeitsgesetz Art. 20a Abs. 1) and its public days of rest hold throughout; those that hold
// in part of the canton only, or that the list marks as customary, are local days.
const RegionalDay swissDays[] = {
    {"", "Neujahrstag", fixed<1, 1>, "*", ""},
    {"berchtoldstag", "Berchtoldstag", fixed<1, 2>, "AG BE JU SH TG VD", "FR GL LU NW OW SO ZG ZH"},
    {"", "Berchtoldstag", afterSunday<1, 1>, "NE", ""},
    {"heilige-drei-koenige", "Heilige Drei Könige", fixed<1, 6>, "SZ TI UR", "GR"},
    {"", "Jahrestag der Ausrufung der Republik", fixed<3, 1>, "NE", ""},
    {"josefstag", "Josefstag", fixed<3, 19>, "NW SZ TI UR VS", "GR LU SO"},
    {"", "Karfreitag", fromEaster<-2>, "* -TI -VS", ""},
    {"ostermontag", "Ostermontag", fromEaster<1>, "* -NE -VS", "NE VS"},
    {"", "Näfelser Fahrt", naefelserFahrt, "GL", ""},
    {"tag-der-arbeit", "Tag der Arbeit", fixed<5, 1>, "BL BS JU NE SH TG TI ZH", "AG SO"},
    {"", "Auffahrt", fromEaster<39>, "*", ""},
    {"pfingstmontag", "Pfingstmontag", fromEaster<50>, "* -NE -VS", "NE VS"},
    {"fronleichnam", "Fronleichnam", fromEaster<60>, "AI JU LU NW OW SZ TI UR VS ZG", "AG BL FR GR NE SO"},
    {"", "Fest der Unabhängigkeit", fixed<6, 23>, "JU", ""},
    {"", "Peter und Paul", fixed<6, 29>, "TI", ""},
    {"", "Bundesfeier", fixed<8, 1>, "*", ""},
    {"mariae-himmelfahrt", "Mariä Himmelfahrt", fixed<8, 15>, "AI JU LU NW OW SZ TI UR VS ZG", "AG FR GR SO"},
    {"", "Genfer Bettag", genevaFast, "GE", ""},
    {"mauritiustag", "Mauritiustag", fixed<9, 22>, "", "AI"},
    {"", "Bruder-Klausen-Fest", fixed<9, 25>, "OW", ""},
    {"bettagsmontag", "Bettagsmontag", fastMonday, "VD", "NE"},
    {"allerheiligen", "Allerheiligen", fixed<11, 1>, "AI GL JU LU NW OW SG SZ TI UR VS ZG", "AG FR GR SO"},
    {"mariae-empfaengnis", "Mariä Empfängnis", fixed<12, 8>, "AI LU NW OW SZ TI UR VS ZG", "AG FR GR"},
    {"", "Weihnachtstag", fixed<12, 25>, "*", ""},
    {"stephanstag", "Stephanstag", fixed<12, 26>, "* -GE -JU -NE -VD -VS", "GE VS"},
    {"", "Stephanstag", afterSunday<12, 25>, "NE", ""},
    {"", "Wiederherstellung der Republik", fixed<12, 31>, "GE", ""},
};

// Whether a list of subdivisions holds the one given; the country's own code (an empty
// subdivision) is held by "*" alone, the days of the whole country.
bool listed(const char* list, const QString& subdivision) {
    const QStringList codes = QString::fromLatin1(list).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (codes.value(0) == QLatin1String("*"))
        return codes.size() == 1 ||
               (!subdivision.isEmpty() && !codes.contains(QLatin1Char('-') + subdivision));
    return !subdivision.isEmpty() && codes.contains(subdivision);
}

std::pair<const RegionalDay*, const RegionalDay*> regionalDaysOf(const QString& country) {
    if (country == QLatin1String("AT"))
        return {std::begin(austrianDays), std::end(austrianDays)};
    if (country == QLatin1String("CH"))
        return {std::begin(swissDays), std::end(swissDays)};
    return {std::begin(germanDays), std::end(germanDays)};
}

QString subdivisionOf(const QString& regionCode) {
    return regionCode.section(QLatin1Char('-'), 1);
}

HolidayRegion region(const char* code, const char* name) {
    return {QString::fromLatin1(code), QString::fromUtf8(name)};
}

} // namespace

const QList<HolidayCountry>& HolidayCountries() {
    static const QList<HolidayCountry> countries = {
        {QStringLiteral("DE"),
         QStringLiteral("Deutschland"),
         {region("DE-BW", "Baden-Württemberg"), region("DE-BY", "Bayern"), region("DE-BE", "Berlin"),
          region("DE-BB", "Brandenburg"), region("DE-HB", "Bremen"), region("DE-HH", "Hamburg"),
          region("DE-HE", "Hessen"), region("DE-MV", "Mecklenburg-Vorpommern"),
          region("DE-NI", "Niedersachsen"), region("DE-NW", "Nordrhein-Westfalen"),
          region("DE-RP", "Rheinland-Pfalz"), region("DE-SL", "Saarland"), region("DE-SN", "Sachsen"),
          region("DE-ST", "Sachsen-Anhalt"), region("DE-SH", "Schleswig-Holstein"),
          region("DE-TH", "Thüringen"), region("DE", "nur bundesweite Feiertage")}},
        {QStringLiteral("AT"),
         QStringLiteral("Österreich"),
         {region("AT-1", "Burgenland"), region("AT-2", "Kärnten"), region("AT-3", "Niederösterreich"),
          region("AT-4", "Oberösterreich"), region("AT-5", "Salzburg"), region("AT-6", "Steiermark"),
          region("AT-7", "Tirol"), region("AT-8", "Vorarlberg"), region("AT-9", "Wien"),
          region("AT", "nur bundesweite Feiertage")}},
        {QStringLiteral("CH"),
         QStringLiteral("Schweiz"),
         {region("CH-AG", "Aargau"),
          region("CH-AR", "Appenzell Ausserrhoden"),
          region("CH-AI", "Appenzell Innerrhoden"),
          region("CH-BL", "Basel-Landschaft"),
          region("CH-BS", "Basel-Stadt"),
          region("CH-BE", "Bern"),
          region("CH-FR", "Freiburg"),
          region("CH-GE", "Genf"),
          region("CH-GL", "Glarus"),
          region("CH-GR", "Graubünden"),
          region("CH-JU", "Jura"),
          region("CH-LU", "Luzern"),
          region("CH-NE", "Neuenburg"),
          region("CH-NW", "Nidwalden"),
          region("CH-OW", "Obwalden"),
          region("CH-SH", "Schaffhausen"),
          region("CH-SZ", "Schwyz"),
          region("CH-SO", "Solothurn"),
          region("CH-SG", "St. Gallen"),
          region("CH-TI", "Tessin"),
          region("CH-TG", "Thurgau"),
          region("CH-UR", "Uri"),
          region("CH-VD", "Waadt"),
          region("CH-VS", "Wallis"),
          region("CH-ZG", "Zug"),
          region("CH-ZH", "Zürich"),
          region("CH", "nur landesweite Feiertage")}},
    };
    return countries;
}

std::optional<QString> RegionCode(const QString& text) {
    if (text.isEmpty())
        return QString();
    for (const HolidayCountry& country : HolidayCountries())
        for (const HolidayRegion& region : country.regions)
            if (region.code == text || (country.code == QLatin1String("DE") && region.code.size() == 5 &&
                                        region.code.endsWith(QLatin1Char('-') + text)))
                return region.code;
    return std::nullopt;
}

QString CountryOf(const QString& regionCode) {
    return regionCode.left(2);
}

QList<LocalHoliday> LocalHolidays(const QString& regionCode) {
    const std::optional<QString> code = RegionCode(regionCode);
    if (!code || code->isEmpty())
        return {};
    QList<LocalHoliday> days;
    const auto [first, last] = regionalDaysOf(CountryOf(*code));
    for (const RegionalDay* day = first; day != last; ++day)
        if (listed(day->local, subdivisionOf(*code)))
            days.append({QString::fromLatin1(day->key), QString::fromUtf8(day->name)});
    return days;
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

QList<PublicHoliday> PublicHolidays(const QString& regionCode, int year, const QStringList& localDays) {
    const std::optional<QString> code = RegionCode(regionCode);
    if (!code || code->isEmpty())
        return {};
    const QString country = CountryOf(*code);
    const QString subdivision = subdivisionOf(*code);
    QList<PublicHoliday> days;
    if (country == QLatin1String("DE"))
        days = germanHolidays(subdivision.isEmpty() ? country : subdivision, year);
    const auto [first, last] = regionalDaysOf(country);
    for (const RegionalDay* day = first; day != last; ++day) {
        const bool ticked =
            listed(day->local, subdivision) && localDays.contains(QString::fromLatin1(day->key));
        if (const QDate date = day->dateIn(year);
            date.isValid() && (listed(day->whole, subdivision) || ticked))
            days.append({date, QString::fromUtf8(day->name)});
    }
    std::stable_sort(days.begin(), days.end(),
                     [](const PublicHoliday& a, const PublicHoliday& b) { return a.date < b.date; });
    return days;
}
