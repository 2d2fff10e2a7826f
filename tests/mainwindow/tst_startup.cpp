// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "aboutbox/info.h"
#include "countdownwindow/frmcountdown.h"
#include "helpwindow/help.h"
#include "mainwindow/frmpgr.h"
#include "settingsdialog/frmsettings.h"
#include "support/fakes.h"

#include <QAccessible>
#include <QLabel>
#include <QtTest>

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void greetingByTimeOfDay_data() {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("greeting");
        QTest::newRow("06:00:00") << "06:00:00"
                                  << "";
        QTest::newRow("06:00:01") << "06:00:01"
                                  << "Guten Morgen!";
        QTest::newRow("11:59:59") << "11:59:59"
                                  << "Guten Morgen!";
        QTest::newRow("12:00:00") << "12:00:00"
                                  << "";
        QTest::newRow("12:00:01") << "12:00:01"
                                  << "Guten Tag!";
        QTest::newRow("18:00:00") << "18:00:00"
                                  << "";
        QTest::newRow("23:58:59") << "23:58:59"
                                  << "Guten Abend!";
        QTest::newRow("23:59:00") << "23:59:00"
                                  << "";
        QTest::newRow("03:00:00") << "03:00:00"
                                  << "";
    }
    void greetingByTimeOfDay() {
        QFETCH(QString, time);
        TestWorld world(QStringLiteral("1999-03-03 ") + time);
        WriteSettingsFile(SampleSettings());
        frmPGR* window = ShowForm<frmPGR>();
        QVERIFY(window);
        QTEST(LabelText(window, "lbldaytime"), "greeting");
    }

    // The working values: the end of service at its own day's end of duty,
    // today's end of duty, the start of duty; all as stored, blanks included.
    void workingValues_data() {
        QTest::addColumn<QString>("today");
        QTest::addColumn<QString>("pgr");
        QTest::addColumn<QString>("dsch");
        QTest::addColumn<QString>("expectedPgr");
        QTest::addColumn<QString>("expectedDsch");
        QTest::newRow("Wednesday, end on a Thursday") << "1999-03-03"
                                                      << "01.04.1999"
                                                      << "16:30"
                                                      << "01.04.1999 16:30"
                                                      << "16:30";
        QTest::newRow("Saturday, end on a Thursday") << "1999-03-06"
                                                     << "01.04.1999"
                                                     << "16:30"
                                                     << "01.04.1999 16:30"
                                                     << "12:00";
        QTest::newRow("Wednesday, end on a Friday") << "2000-06-28"
                                                    << "30.06.2000"
                                                    << "16:30"
                                                    << "30.06.2000 12:00"
                                                    << "16:30";
        QTest::newRow("short date on a Saturday") << "2000-06-28"
                                                  << "1.7.2000"
                                                  << "16:30"
                                                  << "1.7.2000   12:00"
                                                  << "16:30";
        QTest::newRow("four-character time") << "1999-03-03"
                                             << "01.04.1999"
                                             << "7:30"
                                             << "01.04.1999 7:30 "
                                             << "7:30 ";
    }
    void workingValues() {
        QFETCH(QString, today);
        QFETCH(QString, pgr);
        QFETCH(QString, dsch);
        TestWorld world(today + QStringLiteral(" 10:00:00"));
        SettingsRecord record = SampleSettings();
        SetText(&SettingsRecord::Pgr, record, pgr);
        SetText(&SettingsRecord::Dsch, record, dsch);
        WriteSettingsFile(record);
        frmPGR* window = ShowForm<frmPGR>();
        QTEST(window->txtpgr, "expectedPgr");
        QTEST(window->txtdsch, "expectedDsch");
        QCOMPARE(window->txtdstbeg, QStringLiteral("07:00"));
        QCOMPARE(Settings, record);
    }

    void nameLineAndFlags() {
        TestWorld world(QStringLiteral("1999-03-03 10:00:00"));
        SettingsRecord record = SampleSettings();
        SetText(&SettingsRecord::Dstgrd, record, QString());
        WriteSettingsFile(record);
        DutyEndNoticeDone = QuitQuestionAsked = AutoCountdownDone = True;
        CounterHalted = CountdownAtDutyEnd = 1;
        frmPGR* window = ShowForm<frmPGR>();
        QCOMPARE(LabelText(window, "lblwho"), QStringLiteral(" Max Mustermann"));
        QCOMPARE(DutyEndNoticeDone + QuitQuestionAsked + AutoCountdownDone + CounterHalted +
                     CountdownAtDutyEnd,
                 0);
        QVERIFY(window->isVisible());
        QCOMPARE(window->windowTitle(), QString()); // until the first tick
        QCOMPARE(LabelText(window, "LblDay"), QString());
    }

    // A screen reader reads the figure as the label's text and its unit as description.
    void countLabelsTellTheirUnit() {
        TestWorld world(QStringLiteral("1999-03-03 10:00:00"));
        WriteSettingsFile(SampleSettings());
        frmPGR* window = ShowForm<frmPGR>();
        window->Timer1_Timer();
        const QStringList units = {"Wochen", "Tage", "Stunden", "Minuten", "Sekunden"};
        const QStringList names = {"LblWeek", "LblDay", "lblhours", "lblMinutes", "lblSeconds"};
        for (int i = 0; i < names.size(); ++i) {
            auto* label = window->findChild<QLabel*>(names[i]);
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(label);
            QVERIFY(accessible);
            QCOMPARE(accessible->text(QAccessible::Name), label->text());
            QVERIFY(!label->text().isEmpty());
            QCOMPARE(accessible->text(QAccessible::Description), units[i]);
        }
    }

    // A settings file that cannot be read: one message, no tick while it is open,
    // and the counter stays halted.
    void unreadableSettingsShowOneMessage() {
        TestWorld world;
        QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), QStringLiteral("pgr.dat")));
        bool tickingWhileShown = true;
        world.messages.whileShown = [&] {
            const frmPGR* window = FindForm<frmPGR>();
            tickingWhileShown = CounterHalted != 1 || window->findChild<SecondTimer*>()->isRunning();
        };
        frmPGR* window = ShowForm<frmPGR>();
        QVERIFY(window);
        QVERIFY(!tickingWhileShown);
        QVERIFY(window->findChild<SecondTimer*>()->isRunning());
        for (int second = 1; second <= 3; ++second) {
            world.clock.advance(1);
            window->Timer1_Timer();
        }
        QCOMPARE(world.messages.shown.size(), 1);
        QVERIFY(world.messages.shown[0].text.endsWith(
            QStringLiteral(": Ein-/Ausgabefehler des Datenträgers.#21")));
        QCOMPARE(CounterHalted, 1);
        QCOMPARE(ShownCounts(window), QStringList(5, QString()));
    }

    void withoutSettingsFileTheDialogOpensInstead() {
        TestWorld world;
        QCOMPARE(ShowForm<frmPGR>(), nullptr);
        QVERIFY(!FindForm<frmPGR>());
        QVERIFY(FindForm<frmSettings>() && FindForm<frmSettings>()->isVisible());
        QVERIFY(world.messages.shown.isEmpty());
    }

    void countdownCommand_data() {
        QTest::addColumn<int>("unit");
        QTest::addColumn<bool>("opens");
        QTest::newRow("days") << 1 << false;
        QTest::newRow("minutes") << 2 << true;
        QTest::newRow("seconds") << 3 << true;
        QTest::newRow("hours") << 4 << true;
        QTest::newRow("unknown code 0") << 0 << true;
    }
    void countdownCommand() {
        QFETCH(int, unit);
        QFETCH(bool, opens);
        TestWorld world(QStringLiteral("1999-03-03 10:00:00"));
        SettingsRecord record = SampleSettings();
        record.Anzeige = qint16(unit);
        WriteSettingsFile(record);
        frmPGR* window = ShowForm<frmPGR>();
        OffDutyShown = True;
        window->menuCDn_Click();
        QCOMPARE(FindForm<frmCountdown>() != nullptr, opens);
        QCOMPARE(FindForm<frmPGR>() != nullptr, !opens);
        QCOMPARE(OffDutyShown, opens ? False : True); // unloading clears it
        if (!opens) {
            QCOMPARE(world.messages.shown.size(), 1);
            QCOMPARE(world.messages.shown[0].style, 64);
            QVERIFY(world.messages.shown[0].text.startsWith(
                QStringLiteral("Countdown steht nicht zur Verfügung! - Sie haben die Einstellung 'Tage'")));
        }
    }

    void otherMenuCommands() {
        TestWorld world(QStringLiteral("1999-03-03 10:00:00"));
        WriteSettingsFile(SampleSettings());
        frmPGR* window = ShowForm<frmPGR>();

        window->menuInfo_Click();
        window->menuInfo_Click();
        const QWidgetList windows = QApplication::topLevelWidgets();
        QCOMPARE(
            std::count_if(windows.begin(), windows.end(), [](QWidget* w) { return qobject_cast<Info*>(w); }),
            1);
        QVERIFY(FindForm<frmPGR>()); // the main window keeps running beside it

        window->menuquit_Click();
        QCOMPARE(world.programEnds, 1);
        QVERIFY(FindForm<frmPGR>()); // no closing handler ran

        window->activateWindow();
        window->menuhilfe_Click();
        QCoreApplication::processEvents();
        QVERIFY(FindForm<HelpWindow>());
        QCOMPARE(FindForm<HelpWindow>()->topic(), int(HelpTopic::Contents));

        OffDutyShown = True;
        window->menusettings_Click();
        QVERIFY(!FindForm<frmPGR>());
        QCOMPARE(OffDutyShown, False);
        QVERIFY(FindForm<frmSettings>()->isVisible());
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
