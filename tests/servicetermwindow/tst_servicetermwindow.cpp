// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "helpwindow/help.h"
#include "mainwindow/frmpgr.h"
#include "servicetermwindow/frmserviceterm.h"
#include "settings/fixedtext.h"
#include "support/fakes.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

namespace {

frmPGR* startMainWindow(TestWorld& world, const QString& instant) {
    world.clock.set(instant);
    SettingsRecord record = SampleSettings();
    SetText(&SettingsRecord::Pgr, record, QStringLiteral("30.06.2027"));
    WriteSettingsFile(record);
    return ShowForm<frmPGR>();
}

QLineEdit* box(QWidget* window, const char* name) {
    return window->findChild<QLineEdit*>(QString::fromLatin1(name));
}

QListWidget* list(QWidget* window, const char* name) {
    return window->findChild<QListWidget*>(QString::fromLatin1(name));
}

QStringList entries(QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

void chooseRegion(QWidget* window, const QString& code) {
    auto* regions = window->findChild<QComboBox*>(QStringLiteral("cboLand"));
    regions->setCurrentIndex(regions->findData(code));
}

QByteArray serviceFile() {
    QFile file(QStringLiteral("pilgrast.ini"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class ServiceTermWindowTest : public QObject {
    Q_OBJECT
private slots:
    void checks_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("leave");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("start not a date") << "32.1.2027"
                                          << ""
                                          << "Datum ungültig!"
                                          << "txtBeginn";
        QTest::newRow("start after the end of service") << "1.7.2027"
                                                        << ""
                                                        << "Der Dienstbeginn liegt nach dem Pilgrast!"
                                                        << "txtBeginn";
        QTest::newRow("leave not a date") << "1.10.2026"
                                          << "Ostern"
                                          << "Datum ungültig!"
                                          << "txtUrlaub";
        QTest::newRow("leave ends before it starts") << "1.10.2026"
                                                     << "10.5.2027-3.5.2027"
                                                     << "Der Urlaub endet vor seinem ersten Tag!"
                                                     << "txtUrlaub";
    }
    void checks() {
        QFETCH(QString, start);
        QFETCH(QString, leave);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        TestWorld world;
        startMainWindow(world, QStringLiteral("2026-12-09 10:00:00"));
        frmServiceTerm* window = ShowForm<frmServiceTerm>();
        box(window, "txtBeginn")->setText(start);
        box(window, "txtUrlaub")->setText(leave);
        window->cmdsave_Click();
        QCOMPARE(world.messages.texts(), QStringList{message});
        QCOMPARE(world.messages.shown[0].style, 48);
        QCOMPARE(window->focusWidget(), box(window, qPrintable(focus)));
        QVERIFY(!QFile::exists(QStringLiteral("pilgrast.ini")));
    }

    // A saved state applies at the next tick: the holiday's counts stand at Friday's start of duty.
    void saveAppliesAtTheNextTick() {
        TestWorld world;
        frmPGR* main = startMainWindow(world, QStringLiteral("2027-05-06 12:00:00"));
        main->Timer1_Timer();
        QCOMPARE(ShownCounts(main), PlainCountsAt(world.clock, QStringLiteral("2027-05-06 12:00:00")));

        frmServiceTerm* window = ShowForm<frmServiceTerm>();
        QCOMPARE(LabelText(window, "lblShare"), QStringLiteral("Dienstbeginn nicht eingetragen"));
        box(window, "txtBeginn")->setText(QStringLiteral("1.10.2026"));
        chooseRegion(window, QStringLiteral("BY"));
        box(window, "txtUrlaub")->setText(QStringLiteral("10.5.2027-14.5.2027"));
        window->cmdsave_Click();
        QVERIFY(world.messages.shown.isEmpty());
        QVERIFY(serviceFile().contains("Beginn=1.10.2026\nBundesland=BY\nUrlaub=10.5.2027-14.5.2027\n"));
        QCOMPARE(entries(list(window, "lstUrlaub")), QStringList{"10.5.2027-14.5.2027"});
        QCOMPARE(LabelText(window, "lblShare"), QStringLiteral("79,7 % geschafft"));
        QCOMPARE(window->findChild<QProgressBar*>(QStringLiteral("barShare"))->value(), 797);
        QCOMPARE(LabelText(window, "lblDutyDays"), QStringLiteral("noch 32 Diensttage"));
        QCOMPARE(LabelText(window, "lblFreeDays"), QStringLiteral("noch 8 freie Tage:"));

        world.clock.set(QStringLiteral("2027-05-06 12:00:01"));
        main->Timer1_Timer();
        QCOMPARE(ShownCounts(main), PlainCountsAt(world.clock, QStringLiteral("2027-05-07 07:00:00")));
        QVERIFY(FindForm<frmPGR>()); // counting on beside it
    }

    void leaveList() {
        TestWorld world;
        startMainWindow(world, QStringLiteral("2026-12-09 10:00:00"));
        frmServiceTerm* window = ShowForm<frmServiceTerm>();
        for (const char* leave : {"15.3.2027", "1.3.2027-5.3.2027", "15.3.2027", ""}) {
            box(window, "txtUrlaub")->setText(QString::fromLatin1(leave));
            window->cmdadd_Click();
        }
        QCOMPARE(entries(list(window, "lstUrlaub")), (QStringList{"1.3.2027-5.3.2027", "15.3.2027"}));
        QCOMPARE(box(window, "txtUrlaub")->text(), QString());
        list(window, "lstUrlaub")->setCurrentRow(0);
        window->cmdremove_Click();
        QCOMPARE(entries(list(window, "lstUrlaub")), QStringList{"15.3.2027"});
        window->cmdremove_Click(); // the remaining entry is now the current one
        QCOMPARE(entries(list(window, "lstUrlaub")), QStringList());
        QVERIFY(world.messages.shown.isEmpty());
    }

    void milestonesMarkedWhenPassed() {
        TestWorld world;
        WriteServiceFile({"Beginn=1.10.2026", "Bundesland=BY"});
        startMainWindow(world, QStringLiteral("2027-02-14 10:00:00"));
        frmServiceTerm* window = ShowForm<frmServiceTerm>();
        QCOMPARE(entries(list(window, "lstMilestones")),
                 (QStringList{"✓ Noch 150 Tage  So. 31.01.2027", "heute: Bergfest  So. 14.02.2027",
                              "Noch 100 Tage  Mo. 22.03.2027", "Letzte Woche  Mi. 23.06.2027",
                              "Letzter Tag  Mi. 30.06.2027"}));
        QCOMPARE(box(window, "txtBeginn")->text(), QStringLiteral("1.10.2026"));
        world.clock.set(QStringLiteral("2027-02-15 00:00:00"));
        window->Timer1_Timer();
        QVERIFY(
            entries(list(window, "lstMilestones")).contains(QStringLiteral("✓ Bergfest  So. 14.02.2027")));
    }

    void f1OpensItsTopic() {
        TestWorld world;
        startMainWindow(world, QStringLiteral("2026-12-09 10:00:00"));
        frmServiceTerm* window = ShowForm<frmServiceTerm>();
        QTest::keyClick(window, Qt::Key_F1);
        const HelpWindow* help = FindForm<HelpWindow>();
        QVERIFY(help);
        QCOMPARE(help->topic(), HelpTopic::ServiceTerm);
    }

    void failedSaveKeepsTheFile() {
        TestWorld world;
        WriteServiceFile({"Beginn=1.10.2026"});
        startMainWindow(world, QStringLiteral("2026-12-09 10:00:00"));
        const QByteArray before = serviceFile();
        frmServiceTerm* window = ShowForm<frmServiceTerm>();
        chooseRegion(window, QStringLiteral("BY"));
        const WriteProtected protection(QDir::currentPath());
        if (!protection.active())
            QSKIP("the folder cannot be write-protected here");
        window->cmdsave_Click();
        QCOMPARE(world.messages.shown.size(), 1);
        QVERIFY(world.messages.shown[0].text.endsWith(QStringLiteral("#26")));
        QCOMPARE(world.messages.shown[0].style, 16);
        QCOMPARE(serviceFile(), before);
        QCOMPARE(Term.region, QString());
    }
};

QTEST_MAIN(ServiceTermWindowTest)
#include "tst_servicetermwindow.moc"
