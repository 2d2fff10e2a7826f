// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "countdownwindow/frmcountdown.h"
#include "mainwindow/frmpgr.h"
#include "support/fakes.h"

#include <QtTest>

namespace {

frmCountdown* openCountdown(TestWorld& world, SettingsRecord record, const QString& instant) {
    world.clock.set(instant);
    WriteSettingsFile(record);
    Settings = record;
    return ShowForm<frmCountdown>();
}

// One refresh at the instant; the figure and the unit shown afterwards.
QStringList refreshAt(TestWorld& world, frmCountdown* window, const QString& instant) {
    world.clock.set(instant);
    window->Timer1_Timer();
    return {LabelText(window, "lblTime"), LabelText(window, "lblEinh")};
}

} // namespace

class CountdownTest : public QObject {
    Q_OBJECT
private slots:
    void hoursThenMinutesThenSeconds() {
        TestWorld world;
        SettingsRecord record = SampleSettings();
        record.Anzeige = Unit::Hours;
        frmCountdown* window = openCountdown(world, record, QStringLiteral("1999-03-31 10:00:00"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Countdown"));
        QCOMPARE(refreshAt(world, window, QStringLiteral("1999-03-31 10:00:00")),
                 (QStringList{"30", "Stunden"}));
        QCOMPARE(refreshAt(world, window, QStringLiteral("1999-04-01 15:30:59")),
                 (QStringList{"1", "Stunden"}));
        QCOMPARE(refreshAt(world, window, QStringLiteral("1999-04-01 15:31:00")),
                 (QStringList{"0", "Stunden"}));
        QCOMPARE(CountdownUnit, Unit::Minutes);
        QCOMPARE(refreshAt(world, window, QStringLiteral("1999-04-01 15:31:01")),
                 (QStringList{"59", "Minuten"}));
        QCOMPARE(refreshAt(world, window, QStringLiteral("1999-04-01 16:28:00")),
                 (QStringList{"0", "Minuten"}));
        QCOMPARE(refreshAt(world, window, QStringLiteral("1999-04-01 16:28:01")),
                 (QStringList{"119", "Sekunden"}));
        QCOMPARE(refreshAt(world, window, QStringLiteral("1999-04-01 16:30:00")),
                 (QStringList{"0", "Sekunden"}));
        const QStringList closing = {QStringLiteral("Das war's !"), QStringLiteral("und Tschüß......")};
        QCOMPARE(refreshAt(world, window, QStringLiteral("1999-04-01 16:30:01")), closing);
        QCOMPARE(refreshAt(world, window, QStringLiteral("1999-04-01 18:00:00")), closing);
        // The unit never goes back, even when the clock does.
        QCOMPARE(refreshAt(world, window, QStringLiteral("1999-03-31 10:00:00")).at(1),
                 QStringLiteral("Sekunden"));
    }

    void targetUsesTheEndDatesOwnEndOfDuty_data() {
        QTest::addColumn<QString>("pgr");
        QTest::addColumn<QString>("instant");
        QTest::addColumn<QString>("minutes");
        QTest::newRow("Thursday end, counted on a Friday") << "01.04.1999"
                                                           << "1999-03-26 16:00:00"
                                                           << "8670";
        QTest::newRow("Friday end, counted on a Monday") << "02.04.1999"
                                                         << "1999-03-29 11:00:00"
                                                         << "5820";
    }
    void targetUsesTheEndDatesOwnEndOfDuty() {
        QFETCH(QString, pgr);
        QFETCH(QString, instant);
        TestWorld world;
        SettingsRecord record = SampleSettings();
        record.Anzeige = Unit::Minutes;
        SetText(&SettingsRecord::Pgr, record, pgr);
        frmCountdown* window = openCountdown(world, record, instant);
        QTEST(refreshAt(world, window, instant).at(0), "minutes");
    }

    void lastSecondsBeforeTheEndOfDuty() {
        TestWorld world;
        SettingsRecord record = SampleSettings();
        record.Anzeige = Unit::Minutes;
        CountdownAtDutyEnd = 1;
        frmCountdown* window = openCountdown(world, record, QStringLiteral("1999-03-05 11:59:49"));
        QCOMPARE(refreshAt(world, window, QStringLiteral("1999-03-05 11:59:50")), (QStringList{"10", ""}));
        QCOMPARE(refreshAt(world, window, QStringLiteral("1999-03-05 12:00:00")), (QStringList{"0", ""}));
        const QStringList closing = {QStringLiteral("Schluß"), QStringLiteral("für Heute!")};
        QCOMPARE(refreshAt(world, window, QStringLiteral("1999-03-05 12:00:01")), closing);
        QCOMPARE(refreshAt(world, window, QStringLiteral("1999-03-05 12:05:00")), closing);
    }

    void nothingShown_data() {
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("halted");
        QTest::newRow("unit days") << 1 << 0;
        QTest::newRow("unknown unit 0") << 0 << 0;
        QTest::newRow("halted before") << 3 << 1;
    }
    void nothingShown() {
        QFETCH(int, unit);
        QFETCH(int, halted);
        TestWorld world;
        SettingsRecord record = SampleSettings();
        record.Anzeige = qint16(unit);
        CounterHalted = qint16(halted);
        frmCountdown* window = openCountdown(world, record, QStringLiteral("1999-03-31 10:00:00"));
        QCOMPARE(refreshAt(world, window, QStringLiteral("1999-03-31 10:00:01")), (QStringList{"", ""}));
        QVERIFY(world.messages.shown.isEmpty());
    }

    void failureShowsOneMessageAndStands() {
        TestWorld world;
        SettingsRecord record = SampleSettings();
        record.Anzeige = Unit::Seconds;
        frmCountdown* window = openCountdown(world, record, QStringLiteral("1999-03-31 10:00:00"));
        refreshAt(world, window, QStringLiteral("1999-03-31 10:00:01"));
        SetText(&SettingsRecord::Pgr, Settings, QStringLiteral("1.4.99"));
        for (int second = 2; second < 6; ++second)
            refreshAt(world, window, QStringLiteral("1999-03-31 10:00:0%1").arg(second));
        QCOMPARE(world.messages.shown.size(), 1);
        QVERIFY(world.messages.shown[0].text.endsWith(QStringLiteral("#22")));
        QVERIFY(world.messages.shown[0].text.contains(QStringLiteral("1.4.99")));
        QCOMPARE(CounterHalted, 1);
        QCOMPARE(LabelText(window, "lblTime"), QStringLiteral("109799")); // what it showed before
    }

    // Seventy years on the seconds do not fit: said once, and the window counts on in its unit.
    void failingFunctionLeavesTheCountLive_data() {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("unitName");
        QTest::addColumn<int>("step");
        QTest::newRow("hours") << int(Unit::Hours) << "Stunden" << 3600;
        QTest::newRow("minutes") << int(Unit::Minutes) << "Minuten" << 60;
    }
    void failingFunctionLeavesTheCountLive() {
        QFETCH(int, unit);
        QFETCH(QString, unitName);
        QFETCH(int, step);
        TestWorld world;
        SettingsRecord record = SampleSettings();
        record.Anzeige = qint16(unit);
        SetText(&SettingsRecord::Pgr, record, QStringLiteral("01.03.2069"));
        frmCountdown* window = openCountdown(world, record, QStringLiteral("1999-03-01 10:00:00"));
        const QStringList first = refreshAt(world, window, QStringLiteral("1999-03-01 10:00:01"));
        QCOMPARE(first[1], unitName);
        world.clock.advance(step);
        window->Timer1_Timer();
        QCOMPARE(LabelText(window, "lblTime").toLongLong(), first[0].toLongLong() - 1);
        QCOMPARE(LabelText(window, "lblEinh"), unitName);
        QCOMPARE(CountdownUnit, qint16(unit));
        QCOMPARE(CounterHalted, 0);
        QCOMPARE(world.messages.shown.size(), 1);
        QVERIFY(world.messages.shown[0].text.endsWith(QStringLiteral("#13")));
    }

    void closingBringsTheMainWindowBack() {
        TestWorld world;
        SettingsRecord record = SampleSettings();
        record.Anzeige = Unit::Hours;
        frmCountdown* window = openCountdown(world, record, QStringLiteral("1999-03-31 10:00:00"));
        CountdownAtDutyEnd = 1;
        QTest::keyClick(window, Qt::Key_Escape);
        QVERIFY(FindForm<frmPGR>() && FindForm<frmPGR>()->isVisible());
        QVERIFY(!FindForm<frmCountdown>());
        QCOMPARE(AutoCountdownDone, True);
        QCOMPARE(CountdownAtDutyEnd, 0);
        QCOMPARE(DutyEndNoticeDone, False);
    }
};

QTEST_MAIN(CountdownTest)
#include "tst_countdown.moc"
