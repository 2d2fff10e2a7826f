// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "services/programerror.h"
#include "support/fakes.h"
#include "timecalc/datevalue.h"

#include <QtTest>

namespace {
// The date value of a text the tests trust to convert.
DateValue at(const char* text) {
    return CDate(QString::fromLatin1(text));
}
} // namespace

class DateValueTest : public QObject {
    Q_OBJECT
private slots:
    void conversion_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("value");
        QTest::newRow("date") << "01.03.1999" << true << 36220.0;
        QTest::newRow("short date") << "1.3.1999" << true << 36220.0;
        QTest::newRow("padded date") << "  1.3.1999  " << true << 36220.0;
        QTest::newRow("time") << "16:30" << true << 0.6875;
        QTest::newRow("time with seconds") << "23:59:59" << true << 86399.0 / 86400;
        QTest::newRow("one-digit hour") << "7:30" << true << 0.3125;
        QTest::newRow("date and time") << "01.03.1999 16:30" << true << 36220.6875;
        QTest::newRow("stored date, blanks, time") << "1.3.1999   16:30" << true << 36220.6875;
        QTest::newRow("leap day") << "29.02.2000" << true << 36585.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("blanks") << "     " << false << 0.0;
        QTest::newRow("31 February") << "31.02.2000" << false << 0.0;
        QTest::newRow("29 February 1999") << "29.02.1999" << false << 0.0;
        QTest::newRow("24:00") << "24:00" << false << 0.0;
        QTest::newRow("12:60") << "12:60" << false << 0.0;
        QTest::newRow("day 0") << "00.01.2000" << false << 0.0;
        QTest::newRow("two-digit year") << "01.03.99" << false << 0.0;
        QTest::newRow("cut date") << "01.03" << false << 0.0;
        QTest::newRow("date cut inside time") << "1.3.2027 1" << false << 0.0;
        QTest::newRow("time before date") << "16:30 01.03.1999" << false << 0.0;
        QTest::newRow("word") << "morgen" << false << 0.0;
        QTest::newRow("25:00") << "25:00" << false << 0.0;
        // Digit groups one too long or too short, and the extremes of the calendar.
        QTest::newRow("five-digit year") << "01.04.19999" << false << 0.0;
        QTest::newRow("three-digit day") << "001.04.1999" << false << 0.0;
        QTest::newRow("three-digit month") << "01.004.1999" << false << 0.0;
        QTest::newRow("three-digit year") << "1.4.999" << false << 0.0;
        QTest::newRow("one-digit minute") << "16:3" << false << 0.0;
        QTest::newRow("three-digit minute") << "16:300" << false << 0.0;
        QTest::newRow("three-digit second") << "16:30:000" << false << 0.0;
        QTest::newRow("second 60") << "16:30:60" << false << 0.0;
        QTest::newRow("three-digit hour") << "016:30" << false << 0.0;
        QTest::newRow("year 0") << "01.01.0000" << false << 0.0;
        QTest::newRow("first day of year 1") << "01.01.0001" << true << -693593.0;
        QTest::newRow("last day of 9999") << "31.12.9999" << true << 2958465.0;
        QTest::newRow("midnight") << "0:00" << true << 0.0;
        QTest::newRow("last second of the day")
            << "31.12.9999 23:59:59" << true << 2958465.0 + 86399.0 / 86400;
    }
    void conversion() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(double, value);
        QCOMPARE(IsDate(text), valid);
        if (valid) {
            QCOMPARE(CDate(text), value);
            return;
        }
        try {
            CDate(text);
            QFAIL("the text must not convert");
        } catch (const ProgramError& error) {
            QVERIFY(error.description().contains(QLatin1Char('"') + text + QLatin1Char('"')) ||
                    error.description().contains(QStringLiteral("„") + text + QStringLiteral("“")));
        }
    }

    void boundaryCounting_data() {
        QTest::addColumn<int>("interval");
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::addColumn<qint64>("count");
        const auto d = int(DateInterval::Days), h = int(DateInterval::Hours), n = int(DateInterval::Minutes),
                   s = int(DateInterval::Seconds), w = int(DateInterval::Weeks);
        QTest::newRow("d across midnight")
            << d << at("1.3.1999 23:59:59") << at("2.3.1999 0:00") << qint64(1);
        QTest::newRow("d within a day") << d << at("1.3.1999 0:00") << at("1.3.1999 23:59:59") << qint64(0);
        QTest::newRow("h across the hour") << h << at("10:59:59") << at("11:00") << qint64(1);
        QTest::newRow("h within the hour") << h << at("10:00") << at("10:59:59") << qint64(0);
        QTest::newRow("h to 23:00") << h << at("18:30") << at("23:00:00") << qint64(5);
        QTest::newRow("n to 23:59") << n << at("18:30:59") << at("23:59:00") << qint64(329);
        QTest::newRow("s to 23:59:59") << s << at("18:30") << at("23:59:59") << qint64(19799);
        QTest::newRow("h to a calendar date") << h << at("1.3.1999 18:30") << at("2.3.1999") << qint64(6);
        QTest::newRow("ww Friday to Monday") << w << at("5.3.1999") << at("8.3.1999") << qint64(1);
        QTest::newRow("ww Monday to Sunday") << w << at("1.3.1999") << at("7.3.1999") << qint64(0);
        QTest::newRow("ww Monday to Monday") << w << at("1.3.1999 10:00") << at("8.3.1999 9:00") << qint64(1);
        QTest::newRow("d backwards") << d << at("8.3.1999") << at("5.3.1999") << qint64(-3);
        QTest::newRow("s backwards") << s << at("16:30:01") << at("16:30") << qint64(-1);
    }
    void boundaryCounting() {
        QFETCH(int, interval);
        QFETCH(double, from);
        QFETCH(double, to);
        QFETCH(qint64, count);
        QCOMPARE(DateDiff(DateInterval(interval), from, to, vbMonday), count);
    }

    void weekdays_data() {
        QTest::addColumn<QString>("date");
        QTest::addColumn<int>("mondayFirst");
        QTest::addColumn<int>("sundayFirst");
        QTest::newRow("Monday") << "1.3.1999" << 1 << 2;
        QTest::newRow("Friday") << "5.3.1999" << 5 << 6;
        QTest::newRow("Saturday") << "6.3.1999" << 6 << 7;
        QTest::newRow("Sunday") << "7.3.1999" << 7 << 1;
        QTest::newRow("day 0, a Saturday") << "30.12.1899" << 6 << 7;
        QTest::newRow("before day 0") << "24.12.1899" << 7 << 1;
    }
    void weekdays() {
        QFETCH(QString, date);
        QTEST(Weekday(CDate(date), vbMonday), "mondayFirst");
        QTEST(Weekday(CDate(date), vbSunday), "sundayFirst");
    }

    void clockReadings() {
        TestWorld world(QStringLiteral("2000-02-29 06:59:59"));
        QCOMPARE(Date(), at("29.2.2000"));
        QCOMPARE(Now(), at("29.2.2000 6:59:59"));
        QVERIFY(Time() < at("07:00"));
        world.clock.advance(1);
        QVERIFY(!(Time() < at("07:00")));
        QCOMPARE(Time(), at("07:00"));
    }

    void narrowingOverflows() {
        QCOMPARE(ToInt16(-32768), qint16(-32768));
        QCOMPARE(ToInt32(2147483647), qint32(2147483647));
        QVERIFY_THROWS_EXCEPTION(ProgramError, ToInt16(32768));
        QVERIFY_THROWS_EXCEPTION(ProgramError, ToInt32(-2147483649LL));
    }
};

QTEST_GUILESS_MAIN(DateValueTest)
#include "tst_datevalue.moc"
