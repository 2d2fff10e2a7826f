// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "serviceterm/holidays.h"
#include "serviceterm/servicekind.h"

#include <QtTest>
#include <algorithm>

Q_DECLARE_METATYPE(ServiceKind)

namespace {

// The nationwide holidays, written out from the calendar of each year (2017 with the
// one-off Reformationstag of the 500th anniversary).
const QMap<int, QString> nationwide = {
    {2017, "1.1. 14.4. 17.4. 1.5. 25.5. 5.6. 3.10. 31.10. 25.12. 26.12."},
    {2025, "1.1. 18.4. 21.4. 1.5. 29.5. 9.6. 3.10. 25.12. 26.12."},
    {2026, "1.1. 3.4. 6.4. 1.5. 14.5. 25.5. 3.10. 25.12. 26.12."},
    {2027, "1.1. 26.3. 29.3. 1.5. 6.5. 17.5. 3.10. 25.12. 26.12."},
    {2028, "1.1. 14.4. 17.4. 1.5. 25.5. 5.6. 3.10. 25.12. 26.12."},
};

QList<QDate> days(int year, const QString& text) {
    QList<QDate> list;
    for (const QString& day : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        list << QDate::fromString(day + QString::number(year), QStringLiteral("d.M.yyyy"));
    return list;
}

} // namespace

class HolidaysTest : public QObject {
    Q_OBJECT
private slots:
    // Each state's own days on top of the nationwide ones, from the holiday laws.
    void stateTable_data() {
        QTest::addColumn<QString>("region");
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("ownDays");
        struct Row {
            const char* region;
            std::array<const char*, 5> own; // 2017, 2025, 2026, 2027, 2028
        };
        const std::array<Row, 17> rows = {{
            {"BW",
             {"6.1. 15.6. 1.11.", "6.1. 19.6. 1.11.", "6.1. 4.6. 1.11.", "6.1. 27.5. 1.11.",
              "6.1. 15.6. 1.11."}},
            {"BY",
             {"6.1. 15.6. 1.11.", "6.1. 19.6. 1.11.", "6.1. 4.6. 1.11.", "6.1. 27.5. 1.11.",
              "6.1. 15.6. 1.11."}},
            {"BE", {"", "8.3. 8.5.", "8.3.", "8.3.", "8.3."}},
            {"BB",
             {"16.4. 4.6.", "20.4. 8.6. 31.10.", "5.4. 24.5. 31.10.", "28.3. 16.5. 31.10.",
              "16.4. 4.6. 31.10."}},
            {"HB", {"", "31.10.", "31.10.", "31.10.", "31.10."}},
            {"HH", {"", "31.10.", "31.10.", "31.10.", "31.10."}},
            {"HE", {"15.6.", "19.6.", "4.6.", "27.5.", "15.6."}},
            {"MV", {"", "8.3. 31.10.", "8.3. 31.10.", "8.3. 31.10.", "8.3. 31.10."}},
            {"NI", {"", "31.10.", "31.10.", "31.10.", "31.10."}},
            {"NW", {"15.6. 1.11.", "19.6. 1.11.", "4.6. 1.11.", "27.5. 1.11.", "15.6. 1.11."}},
            {"RP", {"15.6. 1.11.", "19.6. 1.11.", "4.6. 1.11.", "27.5. 1.11.", "15.6. 1.11."}},
            {"SL",
             {"15.6. 15.8. 1.11.", "19.6. 15.8. 1.11.", "4.6. 15.8. 1.11.", "27.5. 15.8. 1.11.",
              "15.6. 15.8. 1.11."}},
            {"SN", {"22.11.", "31.10. 19.11.", "31.10. 18.11.", "31.10. 17.11.", "31.10. 22.11."}},
            {"ST", {"6.1.", "6.1. 31.10.", "6.1. 31.10.", "6.1. 31.10.", "6.1. 31.10."}},
            {"SH", {"", "31.10.", "31.10.", "31.10.", "31.10."}},
            {"TH", {"", "20.9. 31.10.", "20.9. 31.10.", "20.9. 31.10.", "20.9. 31.10."}},
            {"DE", {"", "", "", "", ""}},
        }};
        const std::array<int, 5> years = {2017, 2025, 2026, 2027, 2028};
        for (const Row& row : rows)
            for (std::size_t i = 0; i < years.size(); ++i)
                QTest::addRow("%s %d", row.region, years[i])
                    << QString::fromLatin1(row.region) << years[i] << QString::fromLatin1(row.own[i]);
    }
    void stateTable() {
        QFETCH(QString, region);
        QFETCH(int, year);
        QFETCH(QString, ownDays);
        QList<QDate> expected = days(year, nationwide.value(year)) + days(year, ownDays);
        std::sort(expected.begin(), expected.end());
        QList<QDate> computed;
        for (const PublicHoliday& holiday : PublicHolidays(region, year))
            computed << holiday.date;
        QCOMPARE(computed, expected);
    }

    void namesAndNoHolidays_data() {
        QTest::addColumn<QString>("region");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("name");
        QTest::newRow("Bavaria: no Assumption") << "BY" << QDate(2026, 8, 15) << QString();
        QTest::newRow("Saarland: Assumption") << "SL" << QDate(2026, 8, 15) << "Mariä Himmelfahrt";
        QTest::newRow("Saxony: repentance") << "SN" << QDate(2026, 11, 18) << "Buß- und Bettag";
        QTest::newRow("Saxony: no Corpus Christi") << "SN" << QDate(2026, 6, 4) << QString();
        QTest::newRow("Thuringia: no Corpus Christi") << "TH" << QDate(2026, 6, 4) << QString();
        QTest::newRow("Thuringia before 2019") << "TH" << QDate(2018, 9, 20) << QString();
        QTest::newRow("Berlin 2020 liberation") << "BE" << QDate(2020, 5, 8) << "Tag der Befreiung";
        QTest::newRow("Berlin 2021") << "BE" << QDate(2021, 5, 8) << QString();
        QTest::newRow("Berlin before 2019") << "BE" << QDate(2018, 3, 8) << QString();
        QTest::newRow("Mecklenburg 2022") << "MV" << QDate(2022, 3, 8) << QString();
        QTest::newRow("Mecklenburg 2023") << "MV" << QDate(2023, 3, 8) << "Internationaler Frauentag";
        QTest::newRow("Hamburg 2018") << "HH" << QDate(2018, 10, 31) << "Reformationstag";
        QTest::newRow("Bremen 2016") << "HB" << QDate(2016, 10, 31) << QString();
        QTest::newRow("Ascension") << "DE" << QDate(2027, 5, 6) << "Christi Himmelfahrt";
        QTest::newRow("no region") << "" << QDate(2027, 1, 1) << QString();
        QTest::newRow("unknown region") << "XX" << QDate(2027, 1, 1) << QString();
    }
    void namesAndNoHolidays() {
        QFETCH(QString, region);
        QFETCH(QDate, date);
        QFETCH(QString, name);
        QString found;
        for (const PublicHoliday& holiday : PublicHolidays(region, date.year()))
            if (holiday.date == date)
                found = holiday.name;
        QCOMPARE(found, name);
    }

    // Easter over the whole range of its dates: the earliest, the latest, and a century's turn.
    void easter_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<QDate>("sunday");
        QTest::newRow("1818 earliest") << 1818 << QDate(1818, 3, 22);
        QTest::newRow("1943 latest") << 1943 << QDate(1943, 4, 25);
        QTest::newRow("2000") << 2000 << QDate(2000, 4, 23);
        QTest::newRow("2038 latest") << 2038 << QDate(2038, 4, 25);
        QTest::newRow("2285 earliest") << 2285 << QDate(2285, 3, 22);
    }
    void easter() {
        QFETCH(int, year);
        QFETCH(QDate, sunday);
        QCOMPARE(EasterSunday(year), sunday);
    }

    // Easter and the days that follow it, and Saxony's day of repentance, year after year,
    // against the dates of the printed calendars.
    void movingDaysOverTheYears_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("easter");
        QTest::addColumn<QString>("repentance");
        const QStringList easterDays = {"16.4", "1.4", "21.4", "12.4", "4.4", "17.4", "9.4",  "31.3",
                                        "20.4", "5.4", "28.3", "16.4", "1.4", "21.4", "13.4", "28.3",
                                        "17.4", "9.4", "25.3", "13.4", "5.4", "25.4", "10.4", "1.4"};
        const QStringList repentanceDays = {"22.11", "21.11", "20.11", "18.11", "17.11", "16.11",
                                            "22.11", "20.11", "19.11", "18.11", "17.11", "22.11",
                                            "21.11", "20.11", "19.11", "17.11", "16.11", "22.11",
                                            "21.11", "19.11", "18.11", "17.11", "16.11", "21.11"};
        for (int i = 0; i < easterDays.size(); ++i)
            QTest::addRow("%d", 2017 + i) << 2017 + i << easterDays[i] << repentanceDays[i];
    }
    void movingDaysOverTheYears() {
        QFETCH(int, year);
        QFETCH(QString, easter);
        QFETCH(QString, repentance);
        const auto dayOf = [&](const QString& region, const char* name) {
            for (const PublicHoliday& holiday : PublicHolidays(region, year))
                if (holiday.name == QString::fromUtf8(name))
                    return holiday.date;
            return QDate();
        };
        const QDate sunday =
            QDate::fromString(QStringLiteral("%1.%2").arg(easter).arg(year), QStringLiteral("d.M.yyyy"));
        QCOMPARE(EasterSunday(year), sunday);
        QCOMPARE(dayOf(QStringLiteral("BW"), "Karfreitag"), sunday.addDays(-2));
        QCOMPARE(dayOf(QStringLiteral("BW"), "Ostermontag"), sunday.addDays(1));
        QCOMPARE(dayOf(QStringLiteral("BW"), "Christi Himmelfahrt"), sunday.addDays(39));
        QCOMPARE(dayOf(QStringLiteral("BW"), "Pfingstmontag"), sunday.addDays(50));
        QCOMPARE(dayOf(QStringLiteral("BW"), "Fronleichnam"), sunday.addDays(60));
        QCOMPARE(dayOf(QStringLiteral("BB"), "Ostersonntag"), sunday);
        QCOMPARE(dayOf(QStringLiteral("BB"), "Pfingstsonntag"), sunday.addDays(49));
        QCOMPARE(
            dayOf(QStringLiteral("SN"), "Buß- und Bettag"),
            QDate::fromString(QStringLiteral("%1.%2").arg(repentance).arg(year), QStringLiteral("d.M.yyyy")));
    }

    // Every name as each state has it.
    void everyName_data() {
        QTest::addColumn<QString>("region");
        QTest::addColumn<QStringList>("names");
        const QStringList nationwide = {"Neujahr",
                                        "Karfreitag",
                                        "Ostermontag",
                                        "Tag der Arbeit",
                                        "Christi Himmelfahrt",
                                        "Pfingstmontag",
                                        "Tag der Deutschen Einheit",
                                        "1. Weihnachtstag",
                                        "2. Weihnachtstag"};
        QTest::newRow("DE") << "DE" << nationwide;
        QTest::newRow("SL") << "SL"
                            << QStringList{
                                   "Neujahr",        "Karfreitag",          "Ostermontag",
                                   "Tag der Arbeit", "Christi Himmelfahrt", "Pfingstmontag",
                                   "Fronleichnam",   "Mariä Himmelfahrt",   "Tag der Deutschen Einheit",
                                   "Allerheiligen",  "1. Weihnachtstag",    "2. Weihnachtstag"};
        QTest::newRow("BB") << "BB"
                            << QStringList{"Neujahr",         "Karfreitag",       "Ostersonntag",
                                           "Ostermontag",     "Tag der Arbeit",   "Christi Himmelfahrt",
                                           "Pfingstsonntag",  "Pfingstmontag",    "Tag der Deutschen Einheit",
                                           "Reformationstag", "1. Weihnachtstag", "2. Weihnachtstag"};
        QTest::newRow("BY") << "BY"
                            << QStringList{
                                   "Neujahr",       "Heilige Drei Könige", "Karfreitag",
                                   "Ostermontag",   "Tag der Arbeit",      "Christi Himmelfahrt",
                                   "Pfingstmontag", "Fronleichnam",        "Tag der Deutschen Einheit",
                                   "Allerheiligen", "1. Weihnachtstag",    "2. Weihnachtstag"};
        QTest::newRow("BE") << "BE" << QStringList{"Neujahr",          "Internationaler Frauentag",
                                                   "Karfreitag",       "Ostermontag",
                                                   "Tag der Arbeit",   "Christi Himmelfahrt",
                                                   "Pfingstmontag",    "Tag der Deutschen Einheit",
                                                   "1. Weihnachtstag", "2. Weihnachtstag"};
        QTest::newRow("SN") << "SN"
                            << QStringList{"Neujahr",
                                           "Karfreitag",
                                           "Ostermontag",
                                           "Tag der Arbeit",
                                           "Christi Himmelfahrt",
                                           "Pfingstmontag",
                                           "Tag der Deutschen Einheit",
                                           "Reformationstag",
                                           "Buß- und Bettag",
                                           "1. Weihnachtstag",
                                           "2. Weihnachtstag"};
        QTest::newRow("TH") << "TH"
                            << QStringList{"Neujahr",
                                           "Karfreitag",
                                           "Ostermontag",
                                           "Tag der Arbeit",
                                           "Christi Himmelfahrt",
                                           "Pfingstmontag",
                                           "Weltkindertag",
                                           "Tag der Deutschen Einheit",
                                           "Reformationstag",
                                           "1. Weihnachtstag",
                                           "2. Weihnachtstag"};
        QTest::newRow("AT-2 with its patrons")
            << "AT-2" << QStringList{"Neujahr",           "Heilige Drei Könige",
                                     "Josefstag",         "Ostermontag",
                                     "Staatsfeiertag",    "Christi Himmelfahrt",
                                     "Pfingstmontag",     "Fronleichnam",
                                     "Mariä Himmelfahrt", "Tag der Volksabstimmung",
                                     "Nationalfeiertag",  "Allerheiligen",
                                     "Mariä Empfängnis",  "Christtag",
                                     "Stefanitag"};
        const QStringList austria{"Neujahr",        "Heilige Drei Könige", "Ostermontag",
                                  "Staatsfeiertag", "Christi Himmelfahrt", "Pfingstmontag",
                                  "Fronleichnam",   "Mariä Himmelfahrt",   "Nationalfeiertag",
                                  "Allerheiligen",  "Mariä Empfängnis",    "Christtag",
                                  "Stefanitag"};
        QTest::newRow("AT-3 Leopold") << "AT-3"
                                      << QStringList(austria)
                                             .replaceInStrings("Allerheiligen", "Allerheiligen|Leopolditag")
                                             .join('|')
                                             .split('|');
        QTest::newRow("AT-4 Florian") << "AT-4"
                                      << QStringList(austria)
                                             .replaceInStrings("Staatsfeiertag", "Staatsfeiertag|Florianitag")
                                             .join('|')
                                             .split('|');
        QTest::newRow("AT-5 Rupert") << "AT-5"
                                     << QStringList(austria)
                                            .replaceInStrings("Mariä Himmelfahrt",
                                                              "Mariä Himmelfahrt|Rupertitag")
                                            .join('|')
                                            .split('|');
        QTest::newRow("AT-1 Martin") << "AT-1"
                                     << QStringList(austria)
                                            .replaceInStrings("Allerheiligen", "Allerheiligen|Martinstag")
                                            .join('|')
                                            .split('|');
        QTest::newRow("CH-TI") << "CH-TI"
                               << QStringList{"Neujahrstag",      "Heilige Drei Könige", "Josefstag",
                                              "Ostermontag",      "Tag der Arbeit",      "Auffahrt",
                                              "Pfingstmontag",    "Fronleichnam",        "Peter und Paul",
                                              "Bundesfeier",      "Mariä Himmelfahrt",   "Allerheiligen",
                                              "Mariä Empfängnis", "Weihnachtstag",       "Stephanstag"};
        QTest::newRow("CH-GE") << "CH-GE"
                               << QStringList{
                                      "Neujahrstag",   "Karfreitag",    "Ostermontag",
                                      "Auffahrt",      "Pfingstmontag", "Bundesfeier",
                                      "Genfer Bettag", "Weihnachtstag", "Wiederherstellung der Republik"};
        QTest::newRow("CH-NE") << "CH-NE"
                               << QStringList{"Neujahrstag",  "Jahrestag der Ausrufung der Republik",
                                              "Karfreitag",   "Tag der Arbeit",
                                              "Auffahrt",     "Bundesfeier",
                                              "Weihnachtstag"};
        QTest::newRow("CH-JU") << "CH-JU"
                               << QStringList{"Neujahrstag",   "Berchtoldstag",     "Karfreitag",
                                              "Ostermontag",   "Tag der Arbeit",    "Auffahrt",
                                              "Pfingstmontag", "Fronleichnam",      "Fest der Unabhängigkeit",
                                              "Bundesfeier",   "Mariä Himmelfahrt", "Allerheiligen",
                                              "Weihnachtstag"};
        QTest::newRow("CH-GL") << "CH-GL" << QStringList{"Neujahrstag",    "Karfreitag",    "Ostermontag",
                                                         "Näfelser Fahrt", "Auffahrt",      "Pfingstmontag",
                                                         "Bundesfeier",    "Allerheiligen", "Weihnachtstag",
                                                         "Stephanstag"};
        QTest::newRow("CH-OW") << "CH-OW"
                               << QStringList{"Neujahrstag",   "Karfreitag",        "Ostermontag",
                                              "Auffahrt",      "Pfingstmontag",     "Fronleichnam",
                                              "Bundesfeier",   "Mariä Himmelfahrt", "Bruder-Klausen-Fest",
                                              "Allerheiligen", "Mariä Empfängnis",  "Weihnachtstag",
                                              "Stephanstag"};
        QTest::newRow("CH-VD") << "CH-VD" << QStringList{"Neujahrstag", "Berchtoldstag", "Karfreitag",
                                                         "Ostermontag", "Auffahrt",      "Pfingstmontag",
                                                         "Bundesfeier", "Bettagsmontag", "Weihnachtstag"};
    }
    void everyName() {
        QFETCH(QString, region);
        QStringList names;
        const QStringList everyLocalDay{"landespatron", "volksabstimmung"}; // Austria's patrons, ticked
        for (const PublicHoliday& holiday : PublicHolidays(region, 2027, everyLocalDay))
            names << holiday.name;
        QTEST(names, "names");
    }

    void regionNames() {
        QStringList names;
        for (const HolidayCountry& country : HolidayCountries()) {
            names << country.code + QLatin1Char(' ') + country.name;
            for (const HolidayRegion& region : country.regions)
                names << region.code + QLatin1Char(' ') + region.name;
        }
        QCOMPARE(
            names.mid(0, 18),
            (QStringList{"DE Deutschland", "DE-BW Baden-Württemberg", "DE-BY Bayern", "DE-BE Berlin",
                         "DE-BB Brandenburg", "DE-HB Bremen", "DE-HH Hamburg", "DE-HE Hessen",
                         "DE-MV Mecklenburg-Vorpommern", "DE-NI Niedersachsen", "DE-NW Nordrhein-Westfalen",
                         "DE-RP Rheinland-Pfalz", "DE-SL Saarland", "DE-SN Sachsen", "DE-ST Sachsen-Anhalt",
                         "DE-SH Schleswig-Holstein", "DE-TH Thüringen", "DE nur bundesweite Feiertage"}));
        QCOMPARE(names.mid(18, 11),
                 (QStringList{"AT Österreich", "AT-1 Burgenland", "AT-2 Kärnten", "AT-3 Niederösterreich",
                              "AT-4 Oberösterreich", "AT-5 Salzburg", "AT-6 Steiermark", "AT-7 Tirol",
                              "AT-8 Vorarlberg", "AT-9 Wien", "AT nur bundesweite Feiertage"}));
        QCOMPARE(names.size(), 18 + 11 + 28);
        QCOMPARE(names.mid(29), (QStringList{"CH Schweiz",
                                             "CH-AG Aargau",
                                             "CH-AR Appenzell Ausserrhoden",
                                             "CH-AI Appenzell Innerrhoden",
                                             "CH-BL Basel-Landschaft",
                                             "CH-BS Basel-Stadt",
                                             "CH-BE Bern",
                                             "CH-FR Freiburg",
                                             "CH-GE Genf",
                                             "CH-GL Glarus",
                                             "CH-GR Graubünden",
                                             "CH-JU Jura",
                                             "CH-LU Luzern",
                                             "CH-NE Neuenburg",
                                             "CH-NW Nidwalden",
                                             "CH-OW Obwalden",
                                             "CH-SH Schaffhausen",
                                             "CH-SZ Schwyz",
                                             "CH-SO Solothurn",
                                             "CH-SG St. Gallen",
                                             "CH-TI Tessin",
                                             "CH-TG Thurgau",
                                             "CH-UR Uri",
                                             "CH-VD Waadt",
                                             "CH-VS Wallis",
                                             "CH-ZG Zug",
                                             "CH-ZH Zürich",
                                             "CH nur landesweite Feiertage"}));
    }

    // The codes of older files keep their meaning; nothing else but the codes listed is a region.
    void regionCodes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("code"); // "?" for none
        for (const char* row : {"BY DE-BY", "TH DE-TH", "DE-BY DE-BY", "DE DE", "AT-9 AT-9", "AT AT",
                                "CH-ZH CH-ZH", "CH-AI CH-AI", "CH CH", "th ?", "de-by ?", "AT-10 ?", "AT-0 ?",
                                "CH-XX ?", "ZH ?", "AT-BY ?", "DE-AT ?", "XX ?", "9 ?"}) {
            const QStringList parts = QString::fromLatin1(row).split(QLatin1Char(' '));
            QTest::newRow(row) << parts[0] << parts[1];
        }
        QTest::newRow("none") << ""
                              << "";
    }
    void regionCodes() {
        QFETCH(QString, text);
        QFETCH(QString, code);
        QCOMPARE(RegionCode(text).value_or(QStringLiteral("?")), code);
        QCOMPARE(PublicHolidays(text, 2027).isEmpty(), code == QLatin1String("?") || code.isEmpty());
    }

    // Austria's and Switzerland's holidays by state and canton, written out from the federal
    // Feiertagsruhegesetz and the cantons' lists of the Bundesamt für Justiz, each year's
    // Easter looked up (2023: 9.4., 2026: 5.4., 2027: 28.3., 2028: 16.4.).
    void alpineTable_data() {
        QTest::addColumn<QString>("region");
        QTest::addColumn<int>("year");
        QTest::addColumn<QStringList>("ticked");
        QTest::addColumn<QString>("expected");
        const QString austria2026 =
            "1.1. 6.1. 6.4. 1.5. 14.5. 25.5. 4.6. 15.8. 26.10. 1.11. 8.12. 25.12. 26.12.";
        QString austria2027 = "1.1. 6.1. 29.3. 1.5. 6.5. 17.5. 27.5. 15.8. 26.10. 1.11. 8.12. 25.12. 26.12.";
        const QString austria2028 =
            "1.1. 6.1. 17.4. 1.5. 25.5. 5.6. 15.6. 15.8. 26.10. 1.11. 8.12. 25.12. 26.12.";
        for (const char* state :
             {"AT", "AT-1", "AT-2", "AT-3", "AT-4", "AT-5", "AT-6", "AT-7", "AT-8", "AT-9"}) {
            QTest::addRow("%s 2026", state) << state << 2026 << QStringList{} << austria2026;
            QTest::addRow("%s 2027", state) << state << 2027 << QStringList{} << austria2027;
            QTest::addRow("%s 2028", state) << state << 2028 << QStringList{} << austria2028;
        }
        QTest::newRow("AT-2 patrons")
            << "AT-2" << 2027 << QStringList{"landespatron", "volksabstimmung"}
            << "1.1. 6.1. 19.3. 29.3. 1.5. 6.5. 17.5. 27.5. 15.8. 10.10. 26.10. 1.11. "
               "8.12. 25.12. 26.12.";
        QTest::newRow("AT-9 patron") << "AT-9" << 2027 << QStringList{"landespatron"}
                                     << QString(austria2027).replace("1.11.", "1.11. 15.11.");
        QTest::newRow("AT-4 patron") << "AT-4" << 2028 << QStringList{"landespatron"}
                                     << "1.1. 6.1. 17.4. 1.5. 4.5. 25.5. 5.6. 15.6. 15.8. 26.10. 1.11. 8.12. "
                                        "25.12. 26.12.";
        QTest::newRow("AT-5 patron") << "AT-5" << 2026 << QStringList{"landespatron"}
                                     << "1.1. 6.1. 6.4. 1.5. 14.5. 25.5. 4.6. 15.8. 24.9. 26.10. 1.11. 8.12. "
                                        "25.12. 26.12.";
        QTest::newRow("AT-1 patron")
            << "AT-1" << 2026 << QStringList{"landespatron"}
            << "1.1. 6.1. 6.4. 1.5. 14.5. 25.5. 4.6. 15.8. 26.10. 1.11. 11.11. 8.12. "
               "25.12. 26.12.";
        QTest::newRow("AT patron of none") << "AT" << 2027 << QStringList{"landespatron"} << austria2027;

        QTest::newRow("CH") << "CH" << 2027 << QStringList{} << "1.1. 6.5. 1.8. 25.12.";
        QTest::newRow("CH-ZH") << "CH-ZH" << 2027 << QStringList{}
                               << "1.1. 26.3. 29.3. 1.5. 6.5. 17.5. 1.8. 25.12. 26.12.";
        QTest::newRow("CH-ZH Berchtold") << "CH-ZH" << 2027 << QStringList{"berchtoldstag"}
                                         << "1.1. 2.1. 26.3. 29.3. 1.5. 6.5. 17.5. 1.8. 25.12. 26.12.";
        QTest::newRow("CH-BE") << "CH-BE" << 2027 << QStringList{}
                               << "1.1. 2.1. 26.3. 29.3. 6.5. 17.5. 1.8. 25.12. 26.12.";
        QTest::newRow("CH-TI") << "CH-TI" << 2027 << QStringList{}
                               << "1.1. 6.1. 19.3. 29.3. 1.5. 6.5. 17.5. 27.5. 29.6. 1.8. 15.8. 1.11. 8.12. "
                                  "25.12. 26.12.";
        QTest::newRow("CH-GE") << "CH-GE" << 2027 << QStringList{}
                               << "1.1. 26.3. 29.3. 6.5. 17.5. 1.8. 9.9. 25.12. 31.12.";
        QTest::newRow("CH-GE 2026") << "CH-GE" << 2026 << QStringList{"stephanstag"}
                                    << "1.1. 3.4. 6.4. 14.5. 25.5. 1.8. 10.9. 25.12. 26.12. 31.12.";
        QTest::newRow("CH-GL") << "CH-GL" << 2027 << QStringList{}
                               << "1.1. 26.3. 29.3. 1.4. 6.5. 17.5. 1.8. 1.11. 25.12. 26.12.";
        QTest::newRow("CH-GL 2023") << "CH-GL" << 2023 << QStringList{}
                                    << "1.1. 7.4. 10.4. 13.4. 18.5. 29.5. 1.8. 1.11. 25.12. 26.12.";
        QTest::newRow("CH-GL 2026") << "CH-GL" << 2026 << QStringList{}
                                    << "1.1. 3.4. 6.4. 9.4. 14.5. 25.5. 1.8. 1.11. 25.12. 26.12.";
        QTest::newRow("CH-VD") << "CH-VD" << 2027 << QStringList{}
                               << "1.1. 2.1. 26.3. 29.3. 6.5. 17.5. 1.8. 20.9. 25.12.";
        QTest::newRow("CH-NE 2027") << "CH-NE" << 2027 << QStringList{}
                                    << "1.1. 1.3. 26.3. 1.5. 6.5. 1.8. 25.12.";
        QTest::newRow("CH-NE 2023") << "CH-NE" << 2023 << QStringList{"bettagsmontag", "ostermontag"}
                                    << "1.1. 2.1. 1.3. 7.4. 10.4. 1.5. 18.5. 1.8. 18.9. 25.12.";
        QTest::newRow("CH-NE 2022") << "CH-NE" << 2022 << QStringList{}
                                    << "1.1. 1.3. 15.4. 1.5. 26.5. 1.8. 25.12. 26.12.";
        QTest::newRow("CH-JU") << "CH-JU" << 2027 << QStringList{}
                               << "1.1. 2.1. 26.3. 29.3. 1.5. 6.5. 17.5. 27.5. 23.6. 1.8. 15.8. 1.11. 25.12.";
        QTest::newRow("CH-AI")
            << "CH-AI" << 2027 << QStringList{"mauritiustag"}
            << "1.1. 26.3. 29.3. 6.5. 17.5. 27.5. 1.8. 15.8. 22.9. 1.11. 8.12. 25.12. 26.12.";
        QTest::newRow("CH-OW")
            << "CH-OW" << 2027 << QStringList{}
            << "1.1. 26.3. 29.3. 6.5. 17.5. 27.5. 1.8. 15.8. 25.9. 1.11. 8.12. 25.12. 26.12.";
        QTest::newRow("CH-VS") << "CH-VS" << 2027 << QStringList{}
                               << "1.1. 19.3. 6.5. 27.5. 1.8. 15.8. 1.11. 8.12. 25.12.";
        QTest::newRow("CH-SO all local")
            << "CH-SO" << 2028 << QStringList{"berchtoldstag", "josefstag",          "tag-der-arbeit",
                                              "fronleichnam",  "mariae-himmelfahrt", "allerheiligen"}
            << "1.1. 2.1. 19.3. 14.4. 17.4. 1.5. 25.5. 5.6. 15.6. 1.8. 15.8. 1.11. "
               "25.12. 26.12.";
        QTest::newRow("DE-BY local")
            << "DE-BY" << 2027 << QStringList{"friedensfest", "mariae-himmelfahrt"}
            << "1.1. 6.1. 26.3. 29.3. 1.5. 6.5. 17.5. 27.5. 8.8. 15.8. 3.10. 1.11. 25.12. "
               "26.12.";
        QTest::newRow("BY as before")
            << "BY" << 2027 << QStringList{"nothing"}
            << "1.1. 6.1. 26.3. 29.3. 1.5. 6.5. 17.5. 27.5. 3.10. 1.11. 25.12. 26.12.";
        QTest::newRow("DE-SN Fronleichnam")
            << "DE-SN" << 2027 << QStringList{"fronleichnam"}
            << "1.1. 26.3. 29.3. 1.5. 6.5. 17.5. 27.5. 3.10. 31.10. 17.11. 25.12. 26.12.";
        QTest::newRow("DE-BW no double")
            << "DE-BW" << 2027 << QStringList{"fronleichnam", "mariae-himmelfahrt"}
            << "1.1. 6.1. 26.3. 29.3. 1.5. 6.5. 17.5. 27.5. 3.10. 1.11. 25.12. 26.12.";
    }
    void alpineTable() {
        QFETCH(QString, region);
        QFETCH(int, year);
        QFETCH(QStringList, ticked);
        QFETCH(QString, expected);
        QList<QDate> dates;
        for (const PublicHoliday& holiday : PublicHolidays(region, year, ticked)) {
            QVERIFY(!holiday.name.isEmpty());
            dates << holiday.date;
        }
        QCOMPARE(dates, days(year, expected));
    }

    // 24 and 31 December join the holidays of a German soldier, from Monday to Friday only.
    void germanSoldiersEves_data() {
        QTest::addColumn<QString>("region");
        QTest::addColumn<ServiceKind>("kind");
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("december"); // the days from the 24th
        const QString weekdays =
            "24.12. Heiligabend, 25.12. 1. Weihnachtstag, 26.12. 2. Weihnachtstag, 31.12. Silvester";
        const QString christmas = "25.12. 1. Weihnachtstag, 26.12. 2. Weihnachtstag";
        QTest::newRow("Thursdays") << "DE-BY" << ServiceKind::MilitaryService << 2026 << weekdays;
        QTest::newRow("Fridays") << "BY" << ServiceKind::FixedTermSoldier << 2027 << weekdays;
        QTest::newRow("Sundays") << "DE" << ServiceKind::MilitaryService << 2028 << christmas;
        QTest::newRow("Saturdays") << "DE-NW" << ServiceKind::MilitaryService << 2022 << christmas;
        QTest::newRow("Mondays") << "DE-SN" << ServiceKind::FixedTermSoldier << 2029 << weekdays;
        QTest::newRow("a volunteer") << "DE-BY" << ServiceKind::VoluntaryService << 2026 << christmas;
        QTest::newRow("in Austria") << "AT-9" << ServiceKind::MilitaryService << 2026
                                    << "25.12. Christtag, 26.12. Stefanitag";
        QTest::newRow("no place of duty") << "" << ServiceKind::MilitaryService << 2026 << "";
    }
    void germanSoldiersEves() {
        QFETCH(int, year);
        ServiceTerm term;
        QFETCH(QString, region);
        QFETCH(ServiceKind, kind);
        term.region = region;
        term.kind = kind;
        QStringList december;
        for (const PublicHoliday& holiday : HolidaysOfTerm(term, year))
            if (holiday.date >= QDate(year, 12, 24))
                december << holiday.date.toString(QStringLiteral("d.M. ")) + holiday.name;
        QTEST(december.join(QStringLiteral(", ")), "december");
    }

    // Full months of service as periods of months are counted: to the day before the same
    // day of the month, or to the month's last day where it has no such day.
    void fullMonths_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("months");
        for (const char* row : {"1.4.2027 30.9.2027 6", "1.4.2027 29.9.2027 5", "2.4.2027 1.10.2027 6",
                                "31.1.2027 28.2.2027 1", "31.1.2027 27.2.2027 0", "31.1.2028 29.2.2028 1",
                                "31.1.2028 28.2.2028 0", "30.1.2027 28.2.2027 1", "28.1.2027 27.2.2027 1",
                                "28.1.2027 26.2.2027 0", "31.3.2027 30.4.2027 1", "31.3.2027 29.4.2027 0",
                                "31.1.2027 30.3.2027 2", "15.3.2027 14.3.2028 12", "1.1.2027 31.12.2027 12",
                                "1.7.2026 31.5.2027 11", "1.4.2027 1.4.2027 0", "2.4.2027 1.4.2027 0"}) {
            const QStringList parts = QString::fromLatin1(row).split(QLatin1Char(' '));
            QTest::newRow(row) << parts[0] << parts[1] << parts[2].toInt();
        }
    }
    void fullMonths() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QTEST(FullMonths(*ReadDay(from), *ReadDay(to)), "months");
    }

    // The leave each kind's rules give, with the rule as the window shows it.
    void proposedLeave_data() {
        QTest::addColumn<ServiceKind>("kind");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("rule"); // empty: none proposed
        QTest::addColumn<double>("days");
        const auto row = [](const char* name, ServiceKind kind, const char* from, const char* to,
                            const char* rule,
                            double days) { QTest::newRow(name) << kind << from << to << rule << days; };
        row("six months", ServiceKind::MilitaryService, "1.4.2027", "30.9.2027",
            "2,5 Tage je voller Monat: 15 Tage", 15);
        row("a day short of six", ServiceKind::MilitaryService, "1.4.2027", "29.9.2027",
            "2,5 Tage je voller Monat: 12,5 Tage", 12.5);
        row("eleven into a leap year", ServiceKind::MilitaryService, "1.4.2027", "29.2.2028",
            "2,5 Tage je voller Monat: 27,5 Tage", 27.5);
        row("under a month", ServiceKind::MilitaryService, "1.4.2027", "20.4.2027",
            "2,5 Tage je voller Monat: 0 Tage", 0);
        row("two years and halves", ServiceKind::FixedTermSoldier, "1.7.2026", "30.6.2028",
            "30 Tage je Jahr, 2,5 je voller Monat im angebrochenen Jahr: 60 Tage", 60);
        row("begun in mid-July", ServiceKind::FixedTermSoldier, "15.7.2026", "31.12.2027",
            "30 Tage je Jahr, 2,5 je voller Monat im angebrochenen Jahr: 42,5 Tage", 42.5);
        row("a volunteer's year", ServiceKind::VoluntaryService, "1.9.2026", "31.8.2027",
            "2 Werktage je voller Monat: 24 Tage", 24);
        row("a day short", ServiceKind::VoluntaryService, "1.9.2026", "30.8.2027",
            "2 Werktage je voller Monat: 22 Tage", 22);
        row("Zivildienst", ServiceKind::CivilService, "1.1.2027", "30.9.2027",
            "10 Arbeitstage im Zivildienst: 10 Tage", 10);
        row("Grundwehrdienst", ServiceKind::BasicMilitaryService, "1.1.2027", "30.6.2027", "", 0);
        row("Rekrutenschule", ServiceKind::RecruitSchool, "1.1.2027", "6.5.2027", "", 0);
        row("ends before it starts", ServiceKind::MilitaryService, "1.4.2027", "31.3.2027", "", 0);
    }
    void proposedLeave() {
        QFETCH(ServiceKind, kind);
        QFETCH(QString, from);
        QFETCH(QString, to);
        const std::optional<LeaveProposal> proposal = ProposedLeave(kind, *ReadDay(from), *ReadDay(to));
        QTEST(proposal ? proposal->rule : QString(), "rule");
        QTEST(proposal ? proposal->days : 0.0, "days");
    }

    // The local days each region offers to tick, by the keys the settings file keeps.
    void localDays_data() {
        QTest::addColumn<QString>("region");
        QTest::addColumn<QString>("days");
        QTest::newRow("DE-BY") << "DE-BY"
                               << "friedensfest=Augsburger Friedensfest mariae-himmelfahrt=Mariä Himmelfahrt";
        QTest::newRow("BY") << "BY"
                            << "friedensfest=Augsburger Friedensfest mariae-himmelfahrt=Mariä Himmelfahrt";
        QTest::newRow("DE-TH") << "DE-TH"
                               << "fronleichnam=Fronleichnam";
        QTest::newRow("DE-BW") << "DE-BW"
                               << "";
        QTest::newRow("DE") << "DE"
                            << "";
        QTest::newRow("AT-2") << "AT-2"
                              << "landespatron=Josefstag volksabstimmung=Tag der Volksabstimmung";
        QTest::newRow("AT-3") << "AT-3"
                              << "landespatron=Leopolditag";
        QTest::newRow("AT") << "AT"
                            << "";
        QTest::newRow("CH-NE")
            << "CH-NE"
            << "ostermontag=Ostermontag pfingstmontag=Pfingstmontag fronleichnam=Fronleichnam "
               "bettagsmontag=Bettagsmontag";
        QTest::newRow("CH-ZH") << "CH-ZH"
                               << "berchtoldstag=Berchtoldstag";
        QTest::newRow("CH") << "CH"
                            << "";
        QTest::newRow("none") << ""
                              << "";
    }
    void localDays() {
        QFETCH(QString, region);
        QStringList offered;
        for (const LocalHoliday& day : LocalHolidays(region))
            offered << day.key + QLatin1Char('=') + day.name;
        QTEST(offered.join(QLatin1Char(' ')), "days");
    }
};

QTEST_GUILESS_MAIN(HolidaysTest)
#include "tst_holidays.moc"
