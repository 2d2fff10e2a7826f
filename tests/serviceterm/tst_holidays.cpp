// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "serviceterm/holidays.h"

#include <QtTest>
#include <algorithm>

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
    }
    void everyName() {
        QFETCH(QString, region);
        QStringList names;
        for (const PublicHoliday& holiday : PublicHolidays(region, 2027))
            names << holiday.name;
        QTEST(names, "names");
    }

    void regionNames() {
        QStringList names;
        for (const HolidayRegion& region : HolidayRegions())
            names << region.code + QLatin1Char(' ') + region.name;
        QCOMPARE(names,
                 (QStringList{"BW Baden-Württemberg", "BY Bayern", "BE Berlin", "BB Brandenburg", "HB Bremen",
                              "HH Hamburg", "HE Hessen", "MV Mecklenburg-Vorpommern", "NI Niedersachsen",
                              "NW Nordrhein-Westfalen", "RP Rheinland-Pfalz", "SL Saarland", "SN Sachsen",
                              "ST Sachsen-Anhalt", "SH Schleswig-Holstein", "TH Thüringen",
                              "DE nur bundesweite Feiertage", " keine Feiertage"}));
    }

    void regions() {
        QCOMPARE(HolidayRegions().size(), 18);
        QVERIFY(IsHolidayRegion(QStringLiteral("TH")));
        QVERIFY(IsHolidayRegion(QString()));
        QVERIFY(!IsHolidayRegion(QStringLiteral("th")));
    }
};

QTEST_GUILESS_MAIN(HolidaysTest)
#include "tst_holidays.moc"
