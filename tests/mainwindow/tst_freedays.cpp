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

// Duty-time mode, service to Wednesday 30 June 2027, in Bavaria with a week of leave before Whitsun.
SettingsRecord serviceIn2027() {
    SettingsRecord record = SampleSettings();
    SetText(&SettingsRecord::Pgr, record, QStringLiteral("30.06.2027"));
    return record;
}

frmPGR* startAt(TestWorld& world, const QString& instant, const SettingsRecord& record = serviceIn2027()) {
    world.clock.set(instant);
    WriteSettingsFile(record);
    return ShowForm<frmPGR>();
}

} // namespace

class FreeDaysTest : public QObject {
    Q_OBJECT
private slots:
    // Counts stand at the plain counts of the next start of duty, which lies beyond the free days.
    void countsStand_data() {
        QTest::addColumn<QString>("instant");
        QTest::addColumn<QString>("nextDutyStart");
        QTest::addColumn<bool>("asks");
        QTest::newRow("Wednesday evening before Ascension") << "2027-05-05 17:00:00"
                                                            << "2027-05-07 07:00:00" << true;
        QTest::newRow("Ascension morning") << "2027-05-06 06:30:00"
                                           << "2027-05-07 07:00:00" << false;
        QTest::newRow("Ascension at noon") << "2027-05-06 12:00:00"
                                           << "2027-05-07 07:00:00" << false;
        QTest::newRow("Friday after, before duty") << "2027-05-07 06:30:00"
                                                   << "2027-05-07 07:00:00" << false;
        QTest::newRow("Thursday evening before Good Friday") << "2027-03-25 17:00:00"
                                                             << "2027-03-30 07:00:00" << true;
        QTest::newRow("Friday evening before the leave") << "2027-05-07 13:00:00"
                                                         << "2027-05-18 07:00:00" << true;
        QTest::newRow("in the leave") << "2027-05-12 10:00:00"
                                      << "2027-05-18 07:00:00" << false;
        QTest::newRow("Whit Monday") << "2027-05-17 20:00:00"
                                     << "2027-05-18 07:00:00" << false;
    }
    void countsStand() {
        QFETCH(QString, instant);
        QFETCH(QString, nextDutyStart);
        QFETCH(bool, asks);
        TestWorld world;
        WriteServiceFile({"Bundesland=BY", "Urlaub=10.5.2027-14.5.2027"});
        frmPGR* window = startAt(world, instant);
        TickMainWindowAt(world, instant);
        QCOMPARE(ShownCounts(window), PlainCountsAt(world.clock, nextDutyStart));
        QCOMPARE(OffDutyShown, True);
        window = TickMainWindowAt(world, QDateTime::fromString(instant, "yyyy-MM-dd hh:mm:ss")
                                             .addSecs(1200)
                                             .toString("yyyy-MM-dd hh:mm:ss"));
        QCOMPARE(ShownCounts(window), PlainCountsAt(world.clock, nextDutyStart)); // standing
        QCOMPARE(world.messages.texts(), asks ? QStringList{quitQuestion} : QStringList{});
    }

    // A free day has no end of duty: no countdown window, no question, the counts stand.
    void freeDayHasNoEndOfDuty() {
        TestWorld world;
        WriteServiceFile({"Bundesland=BY"});
        frmPGR* window = startAt(world, QStringLiteral("2027-05-06 16:29:40"));
        const QStringList standing = PlainCountsAt(world.clock, QStringLiteral("2027-05-07 07:00:00"));
        for (const char* instant :
             {"2027-05-06 16:29:49", "2027-05-06 16:29:55", "2027-05-06 16:30:01", "2027-05-06 18:00:00"}) {
            window = TickMainWindowAt(world, QString::fromLatin1(instant));
            QVERIFY2(window, instant);
            QVERIFY(!FindForm<frmCountdown>());
            QCOMPARE(ShownCounts(window), standing);
        }
        QVERIFY(world.messages.shown.isEmpty());

        // The next morning is a duty day again.
        TickMainWindowAt(world, QStringLiteral("2027-05-07 07:00:01"));
        QCOMPARE(ShownCounts(window), PlainCountsAt(world.clock, QStringLiteral("2027-05-07 07:00:01")));
        QCOMPARE(TickMainWindowAt(world, QStringLiteral("2027-05-07 11:59:49")), nullptr);
        QVERIFY(FindForm<frmCountdown>());
    }

    // Without the file, with the switch off, or on the end-of-service day, everything is as before.
    void asBefore_data() {
        QTest::addColumn<QStringList>("serviceFile");
        QTest::addColumn<bool>("dutyTimeOnly");
        QTest::addColumn<QString>("end");
        QTest::newRow("no service file") << QStringList() << true << "30.06.2027";
        QTest::newRow("no state") << QStringList{"Beginn=1.10.2026"} << true << "30.06.2027";
        QTest::newRow("switch off") << QStringList{"Bundesland=BY"} << false << "30.06.2027";
        QTest::newRow("holiday as the end of service")
            << QStringList{"Bundesland=BY"} << true << "06.05.2027";
    }
    void asBefore() {
        QFETCH(QStringList, serviceFile);
        QFETCH(bool, dutyTimeOnly);
        QFETCH(QString, end);
        TestWorld world;
        if (!serviceFile.isEmpty())
            WriteServiceFile(serviceFile);
        SettingsRecord record = serviceIn2027();
        record.nd = dutyTimeOnly ? 1 : 0;
        SetText(&SettingsRecord::Pgr, record, end);
        frmPGR* window = startAt(world, QStringLiteral("2027-05-06 10:00:00"), record);
        TickMainWindowAt(world, QStringLiteral("2027-05-06 10:00:01"));
        QCOMPARE(ShownCounts(window), PlainCountsAt(world.clock, QStringLiteral("2027-05-06 10:00:01")));
        QVERIFY(world.messages.shown.isEmpty());
    }

    // A service file with a bad value: one message at start-up, and the rest applies.
    void badServiceFile() {
        TestWorld world;
        WriteServiceFile({"Beginn=31.2.2026", "Bundesland=BY"});
        frmPGR* window = startAt(world, QStringLiteral("2027-05-06 12:00:00"));
        QCOMPARE(world.messages.shown.size(), 1);
        QVERIFY(world.messages.shown[0].text.contains(QStringLiteral("Beginn=31.2.2026")));
        QCOMPARE(world.messages.shown[0].style, 48);
        TickMainWindowAt(world, QStringLiteral("2027-05-06 12:00:01"));
        QCOMPARE(ShownCounts(window), PlainCountsAt(world.clock, QStringLiteral("2027-05-07 07:00:00")));
        QCOMPARE(world.messages.shown.size(), 1);
    }
};

QTEST_MAIN(FreeDaysTest)
#include "tst_freedays.moc"
