// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/fakes.h"
#include "timecalc/functions.h"

#include <QtTest>

namespace {
const DateValue endDate = 36251.6875; // 01.04.1999 16:30
const DateValue dutyStart = 7.0 / 24; // 07:00
} // namespace

class FunctionsTest : public QObject {
    Q_OBJECT
private slots:
    // Each off-duty row equals the plain row taken at the next start of duty.
    void offDutyRows_data() {
        QTest::addColumn<QString>("instant");
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("nextDutyStart");
        QTest::newRow("Thursday evening") << "1999-03-04 18:30:00"
                                          << "OffDuty"
                                          << "1999-03-05 07:00:00";
        QTest::newRow("Friday before duty") << "1999-03-05 06:15:00"
                                            << "OffDuty"
                                            << "1999-03-05 07:00:00";
        QTest::newRow("Friday evening") << "1999-03-05 17:00:00"
                                        << "Friday"
                                        << "1999-03-08 07:00:00";
        QTest::newRow("Saturday") << "1999-03-06 10:00:00"
                                  << "Weekend"
                                  << "1999-03-08 07:00:00";
        QTest::newRow("Sunday") << "1999-03-07 10:00:00"
                                << "Weekend"
                                << "1999-03-08 07:00:00";
        QTest::newRow("Monday before duty") << "1999-03-08 06:59:59"
                                            << "OffDuty"
                                            << "1999-03-08 07:00:00";
        QTest::newRow("Monday at the start") << "1999-03-08 07:00:00"
                                             << "OffDuty"
                                             << "1999-03-09 07:00:00";
        QTest::newRow("Wednesday at midnight") << "1999-03-10 00:00:00"
                                               << "OffDuty"
                                               << "1999-03-10 07:00:00";
    }
    void offDutyRows() {
        QFETCH(QString, instant);
        QFETCH(QString, row);
        QFETCH(QString, nextDutyStart);
        TestWorld world(nextDutyStart);
        Settings = SampleSettings();
        const qint64 days = DaysLeft(endDate), hours = HoursLeft(endDate), minutes = MinutesLeft(endDate),
                     seconds = SecondsLeft(endDate);
        const qint32 weeks = *WeeksLeft(endDate);

        world.clock.set(instant);
        QCOMPARE(OffDutyShown, False);
        if (row == QLatin1String("OffDuty")) {
            QCOMPARE(*WeeksLeft(endDate), weeks);
            QCOMPARE(*DaysLeftOffDuty(endDate), days);
            QCOMPARE(HoursLeftOffDuty(endDate, dutyStart), hours);
            QCOMPARE(MinutesLeftOffDuty(endDate, dutyStart), minutes);
            QCOMPARE(SecondsLeftOffDuty(endDate, dutyStart), seconds);
        } else if (row == QLatin1String("Friday")) {
            QCOMPARE(*WeeksLeftWeekend(endDate), weeks);
            QCOMPARE(*DaysLeftFriday(endDate), days);
            QCOMPARE(HoursLeftFriday(endDate, dutyStart), hours);
            QCOMPARE(MinutesLeftFriday(endDate, dutyStart), minutes);
            QCOMPARE(SecondsLeftFriday(endDate, dutyStart), seconds);
        } else {
            QCOMPARE(*WeeksLeftWeekend(endDate), weeks);
            QCOMPARE(*DaysLeftWeekend(endDate), days);
            QCOMPARE(HoursLeftWeekend(endDate, dutyStart), hours);
            QCOMPARE(MinutesLeftWeekend(endDate, dutyStart), minutes);
            QCOMPARE(SecondsLeftWeekend(endDate, dutyStart), seconds);
        }
        QCOMPARE(OffDutyShown, True);
        QVERIFY(world.messages.shown.isEmpty());
    }

    void workedExamples() {
        TestWorld world(QStringLiteral("1999-03-04 18:30:00"));
        Settings = SampleSettings();
        QCOMPARE(DaysLeft(endDate), qint16(28));
        QCOMPARE(HoursLeft(endDate), 670);
        QCOMPARE(MinutesLeft(endDate), 40200);
        QCOMPARE(SecondsLeft(endDate), 2412000);
        QCOMPARE(WeeksLeft(endDate), CountVariant(4));
        QCOMPARE(OffDutyShown, False); // plain functions leave the flag alone
        QCOMPARE(DaysLeftOffDuty(endDate), CountVariant(27));
        QCOMPARE(HoursLeftOffDuty(endDate, dutyStart), 657);
        QCOMPARE(MinutesLeftOffDuty(endDate, dutyStart), 39450);
        QCOMPARE(SecondsLeftOffDuty(endDate, dutyStart), 2367000);

        world.clock.set(QStringLiteral("1999-03-05 17:00:00"));
        QCOMPARE(HoursLeftFriday(endDate, dutyStart), 585);
        QCOMPARE(MinutesLeftFriday(endDate, dutyStart), 35130);
        QCOMPARE(SecondsLeftFriday(endDate, dutyStart), 2107800);
        QCOMPARE(DaysLeftFriday(endDate), CountVariant(24));
        QCOMPARE(WeeksLeftWeekend(endDate), CountVariant(3));

        world.clock.set(QStringLiteral("1999-03-03 10:00:00")); // a Wednesday: the weekend set skips nothing
        QCOMPARE(DaysLeftWeekend(endDate), CountVariant(DaysLeft(endDate)));

        world.clock.set(QStringLiteral("1999-04-01 17:30:00"));
        QCOMPARE(HoursLeft(endDate), -1);
        QCOMPARE(DaysLeft(endDate), qint16(0));
        world.clock.set(QStringLiteral("1999-04-02 17:30:00"));
        QCOMPARE(DaysLeft(endDate), qint16(-1));
    }

    void errorsShowTheirTagAndGiveZero_data() {
        QTest::addColumn<QString>("endText");
        QTest::addColumn<QString>("function");
        QTest::addColumn<QString>("tag");
        QTest::newRow("days 90 years on") << "01.03.2089"
                                          << "DaysLeft"
                                          << "#1";
        QTest::newRow("seconds 70 years on") << "01.03.2069"
                                             << "SecondsLeft"
                                             << "#13";
        QTest::newRow("off-duty seconds 70 years on") << "01.03.2069"
                                                      << "SecondsLeftOffDuty"
                                                      << "#14";
        QTest::newRow("blank stored start of duty") << "01.04.1999"
                                                    << "DaysLeftOffDuty"
                                                    << "#2";
    }
    void errorsShowTheirTagAndGiveZero() {
        QFETCH(QString, endText);
        QFETCH(QString, function);
        QFETCH(QString, tag);
        TestWorld world(QStringLiteral("1999-03-04 18:30:00"));
        Settings = SampleSettings();
        Settings.DstBeg = QString(5, ' ');
        const DateValue end = CDate(endText);
        qint64 result = -1;
        if (function == QLatin1String("DaysLeft"))
            result = DaysLeft(end);
        else if (function == QLatin1String("SecondsLeft"))
            result = SecondsLeft(end);
        else if (function == QLatin1String("SecondsLeftOffDuty"))
            result = SecondsLeftOffDuty(end, dutyStart);
        else
            result = DaysLeftOffDuty(end).value_or(0);
        QCOMPARE(result, 0);
        QCOMPARE(world.messages.shown.size(), 1);
        QVERIFY(world.messages.shown[0].text.endsWith(tag));
        QVERIFY(!world.messages.shown[0].text.endsWith(QLatin1Char(' ') + tag));
        QCOMPARE(world.messages.shown[0].style, 16);
    }

    // The day count's limit: 32767 days show, one more overflows.
    void dayCountLimit_data() {
        QTest::addColumn<int>("daysAhead");
        QTest::addColumn<int>("shown");
        QTest::addColumn<bool>("overflows");
        QTest::newRow("32767") << 32767 << 32767 << false;
        QTest::newRow("32768") << 32768 << 0 << true;
        QTest::newRow("-32768") << -32768 << -32768 << false;
        QTest::newRow("-32769") << -32769 << 0 << true;
    }
    void dayCountLimit() {
        QFETCH(int, daysAhead);
        QFETCH(int, shown);
        QFETCH(bool, overflows);
        TestWorld world(QStringLiteral("1999-03-04 18:30:00"));
        const DateValue end = CDate(QStringLiteral("4.3.1999")) + daysAhead;
        QCOMPARE(int(DaysLeft(end)), shown);
        QCOMPARE(world.messages.shown.size(), overflows ? 1 : 0);
    }

    // A failure that recurs every second is shown once; after a success it counts as new.
    void recurringFailureShownOnceUntilItSucceeds() {
        TestWorld world(QStringLiteral("1999-02-11 13:15:52")); // 2^31 seconds before the end
        const DateValue end = CDate(QStringLiteral("01.03.2067 16:30"));
        QCOMPARE(SecondsLeft(end), 0);
        QCOMPARE(SecondsLeft(end), 0);
        QCOMPARE(world.messages.shown.size(), 1);
        world.clock.advance(1);
        QCOMPARE(SecondsLeft(end), 2147483647);
        world.clock.advance(-1); // the clock is put back
        QCOMPARE(SecondsLeft(end), 0);
        QCOMPARE(world.messages.shown.size(), 2);
        QVERIFY(world.messages.shown[1].text.endsWith(QStringLiteral("#13")));
        QCOMPARE(MinutesLeft(end), 35791395); // the other functions go on as usual
        QCOMPARE(world.messages.shown.size(), 2);
    }

    void storedStartOfDayIsTheTextsValue() {
        QCOMPARE(CDate(QStringLiteral("01.04.1999 16:30")), endDate);
        QCOMPARE(CDate(QStringLiteral("07:00")), dutyStart);
    }

    void countTexts() {
        QCOMPARE(CountText(qint64(-12)), QStringLiteral("-12"));
        QCOMPARE(CountText(qint64(1234567)), QStringLiteral("1234567"));
        QCOMPARE(CountText(CountVariant()), QString());
    }
};

QTEST_GUILESS_MAIN(FunctionsTest)
#include "tst_functions.moc"
