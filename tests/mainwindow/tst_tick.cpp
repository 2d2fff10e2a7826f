// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "countdownwindow/frmcountdown.h"
#include "mainwindow/frmpgr.h"
#include "support/fakes.h"

#include <QtTest>

namespace {

const QString quitQuestion = QStringLiteral("Für Heute ist Dienstschluß! Möchten Sie den Counter beenden?");

frmCountdown* countdownTickAt(TestWorld& world, const QString& instant) {
    world.clock.set(instant);
    frmCountdown* window = FindForm<frmCountdown>();
    Q_ASSERT(window);
    window->Timer1_Timer();
    return window;
}

frmPGR* startWith(TestWorld& world, const SettingsRecord& record, const QString& instant) {
    world.clock.set(instant);
    WriteSettingsFile(record);
    return ShowForm<frmPGR>();
}

} // namespace

class TickTest : public QObject {
    Q_OBJECT
private slots:
    void workingDay() {
        TestWorld world;
        frmPGR* window = startWith(world, SampleSettings(), QStringLiteral("1999-03-01 06:30:00"));
        QCOMPARE(LabelText(window, "lbldaytime"), QStringLiteral("Guten Morgen!"));

        const QStringList atDutyStart = PlainCountsAt(world.clock, QStringLiteral("1999-03-01 07:00:00"));
        TickMainWindowAt(world, QStringLiteral("1999-03-01 06:30:01"));
        QCOMPARE(ShownCounts(window), atDutyStart);
        QCOMPARE(OffDutyShown, True);
        TickMainWindowAt(world, QStringLiteral("1999-03-01 07:00:00"));
        QCOMPARE(ShownCounts(window), atDutyStart); // still off duty: frozen

        TickMainWindowAt(world, QStringLiteral("1999-03-01 07:00:01"));
        QCOMPARE(ShownCounts(window), PlainCountsAt(world.clock, QStringLiteral("1999-03-01 07:00:01")));
        QCOMPARE(window->windowTitle(), QStringLiteral("Pilgrast Counter 01.04.1999 16:30 Uhr"));

        QVERIFY(TickMainWindowAt(world, QStringLiteral("1999-03-01 16:29:48")));
        QVERIFY(!FindForm<frmCountdown>());
        QCOMPARE(TickMainWindowAt(world, QStringLiteral("1999-03-01 16:29:49")), nullptr);
        QVERIFY(FindForm<frmCountdown>());
        QCOMPARE(CountdownAtDutyEnd, 1);
        QCOMPARE(AutoCountdownDone, True);

        frmCountdown* countdown = countdownTickAt(world, QStringLiteral("1999-03-01 16:29:50"));
        QCOMPARE(LabelText(countdown, "lblTime"), QStringLiteral("10"));
        QCOMPARE(LabelText(countdown, "lblEinh"), QString());
        countdownTickAt(world, QStringLiteral("1999-03-01 16:30:00"));
        QCOMPARE(LabelText(countdown, "lblTime"), QStringLiteral("0"));
        countdownTickAt(world, QStringLiteral("1999-03-01 16:30:01"));
        QCOMPARE(LabelText(countdown, "lblTime"), QStringLiteral("Schluß"));
        QCOMPARE(LabelText(countdown, "lblEinh"), QStringLiteral("für Heute!"));

        world.clock.set(QStringLiteral("1999-03-01 16:30:05"));
        countdown->close();
        window = FindForm<frmPGR>();
        QVERIFY(window && window->isVisible());
        QCOMPARE(AutoCountdownDone, True);
        QCOMPARE(CountdownAtDutyEnd, 0);

        world.messages.answers = {MsgYes};
        TickMainWindowAt(world, QStringLiteral("1999-03-01 16:30:06"));
        QCOMPARE(ShownCounts(window), PlainCountsAt(world.clock, QStringLiteral("1999-03-02 07:00:00")));
        QCOMPARE(world.messages.texts(), QStringList{quitQuestion});
        QCOMPARE(world.messages.shown[0].style, 36);
        QCOMPARE(world.programEnds, 1);
    }

    // Friday evening and the weekend count from Monday's start of duty; a Friday
    // morning from that same morning's.
    void offDutyDays_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("nextDutyStart");
        QTest::addColumn<bool>("asksToQuit");
        QTest::newRow("Friday before duty") << "1999-03-05 06:15:00"
                                            << "1999-03-05 07:00:00" << false;
        QTest::newRow("Friday evening") << "1999-03-05 17:00:00"
                                        << "1999-03-08 07:00:00" << true;
        QTest::newRow("Saturday") << "1999-03-06 10:00:00"
                                  << "1999-03-08 07:00:00" << false;
        QTest::newRow("Sunday") << "1999-03-07 23:00:00"
                                << "1999-03-08 07:00:00" << false;
        QTest::newRow("Monday exactly at the start") << "1999-03-08 07:00:00"
                                                     << "1999-03-08 07:00:00" << false;
    }
    void offDutyDays() {
        QFETCH(QString, start);
        QFETCH(QString, nextDutyStart);
        TestWorld world;
        startWith(world, SampleSettings(), start);
        frmPGR* window = TickMainWindowAt(world, start);
        QFETCH(bool, asksToQuit);
        QCOMPARE(ShownCounts(window), PlainCountsAt(world.clock, nextDutyStart));
        QCOMPARE(world.messages.texts(), asksToQuit ? QStringList{quitQuestion} : QStringList{});
    }

    void weekendStillActsOnFridaysEndOfDuty() {
        TestWorld world;
        startWith(world, SampleSettings(), QStringLiteral("1999-03-06 10:00:00"));
        frmPGR* window = TickMainWindowAt(world, QStringLiteral("1999-03-06 10:00:01"));
        const QStringList frozen = ShownCounts(window);
        TickMainWindowAt(world, QStringLiteral("1999-03-06 11:00:00"));
        QCOMPARE(ShownCounts(window), frozen);
        QCOMPARE(TickMainWindowAt(world, QStringLiteral("1999-03-06 11:59:49")), nullptr);
        QVERIFY(FindForm<frmCountdown>());
        QVERIFY(world.messages.shown.isEmpty()); // never the question at the weekend
    }

    // A counter that runs for days: each evening brings its own counts, its countdown window and
    // its question, as a new start-up would, however the evening before was answered.
    void secondEveningGetsItsOwnCounts() {
        TestWorld world;
        SettingsRecord record = SampleSettings();
        startWith(world, record, QStringLiteral("1999-03-01 18:00:00"));
        AutoCountdownDone = True; // as after a countdown window closed
        TickMainWindowAt(world, QStringLiteral("1999-03-01 18:00:01"));
        QCOMPARE(world.messages.texts(), QStringList{quitQuestion}); // answered No
        QVERIFY(TickMainWindowAt(world, QStringLiteral("1999-03-01 23:59:59")));
        TickMainWindowAt(world, QStringLiteral("1999-03-02 12:00:00"));
        QCOMPARE(TickMainWindowAt(world, QStringLiteral("1999-03-02 16:29:49")), nullptr);
        world.clock.set(QStringLiteral("1999-03-02 16:30:02"));
        FindForm<frmCountdown>()->close();
        frmPGR* window = TickMainWindowAt(world, QStringLiteral("1999-03-02 16:30:03"));
        QCOMPARE(ShownCounts(window), PlainCountsAt(world.clock, QStringLiteral("1999-03-03 07:00:00")));
        QCOMPARE(world.messages.texts(), (QStringList{quitQuestion, quitQuestion}));
        TickMainWindowAt(world, QStringLiteral("1999-03-02 16:30:04"));
        QCOMPARE(world.messages.texts().size(), 2); // once that evening
    }

    void endOfServiceDay_data() {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("stillWaiting");
        QTest::addColumn<QString>("opens");
        QTest::newRow("days") << 1 << "1999-04-01 16:29:55"
                              << "";
        QTest::newRow("hours") << 4 << ""
                               << "1999-04-01 08:00:00";
        QTest::newRow("minutes") << 2 << "1999-04-01 15:30:01"
                                 << "1999-04-01 15:31:00";
        QTest::newRow("seconds") << 3 << "1999-04-01 16:27:59"
                                 << "1999-04-01 16:28:01";
        QTest::newRow("minutes, 60 left") << 2 << "1999-04-01 15:30:59"
                                          << "1999-04-01 15:31:00";
        QTest::newRow("seconds, 120 left") << 3 << "1999-04-01 16:28:00"
                                           << "1999-04-01 16:28:01";
    }
    void endOfServiceDay() {
        QFETCH(int, unit);
        QFETCH(QString, stillWaiting);
        QFETCH(QString, opens);
        TestWorld world;
        SettingsRecord record = SampleSettings();
        record.Anzeige = qint16(unit);
        frmPGR* window = startWith(world, record, QStringLiteral("1999-04-01 06:00:00"));
        if (!stillWaiting.isEmpty()) {
            window->showMinimized();
            window = TickMainWindowAt(world, stillWaiting);
            QVERIFY(window);
            QVERIFY(!window->isMinimized());
            QVERIFY(!FindForm<frmCountdown>());
        }
        if (!opens.isEmpty()) {
            QCOMPARE(TickMainWindowAt(world, opens), nullptr);
            QVERIFY(FindForm<frmCountdown>());
            QCOMPARE(CountdownAtDutyEnd, 0);
        }
        QVERIFY(world.messages.shown.isEmpty()); // no end-of-duty question on that day
    }

    // The end-of-duty question and the last-seconds countdown, each at its exact second.
    void endOfDutyThresholds_data() {
        QTest::addColumn<QString>("instant"); // start-up and tick
        QTest::addColumn<bool>("countdownDone");
        QTest::addColumn<bool>("asks");
        QTest::addColumn<bool>("countdownOpens");
        QTest::newRow("question, 9 s left") << "1999-03-01 16:29:51" << true << true << false;
        QTest::newRow("no question, 10 s left") << "1999-03-01 16:29:50" << true << false << false;
        QTest::newRow("question on Friday, 9 s left") << "1999-03-05 11:59:51" << true << true << false;
        QTest::newRow("no question on Saturday") << "1999-03-06 11:59:51" << true << false << false;
        QTest::newRow("no question on Sunday evening") << "1999-03-07 20:00:00" << true << false << false;
        QTest::newRow("countdown, 11 s left") << "1999-03-01 16:29:49" << false << false << true;
        QTest::newRow("question, then countdown, 1 s left") << "1999-03-01 16:29:59" << false << true << true;
        QTest::newRow("no countdown, 12 s left") << "1999-03-01 16:29:48" << false << false << false;
        QTest::newRow("no countdown at the end of duty") << "1999-03-01 16:30:00" << false << true << false;
    }
    void endOfDutyThresholds() {
        QFETCH(QString, instant);
        QFETCH(bool, countdownDone);
        QFETCH(bool, asks);
        QFETCH(bool, countdownOpens);
        TestWorld world;
        startWith(world, SampleSettings(), instant);
        AutoCountdownDone = countdownDone ? True : False;
        const frmPGR* window = TickMainWindowAt(world, instant);
        QCOMPARE(world.messages.texts(), asks ? QStringList{quitQuestion} : QStringList{});
        QCOMPARE(window == nullptr, countdownOpens);
        QCOMPARE(FindForm<frmCountdown>() != nullptr, countdownOpens);
    }

    // After the countdown has run, the last seconds bring a minimised window back once.
    void lastSecondsRestoreTheWindowOnce() {
        TestWorld world;
        frmPGR* window = startWith(world, SampleSettings(), QStringLiteral("1999-03-01 16:29:40"));
        AutoCountdownDone = True;
        window->showMinimized();
        TickMainWindowAt(world, QStringLiteral("1999-03-01 16:29:48"));
        QVERIFY(window->isMinimized());
        TickMainWindowAt(world, QStringLiteral("1999-03-01 16:29:49"));
        QVERIFY(!window->isMinimized());
        window->showMinimized();
        for (int second = 50; second <= 59; ++second) {
            TickMainWindowAt(world, QStringLiteral("1999-03-01 16:29:%1").arg(second));
            QVERIFY(window->isMinimized());
        }
    }

    // Once every count has run out all four show 0, also where some are 0 and others
    // negative; the minimised caption carries the count as computed.
    void runOut_data() {
        QTest::addColumn<QString>("instant");
        QTest::addColumn<QStringList>("counts");
        QTest::addColumn<QString>("caption");
        QTest::newRow("a second before")
            << "1999-04-01 16:29:59" << QStringList{"0", "0", "1", "1"} << "1 Sekunden";
        QTest::newRow("at the end") << "1999-04-01 16:30:00" << QStringList{"0", "0", "0", "0"}
                                    << "0 Sekunden";
        QTest::newRow("30 s after") << "1999-04-01 16:30:30" << QStringList{"0", "0", "0", "0"}
                                    << "-30 Sekunden";
        QTest::newRow("half an hour after")
            << "1999-04-01 17:00:00" << QStringList{"0", "0", "0", "0"} << "-1800 Sekunden";
        QTest::newRow("next day") << "1999-04-02 08:00:00" << QStringList{"0", "0", "0", "0"}
                                  << "-55800 Sekunden";
    }
    void runOut() {
        QFETCH(QString, instant);
        QFETCH(QStringList, counts);
        QFETCH(QString, caption);
        TestWorld world;
        SettingsRecord record = SampleSettings();
        record.nd = 0;
        record.Anzeige = Unit::Seconds;
        frmPGR* window = startWith(world, record, instant);
        window->showMinimized();
        TickMainWindowAt(world, instant);
        QCOMPARE(ShownCounts(window).mid(1), counts);
        QCOMPARE(window->windowTitle(), caption);
    }

    void simpleModeAfterTheEnd() {
        TestWorld world;
        SettingsRecord record = SampleSettings();
        record.nd = 0;
        SetText(&SettingsRecord::Pgr, record, QStringLiteral("01.03.1999"));
        frmPGR* window = startWith(world, record, QStringLiteral("1999-03-10 10:00:00"));
        window->showMinimized();
        TickMainWindowAt(world, QStringLiteral("1999-03-10 10:00:01"));
        QCOMPARE(ShownCounts(window), (QStringList{"-1", "0", "0", "0", "0"}));
        QCOMPARE(window->windowTitle(), QStringLiteral("-9 Tage")); // built before the counts are reset
        QCOMPARE(window->txtpgr, QStringLiteral("01.03.1999 16:30"));
    }

    void minimisedCaptionByUnit_data() {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("caption");
        QTest::newRow("days") << 1 << "31 Tage";
        QTest::newRow("minutes") << 2 << "44820 Minuten";
        QTest::newRow("seconds") << 3 << "2689200 Sekunden";
        QTest::newRow("hours") << 4 << "747 Stunden";
        QTest::newRow("unknown") << 5 << "31 Tage";
    }
    void minimisedCaptionByUnit() {
        QFETCH(int, unit);
        TestWorld world;
        SettingsRecord record = SampleSettings();
        record.Anzeige = qint16(unit);
        record.nd = 0;
        frmPGR* window = startWith(world, record, QStringLiteral("1999-03-01 13:30:00"));
        window->showMinimized();
        TickMainWindowAt(world, QStringLiteral("1999-03-01 13:30:00"));
        QTEST(window->windowTitle(), "caption");
    }

    void tickFailureHaltsWithOneMessage() {
        TestWorld world;
        SettingsRecord record = SampleSettings();
        record.nd = 0;
        SetText(&SettingsRecord::Pgr, record, QStringLiteral("31.02.1999"));
        frmPGR* window = startWith(world, record, QStringLiteral("1999-03-01 10:00:00"));
        for (int second = 1; second <= 5; ++second)
            TickMainWindowAt(world, QStringLiteral("1999-03-01 10:00:0%1").arg(second));
        QCOMPARE(world.messages.shown.size(), 1);
        QVERIFY(world.messages.shown[0].text.endsWith(QStringLiteral("#20")));
        QCOMPARE(world.messages.shown[0].style, 16);
        QCOMPARE(CounterHalted, 1);
        QCOMPARE(LabelText(window, "LblDay"), QString()); // nothing written after the failure
    }

    // A count that does not fit is said once; every other count, the caption and
    // the greeting go on, second after second.
    void failingFunctionLeavesTheOtherCountsLive_data() {
        QTest::addColumn<QString>("pgr");
        QTest::addColumn<int>("nd");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<int>("failingLabel");
        QTest::newRow("70 years, simple") << "01.03.2069" << 0 << "1999-03-01 10:00:00"
                                          << "#13" << 4;
        QTest::newRow("70 years, on duty") << "01.03.2069" << 1 << "1999-03-01 10:00:00"
                                           << "#13" << 4;
        QTest::newRow("70 years, off duty") << "01.03.2069" << 1 << "1999-03-01 20:00:00"
                                            << "#14" << 4;
        QTest::newRow("70 years, weekend") << "01.03.2069" << 1 << "1999-03-06 20:00:00"
                                           << "#16" << 4;
        QTest::newRow("90 years, simple") << "01.03.2089" << 0 << "1999-03-01 10:00:00"
                                          << "#1 #13" << 1;
    }
    void failingFunctionLeavesTheOtherCountsLive() {
        QFETCH(QString, pgr);
        QFETCH(int, nd);
        QFETCH(QString, start);
        QFETCH(QString, tag);
        QFETCH(int, failingLabel);
        for (const qint16 unit : {Unit::Days, Unit::Minutes, Unit::Seconds, Unit::Hours}) {
            TestWorld world;
            SettingsRecord record = SampleSettings();
            record.nd = qint16(nd);
            record.Anzeige = unit;
            SetText(&SettingsRecord::Pgr, record, pgr);
            frmPGR* window = startWith(world, record, start);
            world.clock.advance(1);
            window->Timer1_Timer();
            const QStringList first = ShownCounts(window);
            QCOMPARE(first[failingLabel], QStringLiteral("0"));
            if (failingLabel == 1) // the 90 years' seconds fail too
                QCOMPARE(first[4], QStringLiteral("0"));
            QCOMPARE(window->windowTitle(),
                     QStringLiteral("Pilgrast Counter ") + window->txtpgr + QStringLiteral(" Uhr"));
            window->showMinimized();
            for (int second = 0; second < 120; ++second) {
                world.clock.advance(1);
                window->Timer1_Timer();
            }
            const QStringList later = ShownCounts(window);
            for (int label = 0; label < 5; ++label)
                QVERIFY(later[label] == QLatin1String("0") || later[label].toLongLong() > 0);
            // Two minutes later the minutes have counted on, or stand still off duty.
            const bool offDuty = nd == 1 && tag != QLatin1String("#13");
            QCOMPARE(later[3].toLongLong(), first[3].toLongLong() - (offDuty ? 0 : 2));
            const int unitLabel = unit == Unit::Minutes   ? 3
                                  : unit == Unit::Seconds ? 4
                                  : unit == Unit::Hours   ? 2
                                                          : 1;
            QVERIFY(window->windowTitle().startsWith(later[unitLabel] + QLatin1Char(' ')));
            QVERIFY(!LabelText(window, "lbldaytime").isEmpty());
            QStringList shownTags; // once each; the end-of-duty question may come besides
            for (const auto& message : world.messages.shown)
                if (message.style == MsgStyle::Critical)
                    shownTags << message.text.mid(message.text.lastIndexOf(QLatin1Char('#')));
            QCOMPARE(shownTags.join(QLatin1Char(' ')), tag);
            QCOMPARE(CounterHalted, 0);
        }
    }

    // The end of service stays the same moment on every day of the week.
    void endOfServiceDoesNotMoveOnMondays() {
        TestWorld world;
        SettingsRecord record = SampleSettings();
        SetText(&SettingsRecord::Pgr, record, QStringLiteral("02.04.1999")); // a Friday: ends at 12:00
        startWith(world, record, QStringLiteral("1999-03-05 10:00:00"));
        frmPGR* window = TickMainWindowAt(world, QStringLiteral("1999-03-05 10:00:01"));
        const int fridayHours = LabelText(window, "lblhours").toInt();
        AutoCountdownDone = True;
        TickMainWindowAt(world, QStringLiteral("1999-03-08 10:00:01"));
        QCOMPARE(LabelText(window, "lblhours").toInt(), fridayHours - 72);
        QCOMPARE(window->txtpgr, QStringLiteral("02.04.1999 12:00"));
    }
};

QTEST_MAIN(TickTest)
#include "tst_tick.moc"
