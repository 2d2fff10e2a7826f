// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "countdownwindow/frmcountdown.h"
#include "mainwindow/frmpgr.h"
#include "settings/fixedtext.h"
#include "support/fakes.h"

#include <QtTest>

namespace {

const QString quitQuestion = QStringLiteral("Für Heute ist Dienstschluß! Möchten Sie den Counter beenden?");

const QStringList guardDuty{"Dienst=12.6.2027 7:00-13.6.2027 7:00"};
const QStringList exercise{"Dienst=10.5.2027-14.5.2027"};

// Duty-time mode, Bavaria, service to Wednesday 30 June 2027, with the [Dienstzeit] lines given.
frmPGR* startAt(TestWorld& world, const QString& instant, const QStringList& lines,
                const QString& end = QStringLiteral("30.06.2027"), qint16 unit = Unit::Days) {
    world.clock.set(instant);
    SettingsRecord record = SampleSettings();
    SetText(&SettingsRecord::Pgr, record, end);
    record.Anzeige = unit;
    WriteSettingsFile(record);
    WriteServiceFile(QStringList{"Bundesland=BY"} + lines);
    return ShowForm<frmPGR>();
}

QString later(const QString& instant, int seconds) {
    return QDateTime::fromString(instant, QStringLiteral("yyyy-MM-dd hh:mm:ss"))
        .addSecs(seconds)
        .toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

} // namespace

class DutyPeriodsTest : public QObject {
    Q_OBJECT
private slots:
    // Off duty the counts stand at the plain counts of the next period's start; on duty they run.
    void counts_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("instant");
        QTest::addColumn<QString>("countsOf"); // empty: they run
        QTest::newRow("guard: the evening before") << guardDuty << "2027-06-11 17:00:00"
                                                   << "2027-06-12 07:00:00";
        QTest::newRow("guard: Saturday evening") << guardDuty << "2027-06-12 20:00:00"
                                                 << "";
        QTest::newRow("guard: the night") << guardDuty << "2027-06-13 03:00:00"
                                          << "";
        QTest::newRow("guard: Sunday after it") << guardDuty << "2027-06-13 07:00:01"
                                                << "2027-06-14 07:00:00";
        QTest::newRow("exercise: Sunday before") << exercise << "2027-05-09 10:00:00"
                                                 << "2027-05-10 07:00:00";
        QTest::newRow("exercise: Tuesday night") << exercise << "2027-05-11 02:00:00"
                                                 << "";
        QTest::newRow("exercise: Thursday evening") << exercise << "2027-05-13 21:00:00"
                                                    << "";
        QTest::newRow("exercise: Friday after, before Whitsun") << exercise << "2027-05-14 12:00:01"
                                                                << "2027-05-18 07:00:00";
        QTest::newRow("duty Saturday after Good Friday: Thursday evening")
            << QStringList{"Dienst=27.3.2027"} << "2027-03-25 17:00:00"
            << "2027-03-27 07:00:00";
        QTest::newRow("duty Saturday after Good Friday: on Good Friday")
            << QStringList{"Dienst=27.3.2027"} << "2027-03-26 12:00:00"
            << "2027-03-27 07:00:00";
        QTest::newRow("duty Saturday: that day") << QStringList{"Dienst=27.3.2027"} << "2027-03-27 16:00:00"
                                                 << "";
        QTest::newRow("duty Saturday: after it, Easter")
            << QStringList{"Dienst=27.3.2027"} << "2027-03-27 18:00:00"
            << "2027-03-30 07:00:00";
        QTest::newRow("guard over Easter night, as the clocks go forward")
            << QStringList{"Dienst=27.3.2027 7:00-28.3.2027 7:00"} << "2027-03-28 03:00:00"
            << "";
        QTest::newRow("guard over Easter night: Sunday after it, Easter Monday free")
            << QStringList{"Dienst=27.3.2027 7:00-28.3.2027 7:00"} << "2027-03-28 07:00:01"
            << "2027-03-30 07:00:00";
        QTest::newRow("guard over New Year's night: the night")
            << QStringList{"Dienst=31.12.2026 7:00-1.1.2027 7:00"} << "2027-01-01 00:30:00"
            << "";
        QTest::newRow("guard over New Year's night: New Year's Day after it")
            << QStringList{"Dienst=31.12.2026 7:00-1.1.2027 7:00"} << "2027-01-01 07:00:01"
            << "2027-01-04 07:00:00";
        QTest::newRow("duty on a leave day: the evening before")
            << QStringList{"Urlaub=19.4.2027-23.4.2027", "Dienst=21.4.2027"} << "2027-04-20 10:00:00"
            << "2027-04-21 07:00:00";
        QTest::newRow("duty on a leave day: that day")
            << QStringList{"Urlaub=19.4.2027-23.4.2027", "Dienst=21.4.2027"} << "2027-04-21 10:00:00"
            << "";
        QTest::newRow("duty on a leave day: after it")
            << QStringList{"Urlaub=19.4.2027-23.4.2027", "Dienst=21.4.2027"} << "2027-04-21 17:00:00"
            << "2027-04-26 07:00:00";
        QTest::newRow("a day off before a weekend")
            << QStringList{"Dienstfrei=2.4.2027"} << "2027-04-01 17:00:00"
            << "2027-04-05 07:00:00";
        QTest::newRow("on the day off") << QStringList{"Dienstfrei=2.4.2027"} << "2027-04-02 10:00:00"
                                        << "2027-04-05 07:00:00";
    }
    void counts() {
        QFETCH(QStringList, lines);
        QFETCH(QString, instant);
        QFETCH(QString, countsOf);
        TestWorld world;
        frmPGR* window = startAt(world, instant, lines);
        TickMainWindowAt(world, instant);
        QCOMPARE(ShownCounts(window), PlainCountsAt(world.clock, countsOf.isEmpty() ? instant : countsOf));
        // A minute later they have run on, or still stand.
        TickMainWindowAt(world, later(instant, 60));
        QCOMPARE(ShownCounts(window),
                 PlainCountsAt(world.clock, countsOf.isEmpty() ? later(instant, 60) : countsOf));
    }

    // The countdown window comes 11 seconds before a period's end, counting the seconds to that end.
    void countdownAtThePeriodsEnd_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("end");
        QTest::newRow("guard duty on Sunday morning") << guardDuty << "2027-06-13 07:00:00";
        QTest::newRow("the exercise's Friday") << exercise << "2027-05-14 12:00:00";
        QTest::newRow("a duty Saturday") << QStringList{"Dienst=27.3.2027"} << "2027-03-27 16:30:00";
        QTest::newRow("evening duty after the usual day")
            << QStringList{"Dienst=16.6.2027 16:30-16.6.2027 22:00"} << "2027-06-16 22:00:00";
    }
    void countdownAtThePeriodsEnd() {
        QFETCH(QStringList, lines);
        QFETCH(QString, end);
        TestWorld world;
        startAt(world, later(end, -60), lines);
        QVERIFY(TickMainWindowAt(world, later(end, -12)));
        QCOMPARE(TickMainWindowAt(world, later(end, -11)), nullptr);
        frmCountdown* countdown = FindForm<frmCountdown>();
        QVERIFY(countdown);
        world.clock.set(later(end, -10));
        countdown->Timer1_Timer();
        QCOMPARE(LabelText(countdown, "lblTime"), QStringLiteral("10"));
        world.clock.set(later(end, 1));
        countdown->Timer1_Timer();
        QCOMPARE(LabelText(countdown, "lblTime"), QStringLiteral("Schluß"));
        QCOMPARE(LabelText(countdown, "lblEinh"), QStringLiteral("für Heute!"));

        // Back in the main window: the end-of-duty question, once.
        world.clock.set(later(end, 5));
        countdown->close();
        frmPGR* window = TickMainWindowAt(world, later(end, 6));
        QVERIFY(window);
        TickMainWindowAt(world, later(end, 600));
        QCOMPARE(world.messages.texts(), QStringList{quitQuestion});
    }

    // Inside a period no countdown window and no question: the usual end of duty is not one.
    void noEndOfDutyInsideAPeriod_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("instant");
        QTest::newRow("exercise Monday") << exercise << "2027-05-10 16:29:40";
        QTest::newRow("exercise Wednesday") << exercise << "2027-05-12 16:29:40";
        QTest::newRow("exercise Thursday") << exercise << "2027-05-13 16:29:40";
        QTest::newRow("evening duty joined to the day")
            << QStringList{"Dienst=16.6.2027 16:30-16.6.2027 22:00"} << "2027-06-16 16:29:40";
        QTest::newRow("a Sunday after guard duty, at Friday's hour") << guardDuty << "2027-06-13 11:59:40";
    }
    void noEndOfDutyInsideAPeriod() {
        QFETCH(QStringList, lines);
        QFETCH(QString, instant);
        TestWorld world;
        startAt(world, instant, lines);
        AutoCountdownDone = False;
        for (int second = 0; second <= 30; ++second) {
            const QString now = later(instant, second);
            QVERIFY2(TickMainWindowAt(world, now), qPrintable(now));
        }
        QVERIFY(!FindForm<frmCountdown>());
        QVERIFY(world.messages.shown.size() <= 1); // at most the question after guard duty, once
    }

    // The end-of-service day inside an exercise keeps its behaviour: the window comes back, the
    // countdown window by the unit, no question; the counts run and then stand at 0.
    void endOfServiceInsideAnExercise_data() {
        QTest::addColumn<int>("unit");
        QTest::addColumn<bool>("countdown");
        QTest::newRow("days") << int(Unit::Days) << false;
        QTest::newRow("hours") << int(Unit::Hours) << true;
    }
    void endOfServiceInsideAnExercise() {
        QFETCH(int, unit);
        TestWorld world;
        frmPGR* window = startAt(world, QStringLiteral("2027-06-30 03:00:00"), {"Dienst=28.6.2027-2.7.2027"},
                                 QStringLiteral("30.06.2027"), qint16(unit));
        window->showMinimized();
        window = TickMainWindowAt(world, QStringLiteral("2027-06-30 03:00:01"));
        QFETCH(bool, countdown);
        QCOMPARE(FindForm<frmCountdown>() != nullptr, countdown);
        if (countdown)
            return;
        QVERIFY(!window->isMinimized());
        QCOMPARE(ShownCounts(window), PlainCountsAt(world.clock, QStringLiteral("2027-06-30 03:00:01")));
        for (const char* instant : {"2027-06-30 16:29:49", "2027-06-30 16:29:55", "2027-06-30 16:30:05"})
            QVERIFY(TickMainWindowAt(world, QString::fromLatin1(instant)));
        QCOMPARE(ShownCounts(window).mid(1), (QStringList{"0", "0", "0", "0"}));
        QVERIFY(world.messages.shown.isEmpty());
    }

    // Where no duty period touches the day, every count, caption and message is as without one.
    void asWithoutPeriods() {
        QStringList seen[2];
        for (int withPeriods = 0; withPeriods < 2; ++withPeriods) {
            TestWorld world;
            const QString start = QStringLiteral("2027-05-06 15:00:00"); // Ascension Day, then a Friday
            frmPGR* window = startAt(world, start,
                                     withPeriods ? QStringList{"Dienst=19.6.2027-20.6.2027"} : QStringList());
            for (int second = 1; second <= 30 * 3600; second += 7) {
                window = TickMainWindowAt(world, later(start, second));
                if (!window) {
                    seen[withPeriods]
                        << QStringLiteral("countdown at ") + world.clock.now.toString(Qt::ISODate);
                    FindForm<frmCountdown>()->close();
                    window = FindForm<frmPGR>();
                    continue;
                }
                seen[withPeriods] << ShownCounts(window).join(QLatin1Char(' ')) + QLatin1Char(' ') +
                                         window->windowTitle();
            }
            seen[withPeriods] << world.messages.texts();
        }
        QCOMPARE(seen[1], seen[0]);
        QVERIFY(seen[0].filter(QStringLiteral("countdown at")).size() == 1);
    }
};

QTEST_MAIN(DutyPeriodsTest)
#include "tst_dutyperiods.moc"
