// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "helpwindow/help.h"
#include "mainwindow/frmpgr.h"
#include "settings/recordimage.h"
#include "settings/windows1252.h"
#include "settingsdialog/frmsettings.h"
#include "support/fakes.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

const char* const boxes[] = {"Vorname", "txtName",   "txtDstgrd", "txtpgr",
                             "txtDsch", "txtDschFr", "txtDstBeg"};

QLineEdit* box(QWidget* dialog, const QString& name) {
    auto* edit = dialog->findChild<QLineEdit*>(name);
    Q_ASSERT(edit);
    return edit;
}

// The dialog filled as a user would: valid values, the end of service in four weeks.
frmSettings* filledDialog() {
    frmSettings* dialog = ShowForm<frmSettings>();
    const QStringList values = {"Max", "Mustermann", "Gefr", "31.03.1999", "16:30", "12:00", "07:00"};
    for (int i = 0; i < values.size(); ++i) {
        box(dialog, QString::fromLatin1(boxes[i]))->clear();
        QTest::keyClicks(box(dialog, QString::fromLatin1(boxes[i])), values[i]);
    }
    return dialog;
}

QByteArray fileContent() {
    QFile file(QStringLiteral("pgr.dat"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class SettingsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void checksInTheirOrder_data() {
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        const QString date = QStringLiteral("Datum ungültig!"), time = QStringLiteral("Uhrzeit ungültig!");
        QTest::newRow("valid") << "Vorname"
                               << "Max"
                               << ""
                               << "";
        QTest::newRow("first name 30 with blanks") << "Vorname"
                                                   << "  " + QString(30, 'a') + "  "
                                                   << ""
                                                   << "";
        QTest::newRow("first name 31")
            << "Vorname" << QString(31, 'a') << "Vorname zu lang! Höchstens 30 Zeichen."
            << "Vorname";
        QTest::newRow("first name not storable") << "Vorname"
                                                 << "Łukasz"
                                                 << "Vorname enthält ungültige Zeichen!"
                                                 << "Vorname";
        QTest::newRow("umlauts are fine") << "Vorname"
                                          << "Jörg-Rüdiger"
                                          << ""
                                          << "";
        QTest::newRow("surname blanks") << "txtName"
                                        << "   "
                                        << "Sie müssen einen Namen eingeben!"
                                        << "txtName";
        QTest::newRow("surname 31") << "txtName" << QString(31, 'b') << "Name zu lang! Höchstens 30 Zeichen."
                                    << "txtName";
        // Lengths count after trimming, on both sides of the limit.
        QTest::newRow("first name 31 with blanks") << "Vorname"
                                                   << " " + QString(31, 'a') + " "
                                                   << "Vorname zu lang! Höchstens 30 Zeichen."
                                                   << "Vorname";
        QTest::newRow("surname 30 with blanks") << "txtName"
                                                << " " + QString(30, 'b') + " "
                                                << ""
                                                << "";
        QTest::newRow("surname 31 with blanks") << "txtName"
                                                << " " + QString(31, 'b') + " "
                                                << "Name zu lang! Höchstens 30 Zeichen."
                                                << "txtName";
        QTest::newRow("rank 5 with blanks") << "txtDstgrd"
                                            << "  OStGe  "
                                            << ""
                                            << "";
        QTest::newRow("five-digit year") << "txtpgr"
                                         << "01.04.19999" << date << "txtpgr";
        QTest::newRow("three-digit day") << "txtpgr"
                                         << "001.04.1999" << date << "txtpgr";
        QTest::newRow("one-digit minute") << "txtDsch"
                                          << "16:3" << time << "txtDsch";
        QTest::newRow("second 60") << "txtDschFr"
                                   << "12:00:60" << time << "txtDschFr";
        QTest::newRow("surname not storable") << "txtName"
                                              << "Dvořák"
                                              << "Name enthält ungültige Zeichen!"
                                              << "txtName";
        QTest::newRow("rank 5") << "txtDstgrd"
                                << "OStGf"
                                << ""
                                << "";
        QTest::newRow("rank 6") << "txtDstgrd"
                                << "HptFw1"
                                << "Dienstgrad zu lang! Höchstens 5 Zeichen."
                                << "txtDstgrd";
        QTest::newRow("rank not storable") << "txtDstgrd"
                                           << "Gf✓"
                                           << "Dienstgrad enthält ungültige Zeichen!"
                                           << "txtDstgrd";
        QTest::newRow("rank empty") << "txtDstgrd"
                                    << ""
                                    << "Sie müssen einen Dienstgrad eingeben!"
                                    << "txtDstgrd";
        QTest::newRow("date empty") << "txtpgr"
                                    << ""
                                    << "Sie müssen ein Pilgrast eingeben!"
                                    << "txtpgr";
        QTest::newRow("no date") << "txtpgr"
                                 << "bald" << date << "txtpgr";
        QTest::newRow("yesterday") << "txtpgr"
                                   << "02.03.1999" << date << "txtpgr";
        QTest::newRow("today") << "txtpgr"
                               << "03.03.1999"
                               << ""
                               << "";
        QTest::newRow("a bare time") << "txtpgr"
                                     << "16:30" << date << "txtpgr";
        QTest::newRow("date with a time") << "txtpgr"
                                          << "03.03.1999 16:30"
                                          << ""
                                          << "";
        QTest::newRow("short date with a time") << "txtpgr"
                                                << "3.3.1999 16:30" << date << "txtpgr";
        QTest::newRow("end of duty empty") << "txtDsch"
                                           << ""
                                           << "Sie müssen den standard Dienstschluß von Mo - Do eingeben!"
                                           << "txtDsch";
        QTest::newRow("end of duty no time") << "txtDsch"
                                             << "16:60" << time << "txtDsch";
        QTest::newRow("end of duty with seconds") << "txtDsch"
                                                  << "16:30:00"
                                                  << ""
                                                  << "";
        QTest::newRow("Friday empty") << "txtDschFr"
                                      << ""
                                      << "Sie müssen den standard Dienstschluß am Freitag eingeben!"
                                      << "txtDschFr";
        QTest::newRow("Friday a date") << "txtDschFr"
                                       << "01.03.1999" << time << "txtDschFr";
        QTest::newRow("Friday before the start") << "txtDschFr"
                                                 << "06:00" << time << "txtDstBeg";
        QTest::newRow("start empty") << "txtDstBeg"
                                     << ""
                                     << "Sie müssen den standard Dienstbeginn eingeben!"
                                     << "txtDstBeg";
        QTest::newRow("start no time") << "txtDstBeg"
                                       << "7 Uhr" << time << "txtDstBeg";
        // Friday's end of duty (12:00) is the earlier one, and checked as Monday to Thursday's is.
        QTest::newRow("start equal to Friday's end") << "txtDstBeg"
                                                     << "12:00"
                                                     << ""
                                                     << "";
        QTest::newRow("start after Friday's end") << "txtDstBeg"
                                                  << "12:01" << time << "txtDstBeg";
        QTest::newRow("start after the end") << "txtDstBeg"
                                             << "16:31" << time << "txtDstBeg";
    }
    void checksInTheirOrder() {
        QFETCH(QString, boxName);
        QFETCH(QString, value);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        TestWorld world(QStringLiteral("1999-03-03 10:00:00"));
        frmSettings* dialog = filledDialog();
        box(dialog, boxName)->setText(value);
        dialog->cmdsave_Click();
        if (message.isEmpty()) {
            QVERIFY(world.messages.shown.isEmpty());
            QCOMPARE(fileContent(), EncodeRecord(Settings));
            return;
        }
        QCOMPARE(world.messages.texts(), QStringList{message});
        QCOMPARE(world.messages.shown[0].style, 48);
        QCOMPARE(dialog->focusWidget(), box(dialog, focus));
        QVERIFY(!QFile::exists(QStringLiteral("pgr.dat")));
        QCOMPARE(Settings, SettingsRecord{});
    }

    void everyBoxEmptyShowsOnlyTheFirstMessage() {
        TestWorld world(QStringLiteral("1999-03-03 10:00:00"));
        frmSettings* dialog = ShowForm<frmSettings>();
        for (const char* name : boxes)
            box(dialog, QString::fromLatin1(name))->clear();
        dialog->cmdsave_Click();
        QCOMPARE(world.messages.texts(), QStringList{QStringLiteral("Sie müssen einen Vornamen eingeben!")});
        QCOMPARE(dialog->focusWidget(), box(dialog, QStringLiteral("Vorname")));
    }

    // Every character of the code page goes through the checks and is stored as its one byte.
    void everyCodePageCharacterCanBeSaved() {
        QByteArray bytes;
        for (int byte = 0x20; byte <= 0xFF; ++byte)
            if (byte < 0x7F || byte > 0x9F || QByteArrayView("\x81\x8D\x8F\x90\x9D").indexOf(char(byte)) < 0)
                bytes += char(byte);
        const QString characters = FromWindows1252(bytes);
        QCOMPARE(characters.size(), bytes.size());
        for (qsizetype from = 0; from < characters.size(); from += 30) {
            TestWorld world(QStringLiteral("1999-03-03 10:00:00"));
            frmSettings* dialog = filledDialog();
            const QString name = characters.mid(from, 30);
            // Blanks at the ends would be trimmed: the blank itself stands inside.
            box(dialog, QStringLiteral("Vorname"))
                ->setText(QLatin1Char('x') + name.left(28) + QLatin1Char('x'));
            box(dialog, QStringLiteral("txtName"))
                ->setText(QLatin1Char('x') + name.mid(28) + QLatin1Char('x'));
            dialog->cmdsave_Click();
            QVERIFY2(world.messages.shown.isEmpty(), qPrintable(world.messages.texts().join('|')));
            const QByteArray stored = fileContent();
            QCOMPARE(stored.mid(2, 30),
                     "x" + bytes.mid(from, 28) + "x" + QByteArray(30 - 2 - bytes.mid(from, 28).size(), ' '));
            QCOMPARE(stored.mid(32, 1 + bytes.mid(from + 28, 2).size() + 1),
                     "x" + bytes.mid(from + 28, 2) + "x");
        }
    }

    void whatIsStored_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<int>("unitCode");
        QTest::newRow("none selected") << "" << false << 1;
        QTest::newRow("Tage") << "Option1" << true << 1;
        QTest::newRow("Stunden") << "Option2" << false << 4;
        QTest::newRow("Minuten") << "Option3" << true << 2;
        QTest::newRow("Sekunden") << "Option4" << false << 3;
    }
    void whatIsStored() {
        QFETCH(QString, option);
        QFETCH(bool, ticked);
        TestWorld world(QStringLiteral("1999-03-03 10:00:00"));
        CounterHalted = 1;
        frmSettings* dialog = filledDialog();
        box(dialog, QStringLiteral("Vorname"))->setText(QStringLiteral("  Anna  "));
        box(dialog, QStringLiteral("txtpgr"))->setText(QStringLiteral("31.03.1999 16:30"));
        box(dialog, QStringLiteral("txtDsch"))->setText(QStringLiteral("16:30:45"));
        if (!option.isEmpty())
            dialog->findChild<QRadioButton*>(option)->click();
        dialog->findChild<QCheckBox*>(QStringLiteral("txtnd"))->setChecked(ticked);
        dialog->cmdsave_Click();

        QCOMPARE(Settings.Nr, qint16(1));
        QCOMPARE(Settings.Vorname, QStringLiteral("Anna") + QString(26, ' '));
        QCOMPARE(Settings.Dstgrd, QStringLiteral("Gefr "));
        QCOMPARE(Settings.Pgr, QStringLiteral("31.03.1999"));
        QCOMPARE(Settings.Dsch, QStringLiteral("16:30"));
        QCOMPARE(Settings.nd, qint16(ticked ? 1 : 0));
        QTEST(int(Settings.Anzeige), "unitCode");
        QCOMPARE(CounterHalted, 0);
        QCOMPARE(fileContent().size(), 96);
        dialog->cmdsave_Click(); // saving again keeps one record
        QCOMPARE(fileContent(), EncodeRecord(Settings));
        QVERIFY(dialog->isVisible()); // the dialog stays open
    }

    void openingShowsWhatIsStored_data() {
        QTest::addColumn<int>("unitCode");
        QTest::addColumn<int>("nd");
        QTest::addColumn<QString>("option");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("minutes, ticked") << 2 << 1 << "Option3" << true;
        QTest::newRow("hours") << 4 << 0 << "Option2" << false;
        QTest::newRow("code 0") << 0 << 2 << "Option1" << false;
        QTest::newRow("code 7") << 7 << 1 << "Option1" << true;
    }
    void openingShowsWhatIsStored() {
        QFETCH(int, unitCode);
        QFETCH(int, nd);
        QFETCH(QString, option);
        QFETCH(bool, ticked);
        TestWorld world(QStringLiteral("1999-03-03 10:00:00"));
        SettingsRecord record = SampleSettings();
        record.Anzeige = qint16(unitCode);
        record.nd = qint16(nd);
        WriteSettingsFile(record);
        frmSettings* dialog = ShowForm<frmSettings>();
        // Shown without the record's padding.
        QCOMPARE(box(dialog, QStringLiteral("Vorname"))->text(), QStringLiteral("Max"));
        QCOMPARE(box(dialog, QStringLiteral("txtDstgrd"))->text(), QStringLiteral("Gefr"));
        QCOMPARE(box(dialog, QStringLiteral("txtpgr"))->text(), QStringLiteral("01.04.1999"));
        QVERIFY(dialog->findChild<QRadioButton*>(option)->isChecked());
        QCOMPARE(dialog->findChild<QCheckBox*>(QStringLiteral("txtnd"))->isChecked(), ticked);
    }

    void openingWithoutFileShowsThePresets() {
        TestWorld world;
        frmSettings* dialog = ShowForm<frmSettings>();
        QStringList texts;
        for (const char* name : boxes)
            texts << box(dialog, QString::fromLatin1(name))->text();
        QCOMPARE(texts, (QStringList{"", "", "", "", "16:30", "12:00", ""}));
        QStringList placeholders;
        for (const char* name : {"txtpgr", "txtDsch", "txtDschFr", "txtDstBeg"})
            placeholders << box(dialog, QString::fromLatin1(name))->placeholderText();
        QCOMPARE(placeholders, (QStringList{"T.M.JJJJ", "H:MM", "H:MM", "H:MM"}));
        // "Tage" is what saving would store, so it is what the dialog shows.
        for (QRadioButton* option : dialog->findChildren<QRadioButton*>())
            QCOMPARE(option->isChecked(), option->objectName() == QStringLiteral("Option1"));
        QCOMPARE(dialog->focusWidget(), box(dialog, QStringLiteral("Vorname")));
    }

    // A name typed on after the stored one is the name with the addition, not a padded text.
    void typingOnAfterAStoredName() {
        TestWorld world(QStringLiteral("1999-03-03 10:00:00"));
        SettingsRecord record = SampleSettings();
        SetText(&SettingsRecord::Vorname, record, QStringLiteral("Jörg"));
        WriteSettingsFile(record);
        frmSettings* dialog = ShowForm<frmSettings>();
        QLineEdit* firstName = box(dialog, QStringLiteral("Vorname"));
        firstName->setFocus();
        firstName->end(false);
        QTest::keyClicks(firstName, QStringLiteral(" Peter"));
        dialog->cmdsave_Click();
        QVERIFY(world.messages.shown.isEmpty());
        QCOMPARE(Settings.Vorname, QStringLiteral("Jörg Peter") + QString(20, ' '));
        QCOMPARE(Settings.Dstgrd, QStringLiteral("Gefr "));
    }

    void failedSaveKeepsFileAndSettings() {
        TestWorld world(QStringLiteral("1999-03-03 10:00:00"));
        WriteSettingsFile(SampleSettings());
        frmSettings* dialog = ShowForm<frmSettings>();
        const SettingsRecord before = Settings;
        const QByteArray fileBefore = fileContent();
        box(dialog, QStringLiteral("Vorname"))->setText(QStringLiteral("Moritz"));
        {
            const WriteProtected folder(QStringLiteral("."));
            const WriteProtected file(QStringLiteral("pgr.dat"));
            if (!folder.active() || !file.active())
                QSKIP("this machine cannot write-protect a file or folder");
            dialog->cmdsave_Click();
        }
        QCOMPARE(world.messages.shown.size(), 1);
        QVERIFY(world.messages.shown[0].text.endsWith(
            QStringLiteral(": Zugriff verweigert, es fehlt die Berechtigung.#25")));
        QCOMPARE(world.messages.shown[0].style, 16);
        QCOMPARE(fileContent(), fileBefore);
        QCOMPARE(Settings, before);
        QVERIFY(FindForm<frmSettings>());
    }

    void firstStartToACountingMainWindow() {
        TestWorld world(QStringLiteral("1999-03-03 10:00:00"));
        QCOMPARE(ShowForm<frmPGR>(), nullptr);
        frmSettings* dialog = FindForm<frmSettings>();
        QVERIFY(dialog);
        for (int i = 0; i < 7; ++i)
            box(dialog, QString::fromLatin1(boxes[i]))->clear();
        const QStringList values = {"Max", "Mustermann", "Gefr", "01.04.1999", "16:30", "12:00", "7:00"};
        for (int i = 0; i < 7; ++i)
            QTest::keyClicks(box(dialog, QString::fromLatin1(boxes[i])), values[i]);
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdsave")), Qt::LeftButton);
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdclose")), Qt::LeftButton);
        frmPGR* window = FindForm<frmPGR>();
        QVERIFY(window && window->isVisible());
        QVERIFY(!FindForm<frmSettings>());
        window->Timer1_Timer();
        QCOMPARE(LabelText(window, "lblwho"), QStringLiteral("Gefr Max Mustermann"));
        QCOMPARE(LabelText(window, "LblDay"), QStringLiteral("29"));
        QCOMPARE(world.programEnds, 0);
    }

    void closingByTheFrameLeadsBackToo() {
        TestWorld world(QStringLiteral("1999-03-03 10:00:00"));
        WriteSettingsFile(SampleSettings());
        ShowForm<frmSettings>()->close();
        QVERIFY(FindForm<frmPGR>() && FindForm<frmPGR>()->isVisible());
        QCOMPARE(world.programEnds, 0);
    }

    void closingWithoutSavingEndsTheProgram() {
        TestWorld world;
        frmSettings* dialog = ShowForm<frmSettings>();
        dialog->cmdclose_Click();
        QCOMPARE(world.programEnds, 1);
        QVERIFY(!FindForm<frmPGR>());
    }

    void keyboardAlone() {
        TestWorld world(QStringLiteral("1999-03-03 10:00:00"));
        frmSettings* dialog = filledDialog();
        QStringList order;
        QWidget* widget = box(dialog, QStringLiteral("Vorname"));
        do {
            if (widget->focusPolicy() & Qt::TabFocus)
                order << widget->objectName();
            widget = widget->nextInFocusChain();
        } while (widget != box(dialog, QStringLiteral("Vorname")));
        QCOMPARE(order, (QStringList{"Vorname", "txtName", "txtDstgrd", "txtpgr", "txtnd", "txtDstBeg",
                                     "txtDsch", "txtDschFr", "Option1", "Option2", "Option3", "Option4",
                                     "cmdsave", "cmdclose", "Command1"}));
        for (int i = 0; i < 4; ++i) {
            auto* label = dialog->findChild<QLabel*>(QStringLiteral("Label1_%1").arg(i));
            QCOMPARE(label->buddy(), box(dialog, QString::fromLatin1(boxes[i])));
        }
        QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("Label2"))->buddy(),
                 box(dialog, QStringLiteral("txtDsch")));

        QTest::keyClick(box(dialog, QStringLiteral("txtDstBeg")), Qt::Key_Return);
        QCOMPARE(fileContent(), EncodeRecord(Settings)); // Enter saved
        QTest::keyClick(box(dialog, QStringLiteral("txtpgr")), Qt::Key_Escape);
        QVERIFY(!FindForm<frmSettings>()); // Escape closed, back to the main window
        QVERIFY(FindForm<frmPGR>());
    }

    void helpOpensAtTopicThree() {
        TestWorld world;
        frmSettings* dialog = ShowForm<frmSettings>();
        dialog->Command1_Click();
        QCoreApplication::processEvents();
        QVERIFY(FindForm<HelpWindow>());
        QCOMPARE(FindForm<HelpWindow>()->topic(), int(HelpTopic::SettingsDialog));
        QVERIFY(FindForm<HelpWindow>()->browser()->toPlainText().contains(QStringLiteral("Dienstgrad")));
    }
};

QTEST_MAIN(SettingsDialogTest)
#include "tst_settingsdialog.moc"
