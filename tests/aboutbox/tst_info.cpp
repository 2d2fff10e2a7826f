// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "aboutbox/info.h"
#include "helpwindow/help.h"
#include "mainwindow/frmpgr.h"
#include "support/fakes.h"

#include <QPushButton>
#include <QtTest>

class InfoTest : public QObject {
    Q_OBJECT
private slots:
    void showsNameAndVersionBesideTheMainWindow() {
        TestWorld world;
        WriteSettingsFile(SampleSettings());
        ShowForm<frmPGR>()->menuInfo_Click();
        Info* box = FindForm<Info>();
        QVERIFY(box && box->isVisible());
        QCOMPARE(box->windowTitle(), QStringLiteral("Info"));
        QCOMPARE(LabelText(box, "Label2"), QStringLiteral("Pilgrast Counter"));
        QCOMPARE(LabelText(box, "Label3"), QStringLiteral("Version 2.0"));
        QVERIFY(!LabelText(box, "Label4").isEmpty());
        QVERIFY(!LabelText(box, "Label1").isEmpty());

        QTest::keyClick(box, Qt::Key_F1);
        QVERIFY(FindForm<HelpWindow>());
        QCOMPARE(FindForm<HelpWindow>()->topic(), int(HelpTopic::AboutBox));

        QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
        QVERIFY(!FindForm<Info>());
        QVERIFY(FindForm<frmPGR>() && FindForm<frmPGR>()->isVisible());
        QVERIFY(world.messages.shown.isEmpty());

        FindForm<frmPGR>()->menuInfo_Click();
        QTest::keyClick(FindForm<Info>(), Qt::Key_Escape);
        QVERIFY(!FindForm<Info>());
    }
};

QTEST_MAIN(InfoTest)
#include "tst_info.moc"
