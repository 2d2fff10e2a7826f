// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The "Dienstzeit" window as a user drives it: opened from the main window's menu, read,
// typed into, saved with the button or the keys, closed and opened again.
#include "calendarfile/calendarkeeper.h"
#include "helpwindow/help.h"
#include "mainwindow/frmpgr.h"
#include "serviceterm/holidays.h"
#include "servicetermwindow/frmserviceterm.h"
#include "settings/fixedtext.h"
#include "support/fakes.h"
#include "termcalendar/calendarview.h"
#include "termcalendar/tapemeasure.h"
#include "widgets/labelstyle.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QtTest>

namespace {

frmPGR* startMainWindow(TestWorld& world, const QString& instant) {
    world.clock.set(instant);
    SettingsRecord record = SampleSettings();
    SetText(&SettingsRecord::Pgr, record, QStringLiteral("30.06.2027"));
    WriteSettingsFile(record);
    frmPGR* window = ShowForm<frmPGR>();
    window->Timer1_Timer();
    return window;
}

// "Konfigurieren → Dienstzeit…" in the main window.
frmServiceTerm* openFromMenu(frmPGR* main) {
    main->findChild<QAction*>(QStringLiteral("menuservice"))->trigger();
    frmServiceTerm* window = FindForm<frmServiceTerm>();
    if (window && !QTest::qWaitForWindowActive(window))
        qWarning("the Dienstzeit window did not become active");
    return window;
}

template <class T = QLineEdit> T* child(QWidget* window, const char* name) {
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    Q_ASSERT(found);
    return found;
}

void showTab(QWidget* window, const QString& title) {
    auto* tabs = child<QTabWidget>(window, "tabs");
    for (int tab = 0; tab < tabs->count(); ++tab)
        if (tabs->tabText(tab).remove(QLatin1Char('&')) == title)
            tabs->setCurrentIndex(tab);
}

// Types into the box and presses Enter there.
void typeAndEnter(QWidget* window, const char* box, const QString& text) {
    QLineEdit* line = child(window, box);
    line->setFocus();
    QTest::keyClicks(line, text);
    QTest::keyClick(line, Qt::Key_Return);
}

void type(QWidget* window, const char* box, const QString& text) {
    QLineEdit* line = child(window, box);
    line->selectAll();
    QTest::keyClicks(line, text);
    emit line->editingFinished();
}

void press(QWidget* window, const char* button) {
    QTest::mouseClick(child<QPushButton>(window, button), Qt::LeftButton);
}

QStringList entries(QWidget* window, const char* list) {
    QStringList texts;
    auto* widget = child<QListWidget>(window, list);
    for (int row = 0; row < widget->count(); ++row)
        texts << widget->item(row)->text();
    return texts;
}

void chooseRegion(QWidget* window, const QString& code) {
    auto* countries = child<QComboBox>(window, "cboStaat");
    countries->setCurrentIndex(countries->findData(CountryOf(code)));
    auto* regions = child<QComboBox>(window, "cboLand");
    regions->setCurrentIndex(regions->findData(code));
}

QByteArray serviceFile() {
    QFile file(QStringLiteral("pilgrast.ini"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QStringList everyPart{"Beginn=1.10.2026",
                            "Bundesland=BY",
                            "Urlaub=21.12.2026-1.1.2027, 15.3.2027",
                            "Dienst=12.6.2027 7:00-13.6.2027 7:00, 10.5.2027-14.5.2027",
                            "Dienstfrei=2.4.2027",
                            "Urlaubsanspruch=24",
                            "",
                            "[Termine]",
                            "12.3.2027=Gelöbnis",
                            "5.5.2027-7.5.2027=Übung Wildflecken"};

// The events of a calendar file by their UIDs, each as written but for its time stamp.
QMap<QString, QString> eventsByUid(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression stamp(QStringLiteral("DTSTAMP:[0-9TZ]+\r\n"));
    static const QRegularExpression uid(QStringLiteral("UID:([^\r]+)"));
    QMap<QString, QString> events;
    const QStringList parts = QString::fromUtf8(file.readAll()).split(QStringLiteral("BEGIN:VEVENT"));
    for (qsizetype i = 1; i < parts.size(); ++i)
        events.insert(uid.match(parts[i]).captured(1), QString(parts[i]).remove(stamp));
    return events;
}

} // namespace

class ServiceTermWindowTest : public QObject {
    Q_OBJECT
private slots:
    // Opened from the menu it shows what the file holds; saved unchanged, the file stays as it was.
    void opensWithTheSavedTerm() {
        TestWorld world;
        WriteServiceFile(everyPart);
        frmServiceTerm* window = openFromMenu(startMainWindow(world, QStringLiteral("2027-03-01 10:00:00")));
        QVERIFY(window && window->isVisible());
        QCOMPARE(child<QTabWidget>(window, "tabs")->currentIndex(), 0); // the calendar first
        QCOMPARE(window->focusWidget(), child<CalendarView>(window, "calendarView"));
        QCOMPARE(child<CalendarView>(window, "calendarView")->focusedDay(), QDate(2027, 3, 1));
        QCOMPARE(child(window, "txtBeginn")->text(), QStringLiteral("1.10.2026"));
        QCOMPARE(child<QComboBox>(window, "cboStaat")->currentText(), QStringLiteral("Deutschland"));
        QCOMPARE(child<QComboBox>(window, "cboLand")->currentText(), QStringLiteral("Bayern"));
        QCOMPARE(child(window, "txtAnspruch")->text(), QStringLiteral("24"));
        QVERIFY(child<QLabel>(window, "lblShare")->font().bold()); // the share stands out
        QCOMPARE(child<QProgressBar>(window, "barShare")->accessibleName(), QStringLiteral("geschafft"));
        // The two boxes of the place of duty are named apart for a screen reader.
        QCOMPARE(child<QComboBox>(window, "cboStaat")->accessibleName(), QStringLiteral("Staat"));
        QCOMPARE(child<QComboBox>(window, "cboLand")->accessibleName(), QStringLiteral("Bundesland oder Kanton"));
        QCOMPARE(child(window, "txtDienst")->placeholderText(),
                 QStringLiteral("T.M.JJJJ, T.M.JJJJ-T.M.JJJJ, T.M.JJJJ h:mm-T.M.JJJJ h:mm"));
        QCOMPARE(entries(window, "lstUrlaub"), (QStringList{"21.12.2026-1.1.2027", "15.3.2027"}));
        QCOMPARE(entries(window, "lstDienst"), // in the order of the file
                 (QStringList{"12.6.2027 7:00-13.6.2027 7:00", "10.5.2027-14.5.2027"}));
        QCOMPARE(entries(window, "lstDienstfrei"), QStringList{"2.4.2027"});
        QCOMPARE(entries(window, "lstTermin"),
                 (QStringList{"12.3.2027  Gelöbnis", "5.5.2027-7.5.2027  Übung Wildflecken"}));
        QCOMPARE(LabelText(window, "lblShare"),
                 QStringLiteral("55,4 % geschafft")); // 55,48: never rounded up
        QCOMPARE(LabelText(window, "lblDutyDays"), QStringLiteral("noch 82 Diensttage"));
        QCOMPARE(LabelText(window, "lblLeaveAccount"),
                 QStringLiteral("Urlaub: 7 von 24 Tagen verplant, noch 17 Tage"));
        QCOMPARE(LabelText(window, "lblNextLeave"),
                 QStringLiteral("nächster Urlaub: Mo. 15.03.2027 (in 14 Tagen)"));
        QCOMPARE(LabelText(window, "lblNextDate"), QStringLiteral("Gelöbnis in 11 Tagen"));
        QCOMPARE(child<TapeMeasure>(window, "tapeMeasure")->daysLeft(), std::optional<qint64>(121));
        QVERIFY(entries(window, "lstMilestones").contains(QStringLiteral("Gelöbnis  Fr. 12.03.2027")));
        QVERIFY(entries(window, "lstMilestones")
                    .contains(QStringLiteral("Übung Wildflecken  Mi. 05.05.2027 – Fr. 07.05.2027")));

        const QByteArray before = serviceFile();
        press(window, "cmdsave");
        QCOMPARE(serviceFile(), before);
        QVERIFY(world.messages.shown.isEmpty());
    }

    // Each check shows its message, puts the focus into the box to mend and saves nothing.
    void checks_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("start not a date")
            << "txtBeginn"
            << "32.1.2027"
            << "Datum ungültig: „32.1.2027“ als erster Diensttag – einzutragen als T.M.JJJJ.";
        QTest::newRow("start after the end of service") << "txtBeginn"
                                                        << "1.7.2027"
                                                        << "Der erste Diensttag liegt nach dem Pilgrast!";
        QTest::newRow("entitlement not a number")
            << "txtAnspruch"
            << "viel"
            << "Der Urlaubsanspruch ist eine Zahl von 0 bis 999 in ganzen oder halben Tagen (z. B. 27,5)!";
        QTest::newRow("entitlement too large")
            << "txtAnspruch"
            << "1000"
            << "Der Urlaubsanspruch ist eine Zahl von 0 bis 999 in ganzen oder halben Tagen (z. B. 27,5)!";
        QTest::newRow("leave not a date")
            << "txtUrlaub"
            << "Ostern"
            << "Datum ungültig: „Ostern“ unter Urlaub – einzutragen als T.M.JJJJ oder T.M.JJJJ-T.M.JJJJ.";
        QTest::newRow("leave ends before it starts") << "txtUrlaub"
                                                     << "10.5.2027-3.5.2027"
                                                     << "Der Urlaub endet vor seinem ersten Tag!";
        QTest::newRow("duty not a date") << "txtDienst"
                                         << "12.6.2027 25:00-13.6.2027 7:00"
                                         << "Datum ungültig: „12.6.2027 25:00-13.6.2027 7:00“ unter Dienst "
                                            "außer der Reihe – die Uhrzeit „25:00“ gibt es nicht.";
        QTest::newRow("duty ends before it starts") << "txtDienst"
                                                    << "13.6.2027 7:00-12.6.2027 7:00"
                                                    << "Der Dienst endet vor seinem Beginn!";
        QTest::newRow("duty ends when it starts") << "txtDienst"
                                                  << "13.6.2027 7:00-13.6.2027 7:00"
                                                  << "Der Dienst endet vor seinem Beginn!";
        QTest::newRow("day off in a month too short")
            << "txtDienstfrei"
            << "29.2.2027-3.3.2027"
            << "Datum ungültig: „29.2.2027-3.3.2027“ unter Dienstfrei – den Tag „29.2.2027“ gibt es nicht.";
        QTest::newRow("duty with one-digit minutes")
            << "txtDienst"
            << "16.6.2027 18:5-16.6.2027 22:00"
            << "Datum ungültig: „16.6.2027 18:5-16.6.2027 22:00“ unter Dienst außer der Reihe – einzutragen "
               "als "
               "T.M.JJJJ, T.M.JJJJ-T.M.JJJJ oder T.M.JJJJ h:mm-T.M.JJJJ h:mm.";
        QTest::newRow("duty with a day too many") << "txtDienst"
                                                  << "3.7.2027-4.7.2027-5.7.2027"
                                                  << "Datum ungültig: „3.7.2027-4.7.2027-5.7.2027“ unter "
                                                     "Dienst außer der Reihe – einzutragen als T.M.JJJJ, "
                                                     "T.M.JJJJ-T.M.JJJJ oder T.M.JJJJ h:mm-T.M.JJJJ h:mm.";
        QTest::newRow("day off ends before it starts") << "txtDienstfrei"
                                                       << "2.4.2027-1.4.2027"
                                                       << "Die dienstfreie Zeit endet vor ihrem ersten Tag!";
        QTest::newRow("own date not a date")
            << "txtTermin"
            << "31.2.2027"
            << "Datum ungültig: „31.2.2027“ unter Termine – den Tag „31.2.2027“ gibt es nicht.";
        QTest::newRow("own date ends before it starts") << "txtTermin"
                                                        << "5.5.2027-4.5.2027"
                                                        << "Der Termin endet vor seinem ersten Tag!";
        QTest::newRow("own date without a name") << "txtTermin"
                                                 << "12.3.2027"
                                                 << "Bitte geben Sie dem Termin einen Namen!";
    }
    void checks() {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, message);
        TestWorld world;
        frmServiceTerm* window = openFromMenu(startMainWindow(world, QStringLiteral("2026-12-09 10:00:00")));
        showTab(window, QStringLiteral("Eintragungen"));
        type(window, qPrintable(box), text);
        showTab(window, QStringLiteral("Kalender"));
        press(window, "cmdsave");
        QCOMPARE(world.messages.texts(), QStringList{message});
        QCOMPARE(world.messages.shown[0].style, 48);
        const QString focus = message.contains(QStringLiteral("Namen")) ? box + QStringLiteral("Name") : box;
        QCOMPARE(window->focusWidget()->objectName(), focus);
        QCOMPARE(child<QTabWidget>(window, "tabs")->currentIndex(), 1); // the box is shown
        QVERIFY(!QFile::exists(QStringLiteral("pilgrast.ini")));
    }

    // A first-time user abroad or in another service: the country, then the state or canton by
    // name, a local day ticked, the kind of service, the leave its rules give taken; saved, and
    // shown so again when the window is opened anew. Service from 1.10.2026 to 30.6.2027.
    void placeAndKindOfService_data() {
        QTest::addColumn<QString>("country");
        QTest::addColumn<QString>("region");
        QTest::addColumn<QString>("tick"); // a local day's key, or none
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("proposal");
        QTest::addColumn<QStringList>("saved");
        QTest::newRow("Carinthia, civil service")
            << "Österreich"
            << "Kärnten"
            << "volksabstimmung"
            << "Zivildienst (Österreich)"
            << "Vorschlag: 10 Arbeitstage im Zivildienst: 10 Tage"
            << QStringList{"Bundesland=AT-2", "Ortsfeiertage=volksabstimmung", "Dienstart=Zivildienst",
                           "Urlaubsanspruch=10"};
        QTest::newRow("Zurich, recruit school")
            << "Schweiz"
            << "Zürich"
            << "berchtoldstag"
            << "Rekrutenschule (Schweiz)"
            << ""
            << QStringList{"Bundesland=CH-ZH", "Ortsfeiertage=berchtoldstag", "Dienstart=Rekrutenschule"};
        QTest::newRow("Bavaria, military service")
            << "Deutschland"
            << "Bayern"
            << "mariae-himmelfahrt"
            << "Wehrdienst"
            << "Vorschlag: 2,5 Tage je voller Monat: 22,5 Tage"
            << QStringList{"Bundesland=DE-BY", "Ortsfeiertage=mariae-himmelfahrt", "Urlaubsanspruch=22,5"};
        QTest::newRow("Saxony, a volunteer")
            << "Deutschland"
            << "Sachsen"
            << ""
            << "Freiwilligendienst (BFD, FSJ)"
            << "Vorschlag: 2 Werktage je voller Monat: 18 Tage"
            << QStringList{"Bundesland=DE-SN", "Dienstart=Freiwilligendienst", "Urlaubsanspruch=18"};
    }
    void placeAndKindOfService() {
        QFETCH(QString, country);
        QFETCH(QString, region);
        QFETCH(QString, tick);
        QFETCH(QString, kind);
        QFETCH(QString, proposal);
        TestWorld world;
        WriteServiceFile({"Beginn=1.10.2026"});
        frmPGR* main = startMainWindow(world, QStringLiteral("2026-12-09 10:00:00"));
        frmServiceTerm* window = openFromMenu(main);
        showTab(window, QStringLiteral("Eintragungen"));
        QVERIFY(!child<QPushButton>(window, "cmdProposal")->isVisible() ||
                LabelText(window, "lblProposal").contains(QStringLiteral("2,5 Tage"))); // Wehrdienst at first
        child<QComboBox>(window, "cboStaat")->setCurrentText(country);
        auto* regions = child<QComboBox>(window, "cboLand");
        QCOMPARE(
            regions->itemText(0),
            HolidayCountries()[child<QComboBox>(window, "cboStaat")->currentIndex()].regions.first().name);
        // A canton with six local days shows them in two rows of three.
        regions->setCurrentText(QStringLiteral("Solothurn"));
        if (regions->currentText() == QLatin1String("Solothurn")) {
            QCoreApplication::processEvents(); // laid out, as the user sees it
            const auto top = [window](const char* key) {
                return child<QCheckBox>(window, QByteArray("chkOrtsfeiertag_") + key)->y();
            };
            QCOMPARE(top("tag-der-arbeit"), top("berchtoldstag"));
            QVERIFY(top("fronleichnam") > top("tag-der-arbeit"));
        }
        regions->setCurrentText(region);
        QCOMPARE(regions->currentText(), region);
        if (!tick.isEmpty()) {
            QCoreApplication::sendPostedEvents(nullptr,
                                               QEvent::LayoutRequest); // laid out, as the user sees it
            auto* box = child<QCheckBox>(window, ("chkOrtsfeiertag_" + tick).toLatin1());
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
            QVERIFY(box->isChecked());
        }
        child<QComboBox>(window, "cboDienstart")->setCurrentText(kind);
        QCOMPARE(LabelText(window, "lblProposal"), proposal);
        QCOMPARE(child<QPushButton>(window, "cmdProposal")->isVisible(), !proposal.isEmpty());
        if (!proposal.isEmpty()) {
            press(window, "cmdProposal");
            QCOMPARE(LabelText(window, "lblProposal"), QString()); // taken: no longer proposed
            QCOMPARE(LabelText(window, "lblLeaveAccount"),
                     QStringLiteral("Urlaub: 0 von %1 Tagen verplant, noch %1 Tage")
                         .arg(child(window, "txtAnspruch")->text()));
        }
        press(window, "cmdsave");
        QVERIFY(world.messages.shown.isEmpty());
        const QStringList lines = QString::fromUtf8(serviceFile()).split(QLatin1Char('\n'));
        QFETCH(QStringList, saved);
        for (const QString& line : saved)
            QVERIFY2(lines.contains(line),
                     qPrintable(line + QStringLiteral(" in ") + lines.join(QLatin1Char('|'))));
        QCOMPARE(lines.filter(QStringLiteral("Dienstart=")).size(),
                 saved.filter(QStringLiteral("Dienstart=")).size());

        UnloadForm(window);
        window = openFromMenu(main);
        QCOMPARE(child<QComboBox>(window, "cboStaat")->currentText(), country);
        QCOMPARE(child<QComboBox>(window, "cboLand")->currentText(), region);
        QCOMPARE(child<QComboBox>(window, "cboDienstart")->currentText(), kind);
        if (!tick.isEmpty())
            QVERIFY(child<QCheckBox>(window, ("chkOrtsfeiertag_" + tick).toLatin1())->isChecked());
        UnloadForm(window);
        QVERIFY(world.messages.shown.isEmpty()); // nothing to ask: what is shown is what was saved
    }

    // What is typed and saved applies at the next tick: the holiday's counts stand at Friday's start.
    void saveAppliesAtTheNextTick() {
        TestWorld world;
        frmPGR* main = startMainWindow(world, QStringLiteral("2027-05-06 12:00:00"));
        QCOMPARE(ShownCounts(main), PlainCountsAt(world.clock, QStringLiteral("2027-05-06 12:00:00")));
        frmServiceTerm* window = openFromMenu(main);
        QCOMPARE(LabelText(window, "lblShare"), QStringLiteral("Erster Diensttag nicht eingetragen"));
        showTab(window, QStringLiteral("Eintragungen"));
        type(window, "txtBeginn", QStringLiteral("1.10.2026"));
        chooseRegion(window, QStringLiteral("DE-BY"));
        typeAndEnter(window, "txtUrlaub", QStringLiteral("10.5.2027-14.5.2027"));
        QCOMPARE(child(window, "txtUrlaub")->text(), QString());
        QCOMPARE(LabelText(window, "lblShare"),
                 QStringLiteral("79,7 % geschafft")); // shown before it is saved
        QCOMPARE(child<QProgressBar>(window, "barShare")->value(), 797);
        QCOMPARE(LabelText(window, "lblDutyDays"), QStringLiteral("noch 32 Diensttage"));
        QCOMPARE(LabelText(window, "lblFreeDays"), QStringLiteral("noch 8 freie Tage:"));
        TickMainWindowAt(world, QStringLiteral("2027-05-06 12:00:01"));
        QCOMPARE(ShownCounts(main),
                 PlainCountsAt(world.clock, QStringLiteral("2027-05-06 12:00:01"))); // not yet

        QTest::keyClick(child(window, "txtBeginn"), Qt::Key_S, Qt::AltModifier); // Alt+S: speichern
        // The button is animated: it clicks when it comes up again.
        QTRY_COMPARE(
            serviceFile(),
            QByteArray("[Dienstzeit]\nBeginn=1.10.2026\nBundesland=DE-BY\nUrlaub=10.5.2027-14.5.2027\n"));
        QVERIFY(world.messages.shown.isEmpty());
        TickMainWindowAt(world, QStringLiteral("2027-05-06 12:00:02"));
        QCOMPARE(ShownCounts(main), PlainCountsAt(world.clock, QStringLiteral("2027-05-07 07:00:00")));
        QVERIFY(FindForm<frmPGR>()); // counting on beside it

        // Opened again, it shows what was saved.
        window->close();
        window = openFromMenu(main);
        QCOMPARE(child(window, "txtBeginn")->text(), QStringLiteral("1.10.2026"));
        QCOMPARE(entries(window, "lstUrlaub"), QStringList{"10.5.2027-14.5.2027"});
    }

    // Leave that overlaps joins, a day twice counts once; the list shows what is stored.
    void leaveList() {
        TestWorld world;
        WriteServiceFile({"Beginn=1.10.2026"});
        frmServiceTerm* window = openFromMenu(startMainWindow(world, QStringLiteral("2026-12-09 10:00:00")));
        showTab(window, QStringLiteral("Eintragungen"));
        for (const char* leave :
             {"15.3.2027", "1.3.2027-5.3.2027", "15.3.2027", "3.3.2027-8.3.2027", "2.3.2027", ""})
            typeAndEnter(window, "txtUrlaub", QString::fromLatin1(leave));
        QCOMPARE(entries(window, "lstUrlaub"), (QStringList{"1.3.2027-8.3.2027", "15.3.2027"}));
        QVERIFY(!LabelText(window, "lblLeaveOutside").contains(QStringLiteral("2027")));
        typeAndEnter(window, "txtUrlaub", QStringLiteral("28.9.2026-2.10.2026"));
        QCOMPARE(LabelText(window, "lblLeaveOutside"),
                 QStringLiteral("außerhalb der Dienstzeit: 28.9.2026-30.9.2026"));
        child<QListWidget>(window, "lstUrlaub")->setCurrentRow(0);
        press(window, "cmdremoveUrlaub");
        QCOMPARE(entries(window, "lstUrlaub"), (QStringList{"1.3.2027-8.3.2027", "15.3.2027"}));
        press(window, "cmdremoveUrlaub"); // the next entry is now the current one
        QCOMPARE(entries(window, "lstUrlaub"), QStringList{"15.3.2027"});
        QVERIFY(world.messages.shown.isEmpty());
        press(window, "cmdsave");
        QVERIFY(serviceFile().contains("Urlaub=15.3.2027\n"));
    }

    // The leave account: what is planned against the entitlement, too much in the warning colour.
    void leaveAccount_data() {
        QTest::addColumn<QString>("entitlement");
        QTest::addColumn<QString>("typed"); // into the box afterwards
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("warning");
        QTest::newRow("some left") << "24"
                                   << ""
                                   << "Urlaub: 15 von 24 Tagen verplant, noch 9 Tage" << false;
        QTest::newRow("all planned") << "15"
                                     << ""
                                     << "Urlaub: 15 von 15 Tagen verplant, noch 0 Tage" << false;
        QTest::newRow("one left") << "16"
                                  << ""
                                  << "Urlaub: 15 von 16 Tagen verplant, noch 1 Tag" << false;
        QTest::newRow("half a day left") << "15,5"
                                         << ""
                                         << "Urlaub: 15 von 15,5 Tagen verplant, noch 0,5 Tage" << false;
        QTest::newRow("one too many") << "14"
                                      << ""
                                      << "Urlaub: 15 von 14 Tagen verplant, 1 Tag zu viel" << true;
        QTest::newRow("half a day too many")
            << "14.5"
            << ""
            << "Urlaub: 15 von 14,5 Tagen verplant, 0,5 Tage zu viel" << true;
        QTest::newRow("none entitled") << "0"
                                       << ""
                                       << "Urlaub: 15 von 0 Tagen verplant, 15 Tage zu viel" << true;
        QTest::newRow("typed too large")
            << "24"
            << "1000"
            << "Urlaubsanspruch „1000“: bitte eine Zahl von 0 bis 999, ganze oder halbe Tage" << true;
        QTest::newRow("typed a third")
            << "24"
            << "27,3"
            << "Urlaubsanspruch „27,3“: bitte eine Zahl von 0 bis 999, ganze oder halbe Tage" << true;
        QTest::newRow("typed a half") << "24"
                                      << "27,5"
                                      << "Urlaub: 15 von 27,5 Tagen verplant, noch 12,5 Tage" << false;
    }
    void leaveAccount() {
        QFETCH(QString, entitlement);
        TestWorld world;
        // 6 days at Christmas (24, 25 and 31 December and New Year's Day are free days), a week,
        // 5 days with a duty day, and leave before the service: 15 days planned.
        WriteServiceFile({"Beginn=1.10.2026", "Bundesland=BY",
                          "Urlaub=21.12.2026-1.1.2027, 8.3.2027-12.3.2027, 19.4.2027-23.4.2027, 1.9.2026",
                          "Dienst=21.4.2027", "Urlaubsanspruch=" + entitlement});
        frmServiceTerm* window = openFromMenu(startMainWindow(world, QStringLiteral("2026-12-09 10:00:00")));
        QFETCH(QString, typed);
        if (!typed.isEmpty())
            type(window, "txtAnspruch", typed);
        QTEST(LabelText(window, "lblLeaveAccount"), "line");
        QTEST(LabelText(window, "lblCalendarLeave"), "line");
        QFETCH(bool, warning);
        const QLabel* line = child<QLabel>(window, "lblLeaveAccount");
        const QColor colour = line->palette().color(QPalette::WindowText);
        QCOMPARE(colour.red() > colour.green() * 2, warning);
        QVERIFY(ContrastRatio(colour, line->palette().color(QPalette::Window)) >= 4.5);
        QCOMPARE(LabelText(window, "lblNextLeave"),
                 QStringLiteral("nächster Urlaub: Mo. 21.12.2026 (in 12 Tagen)"));
    }

    // Unsaved changes are asked about, whichever way the window closes.
    void closingAsksAboutUnsavedChanges_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("answer");
        for (const char* how : {"schließen", "Escape", "frame"}) {
            QTest::newRow(qPrintable(QStringLiteral("%1, yes").arg(QString::fromUtf8(how))))
                << QString::fromUtf8(how) << MsgYes;
            QTest::newRow(qPrintable(QStringLiteral("%1, no").arg(QString::fromUtf8(how))))
                << QString::fromUtf8(how) << MsgNo;
            QTest::newRow(qPrintable(QStringLiteral("%1, cancel").arg(QString::fromUtf8(how))))
                << QString::fromUtf8(how) << MsgCancel;
        }
    }
    void closingAsksAboutUnsavedChanges() {
        QFETCH(QString, how);
        QFETCH(int, answer);
        TestWorld world;
        WriteServiceFile({"Beginn=1.10.2026"});
        const QByteArray before = serviceFile();
        frmServiceTerm* window = openFromMenu(startMainWindow(world, QStringLiteral("2026-12-09 10:00:00")));
        const auto close = [&] {
            if (how == QLatin1String("schließen"))
                press(window, "cmdclose");
            else if (how == QLatin1String("Escape"))
                QTest::keyClick(window, Qt::Key_Escape);
            else
                window->close();
        };
        close(); // nothing changed: no question
        QVERIFY(world.messages.shown.isEmpty());
        QVERIFY(!FindForm<frmServiceTerm>());

        window = openFromMenu(FindForm<frmPGR>());
        showTab(window, QStringLiteral("Eintragungen"));
        typeAndEnter(window, "txtUrlaub", QStringLiteral("15.3.2027"));
        world.messages.answers = {answer};
        close();
        QCOMPARE(world.messages.texts(), QStringList{"Änderungen speichern?"});
        QCOMPARE(world.messages.shown[0].style, 35);
        QCOMPARE(FindForm<frmServiceTerm>() != nullptr, answer == MsgCancel);
        QCOMPARE(serviceFile().contains("Urlaub=15.3.2027"), answer == MsgYes);
        if (answer == MsgNo)
            QCOMPARE(serviceFile(), before);
    }

    // Typed but not added counts as unsaved too, and a failed check on "Ja" keeps the window open.
    void typingIsAnUnsavedChange() {
        TestWorld world;
        frmServiceTerm* window = openFromMenu(startMainWindow(world, QStringLiteral("2026-12-09 10:00:00")));
        showTab(window, QStringLiteral("Eintragungen"));
        type(window, "txtDienst", QStringLiteral("kein Datum"));
        world.messages.answers = {MsgYes};
        press(window, "cmdclose");
        QCOMPARE(world.messages.texts(),
                 (QStringList{"Änderungen speichern?",
                              "Datum ungültig: „kein Datum“ unter Dienst außer der Reihe – einzutragen als "
                              "T.M.JJJJ, T.M.JJJJ-T.M.JJJJ oder T.M.JJJJ h:mm-T.M.JJJJ h:mm."}));
        QVERIFY(FindForm<frmServiceTerm>());
        QCOMPARE(window->focusWidget()->objectName(), QStringLiteral("txtDienst"));
    }

    void milestonesAndOwnDatesMarkedWhenPassed() {
        TestWorld world;
        WriteServiceFile({"Beginn=1.10.2026", "Bundesland=BY", "", "[Termine]", "14.2.2027=Kompaniefest",
                          "10.2.2027=Gelöbnis"});
        frmPGR* main = startMainWindow(world, QStringLiteral("2027-02-14 10:00:00"));
        frmServiceTerm* window = openFromMenu(main);
        QCOMPARE(entries(window, "lstMilestones"),
                 (QStringList{"✓ Noch 150 Tage  So. 31.01.2027", "✓ Gelöbnis  Mi. 10.02.2027",
                              "heute: Bergfest  So. 14.02.2027", "heute: Kompaniefest  So. 14.02.2027",
                              "Noch 100 Tage  Mo. 22.03.2027", "Letzte Woche  Mi. 23.06.2027",
                              "Letzter Tag  Mi. 30.06.2027"}));
        QCOMPARE(LabelText(window, "lblNextDate"), QStringLiteral("heute: Kompaniefest"));
        const QListWidgetItem* first = child<QListWidget>(window, "lstMilestones")->item(0);
        TickMainWindowAt(world, QStringLiteral("2027-02-14 10:00:01"));
        QCOMPARE(child<QListWidget>(window, "lstMilestones")->item(0), first); // not drawn anew every second
        TickMainWindowAt(world, QStringLiteral("2027-02-15 00:00:00"));
        QVERIFY(entries(window, "lstMilestones").contains(QStringLiteral("✓ Bergfest  So. 14.02.2027")));
        QCOMPARE(LabelText(window, "lblNextDate"), QString());
    }

    // Free days are those of the service, from the later of today and its first day, names whole.
    void freeDays_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("today");
        QTest::addColumn<QString>("caption");
        QTest::newRow("before the service") << "4.1.2027"
                                            << "2026-12-31 10:00:00"
                                            << "noch 6 freie Tage:";
        QTest::newRow("one left") << "1.5.2027"
                                  << "2027-05-20 10:00:00"
                                  << "noch 1 freier Tag:"; // Fronleichnam
        QTest::newRow("none ever") << "1.6.2027"
                                   << "2027-06-01 10:00:00"
                                   << "keine freien Tage";
        QTest::newRow("none left") << "1.5.2027"
                                   << "2027-06-01 10:00:00"
                                   << "keine freien Tage mehr";
    }
    void freeDays() {
        QFETCH(QString, start);
        QFETCH(QString, today);
        TestWorld world;
        WriteServiceFile({"Beginn=" + start, "Bundesland=BY"});
        frmServiceTerm* window = openFromMenu(startMainWindow(world, today));
        QTEST(LabelText(window, "lblFreeDays"), "caption");
        QVERIFY(!entries(window, "lstFreeDays").contains(QStringLiteral("Fr. 01.01.2027  Neujahr")));
    }

    void longHolidayNamesFit() {
        TestWorld world;
        WriteServiceFile({"Beginn=1.9.2026", "Bundesland=BY"});
        frmServiceTerm* window = openFromMenu(startMainWindow(world, QStringLiteral("2026-09-01 10:00:00")));
        showTab(window, QStringLiteral("Übersicht"));
        auto* list = child<QListWidget>(window, "lstFreeDays");
        QVERIFY(entries(window, "lstFreeDays")
                    .contains(QStringLiteral("Sa. 03.10.2026  Tag der Deutschen Einheit")) ==
                false); // a Saturday is no free day
        for (int row = 0; row < list->count(); ++row)
            QVERIFY2(list->fontMetrics().horizontalAdvance(list->item(row)->text()) <
                         list->viewport()->width(),
                     qPrintable(list->item(row)->text()));
    }

    void f1OpensItsTopic() {
        TestWorld world;
        frmServiceTerm* window = openFromMenu(startMainWindow(world, QStringLiteral("2026-12-09 10:00:00")));
        QTest::keyClick(window, Qt::Key_F1);
        const HelpWindow* help = FindForm<HelpWindow>();
        QVERIFY(help);
        QCOMPARE(help->topic(), HelpTopic::ServiceTerm);
    }

    // Beside the main window where there is room, and never larger than the screen: on a small
    // screen (the suite runs this again at twice the scale) the window shrinks and its pages scroll,
    // its buttons within reach.
    void fitsTheScreen() {
        TestWorld world;
        WriteServiceFile({"Beginn=1.9.2026", "Bundesland=BY", "Urlaub=21.12.2026-1.1.2027"});
        frmPGR* main = startMainWindow(world, QStringLiteral("2026-12-09 10:00:00"));
        frmServiceTerm* window = openFromMenu(main);
        const QRect screen = window->screen()->availableGeometry();
        QVERIFY2(screen.contains(window->frameGeometry()),
                 qPrintable(QStringLiteral("%1x%2 on %3x%4")
                                .arg(window->frameGeometry().width())
                                .arg(window->frameGeometry().height())
                                .arg(screen.width())
                                .arg(screen.height())));
        if (screen.width() >= window->frameGeometry().width() + main->frameGeometry().width()) {
            QVERIFY(!window->frameGeometry().intersects(main->frameGeometry()));
            // Where the screen has room, the entries fit the page's width: it scrolls, if at all, down.
            showTab(window, QStringLiteral("Eintragungen"));
            for (const QScrollArea* page : window->findChildren<QScrollArea*>())
                if (page->widget() && page->widget()->isAncestorOf(child(window, "txtBeginn")))
                    QCOMPARE(page->horizontalScrollBar()->maximum(), 0);
            showTab(window, QStringLiteral("Kalender"));
        }
        for (const char* button : {"cmdsave", "cmdclose", "cmdhelp"}) {
            const QWidget* shown = child<QPushButton>(window, button);
            QVERIFY(window->rect().contains(QRect(shown->mapTo(window, QPoint()), shown->size())));
        }
        // Scrolled to today.
        const auto* calendar = child<CalendarView>(window, "calendarView");
        QCOMPARE(calendar->focusedDay(), QDate(2026, 12, 9));
        QTRY_VERIFY(calendar->visibleRegion().contains(calendar->dayRect(calendar->focusedDay())));
    }

    void failedSaveKeepsTheFile() {
        TestWorld world;
        WriteServiceFile({"Beginn=1.10.2026"});
        frmServiceTerm* window = openFromMenu(startMainWindow(world, QStringLiteral("2026-12-09 10:00:00")));
        const QByteArray before = serviceFile();
        chooseRegion(window, QStringLiteral("DE-BY"));
        const WriteProtected protection(QDir::currentPath());
        if (!protection.active())
            QSKIP("the folder cannot be write-protected here");
        press(window, "cmdsave");
        QCOMPARE(world.messages.shown.size(), 1);
        QVERIFY(world.messages.shown[0].text.endsWith(QStringLiteral("#26")));
        QCOMPARE(world.messages.shown[0].style, 16);
        QCOMPARE(serviceFile(), before);
        QCOMPARE(Term.region, QString());
    }

    // Every caption as the user reads it, access keys included.
    void captions() {
        TestWorld world;
        frmServiceTerm* window = openFromMenu(startMainWindow(world, QStringLiteral("2026-12-09 10:00:00")));
        QStringList shown;
        for (const QLabel* label : window->findChildren<QLabel*>())
            shown << label->text();
        for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
            shown << button->text();
        for (const QGroupBox* box : window->findChildren<QGroupBox*>())
            shown << box->title();
        const auto* tabs = child<QTabWidget>(window, "tabs");
        for (int tab = 0; tab < tabs->count(); ++tab)
            shown << tabs->tabText(tab);
        for (const char* caption :
             {"&Kalender", "&Eintragungen", "Ü&bersicht", "&speichern", "s&chließen", "&Hilfe",
              "Tage wählen, dann Kontextmenü oder U, F, D, T, Entf", "mit &Namen", "Als B&ild speichern…",
              "Kalender e&xportieren…", "Erster &Diensttag:", "Dienst&ort:", "D&ienstart:",
              "Urlaubs&anspruch:", "&Urlaub", "Dienst außer der &Reihe", "Dienst&frei (nicht Urlaub)",
              "&Termine", "&Meilensteine und Termine:"})
            QVERIFY2(shown.contains(QString::fromUtf8(caption)), caption);
    }

    // Both exports from their buttons: the file dialog proposes the file, and the one chosen is written.
    void exportButtons_data() {
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("picture") << QByteArray("cmdpicture") << "Als B&ild speichern…"
                                 << "Als Bild speichern"
                                 << "dienstzeit.png" << QByteArray("\x89PNG");
        QTest::newRow("calendar") << QByteArray("cmdcalendar") << "Kalender e&xportieren…"
                                  << "Kalender exportieren"
                                  << "dienstzeit.ics" << QByteArray("BEGIN:VCALENDAR");
    }
    void exportButtons() {
        QFETCH(QByteArray, button);
        QFETCH(QString, proposed);
        QFETCH(QByteArray, start);
        TestWorld world;
        WriteServiceFile(everyPart);
        frmServiceTerm* window = openFromMenu(startMainWindow(world, QStringLiteral("2027-03-01 10:00:00")));
        auto* pressed = child<QPushButton>(window, button.constData());
        QTEST(pressed->text(), "caption");
        const QString chosen = QDir::current().absoluteFilePath(QStringLiteral("gewählt-") + proposed);
        QString shownTitle;
        QString shownFile;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            shownTitle = dialog->windowTitle();
            shownFile = dialog->selectedFiles().value(0);
            dialog->selectFile(chosen);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        QTest::mouseClick(pressed, Qt::LeftButton);
        QTEST(shownTitle, "title");
        QCOMPARE(QFileInfo(shownFile).fileName(), proposed);
        QFile written(chosen);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.readAll().startsWith(start));
        QVERIFY(world.messages.shown.isEmpty());
    }

    // Days chosen with the mouse in any month: a click, a click with Shift, a drag.
    void mouseChoosesDays() {
        TestWorld world;
        WriteServiceFile({"Beginn=1.10.2026", "Bundesland=BY"});
        frmServiceTerm* window = openFromMenu(startMainWindow(world, QStringLiteral("2026-12-09 10:00:00")));
        auto* calendar = child<CalendarView>(window, "calendarView");
        const auto at = [calendar](int year, int month, int day) {
            return calendar->dayRect(QDate(year, month, day)).center();
        };
        QTest::mouseClick(calendar, Qt::LeftButton, {}, at(2026, 10, 7));
        QCOMPARE(calendar->focusedDay(), QDate(2026, 10, 7));
        QTest::mouseClick(calendar, Qt::LeftButton, Qt::ShiftModifier, at(2026, 10, 9));
        QCOMPARE(calendar->chosenDays().first, QDate(2026, 10, 7));
        QCOMPARE(calendar->chosenDays().last, QDate(2026, 10, 9));
        QTest::mousePress(calendar, Qt::LeftButton, {}, at(2027, 1, 11));
        QMouseEvent drag(QEvent::MouseMove, at(2027, 1, 15), calendar->mapToGlobal(at(2027, 1, 15)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(calendar, &drag);
        QTest::mouseRelease(calendar, Qt::LeftButton, {}, at(2027, 1, 15));
        QCOMPARE(calendar->chosenDays().first, QDate(2027, 1, 11));
        QCOMPARE(calendar->chosenDays().last, QDate(2027, 1, 15));
        QCOMPARE(calendar->focusedDay(), QDate(2027, 1, 15));
    }

    // A first-time user: the window opened before any term is entered, the first day of service
    // typed in; back on the calendar every month of the service is there, the scroll bar reaches
    // the last day, and the keys move only onto days in sight.
    void firstDayOfServiceGrowsTheCalendar() {
        TestWorld world;
        frmServiceTerm* window = openFromMenu(startMainWindow(world, QStringLiteral("2026-12-09 10:00:00")));
        auto* calendar = child<CalendarView>(window, "calendarView");
        auto* area = child<QScrollArea>(window, "calendarArea");
        showTab(window, QStringLiteral("Eintragungen"));
        type(window, "txtBeginn", QStringLiteral("1.10.2026"));
        showTab(window, QStringLiteral("Kalender"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        const QDate lastDay(2027, 6, 30);
        QCOMPARE(calendar->firstDay(), QDate(2026, 10, 1));
        QVERIFY(calendar->rect().contains(calendar->dayRect(lastDay)));
        const auto inSight = [&](QDate day) {
            const QRect cell = calendar->dayRect(day).translated(calendar->mapTo(area->viewport(), QPoint()));
            return area->viewport()->rect().contains(cell);
        };
        area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
        QVERIFY(inSight(lastDay));
        area->verticalScrollBar()->setValue(0);
        calendar->setFocus();
        for (int month = 0; month < 12; ++month) {
            QTest::keyClick(calendar, Qt::Key_PageDown);
            QVERIFY2(inSight(calendar->focusedDay()), qPrintable(calendar->focusedDay().toString()));
        }
        QCOMPARE(calendar->focusedDay(), lastDay); // and no further
        for (int month = 0; month < 12; ++month)
            QTest::keyClick(calendar, Qt::Key_PageUp);
        QCOMPARE(calendar->focusedDay(), QDate(2026, 10, 1)); // back to the first day, no further
        QTest::keyClick(calendar, Qt::Key_Left);
        QCOMPARE(calendar->focusedDay(), QDate(2026, 10, 1));
        QVERIFY(inSight(calendar->focusedDay()));
    }

    // Driven by the keyboard with a screen reader: the group's key leads into its entry box, every
    // box, list and button has a name of its own, the calendar reads the day in focus and what the
    // day is once planned, the planned days leave the choice, and Shift+F10 opens the plan menu.
    void keyboardAndScreenReader() {
        TestWorld world;
        WriteServiceFile({"Beginn=1.10.2026", "Bundesland=BY", "Urlaubsanspruch=24"});
        frmServiceTerm* window = openFromMenu(startMainWindow(world, QStringLiteral("2027-03-01 10:00:00")));
        showTab(window, QStringLiteral("Eintragungen"));
        QTest::keyClick(window, Qt::Key_R, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), child(window, "txtDienst"));
        QSet<QString> names;
        const QList<QWidget*> parts = window->findChildren<QWidget*>(QRegularExpression(
            QStringLiteral("^(lst|txt|cmdadd|cmdremove)(Urlaub|Dienst|Dienstfrei|Termin)")));
        for (const QWidget* part : parts)
            names.insert(part->accessibleName());
        QCOMPARE(names.size(), parts.size());
        QVERIFY(names.contains(QStringLiteral("Dienst außer der Reihe hinzufügen")));
        QCOMPARE(child(window, "txtDienst")->accessibleName(),
                 QStringLiteral("Dienst außer der Reihe: neuer Eintrag"));
        QCOMPARE(child(window, "txtTerminName")->accessibleName(), QStringLiteral("Termine: Name"));
        for (const QScrollArea* area : window->findChildren<QScrollArea*>())
            QCOMPARE(area->focusPolicy(), Qt::NoFocus);

        // What a screen reader reads of the day in focus (the events themselves need a desktop's bridge).
        showTab(window, QStringLiteral("Kalender"));
        auto* calendar = child<CalendarView>(window, "calendarView");
        calendar->setFocus();
        QAccessibleInterface* days = QAccessible::queryAccessibleInterface(calendar);
        QCOMPARE(days->role(), QAccessible::List);
        QVERIFY(
            days->focusChild()->text(QAccessible::Name).startsWith(QStringLiteral("Montag, 1. März 2027")));
        QTest::keyClick(calendar, Qt::Key_Right, Qt::ShiftModifier);
        QVERIFY(
            days->focusChild()->text(QAccessible::Name).startsWith(QStringLiteral("Dienstag, 2. März 2027")));
        QVERIFY(days->focusChild()->state().selected);
        QTest::keyClick(calendar, Qt::Key_U);
        QVERIFY2(days->focusChild()->text(QAccessible::Name).endsWith(QStringLiteral("Urlaub")),
                 qPrintable(days->focusChild()->text(QAccessible::Name)));
        QCOMPARE(calendar->chosenDays(), (DayRange{QDate(2027, 3, 2), QDate(2027, 3, 2)})); // the green shows
        QCOMPARE(LabelText(window, "lblCalendarLeave"),
                 QStringLiteral("Urlaub: 2 von 24 Tagen verplant, noch 22 Tage"));

        bool menuOpened = false;
        QTimer::singleShot(0, [&menuOpened] {
            if (QWidget* menu = QApplication::activePopupWidget()) {
                menuOpened = true;
                menu->close();
            }
        });
        QTest::keyClick(calendar, Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(menuOpened);

        calendar->setCurrent(QDate(2027, 3, 6)); // a Saturday alone takes no leave
        QTest::keyClick(calendar, Qt::Key_U);
        QCOMPARE(world.messages.texts(),
                 QStringList{"6.3.2027 ist Wochenende und ohnehin dienstfrei: nichts eingetragen."});
        QCOMPARE(entries(window, "lstUrlaub"), QStringList{"1.3.2027-2.3.2027"});
    }

    // The calendar kept current in a synced folder: the tick asks for the file once; each save
    // rewrites it with the UIDs as they were and unchanged events as they were; a write that fails
    // is told once and tried again at the next save.
    void calendarKeptCurrent() {
        TestWorld world;
        WriteServiceFile(everyPart);
        const CalendarFileKeeper keeper;
        frmServiceTerm* window = openFromMenu(startMainWindow(world, QStringLiteral("2027-03-01 10:00:00")));
        // The code to scan on the overview, as a phone's scanner reads it; a screen reader says what it is.
        QCOMPARE(child<QLabel>(window, "lblCode")->accessibleName(),
                 QStringLiteral("QR-Code: das Pilgrast als Termin für den Kalender des Handys"));
        QVERIFY(child<QLabel>(window, "lblCode")->pixmap().save(QStringLiteral("code.png")));
        QProcess scanner;
        scanner.start(QStringLiteral("zbarimg"),
                      {QStringLiteral("--raw"), QStringLiteral("-q"), QStringLiteral("code.png")});
        QVERIFY(scanner.waitForFinished(20000));
        QVERIFY(scanner.readAllStandardOutput().contains("SUMMARY:Pilgrast\r\nDTSTART:20270630T"));
        showTab(window, QStringLiteral("Eintragungen"));
        QVERIFY(QDir().mkdir(QStringLiteral("sync")));
        const QString path = QDir::current().absoluteFilePath(QStringLiteral("sync/dienstzeit.ics"));
        QTimer::singleShot(0, this, [&] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                dialog->selectFile(path);
                QMetaObject::invokeMethod(dialog, "accept");
            }
        });
        child<QCheckBox>(window, "chkCalendar")->click();
        QCOMPARE(LabelText(window, "lblCalendarFile"), QDir::toNativeSeparators(path));
        QVERIFY(!QFile::exists(path)); // from the save on
        press(window, "cmdsave");
        QVERIFY(serviceFile().contains(("Kalenderdatei=" + path + "\n").toUtf8()));
        const QMap<QString, QString> first = eventsByUid(path);
        QVERIFY(first.size() > 5);

        typeAndEnter(window, "txtUrlaub", QStringLiteral("3.5.2027"));
        press(window, "cmdsave");
        const QMap<QString, QString> second = eventsByUid(path);
        QCOMPARE(second.size(), first.size() + 1);
        for (auto event = first.begin(); event != first.end(); ++event)
            QCOMPARE(second.value(event.key()), event.value());

        {
            const WriteProtected protection(QStringLiteral("sync"));
            if (!protection.active())
                QSKIP("the folder cannot be write-protected here");
            typeAndEnter(window, "txtUrlaub", QStringLiteral("4.5.2027"));
            press(window, "cmdsave");
            QCOMPARE(world.messages.texts().size(), 1);
            QVERIFY2(world.messages.texts().first().startsWith(
                         QStringLiteral("Der Kalender „%1“ kann nicht gespeichert werden: Zugriff verweigert")
                             .arg(path)),
                     qPrintable(world.messages.texts().first()));
            typeAndEnter(window, "txtUrlaub", QStringLiteral("6.5.2027"));
            press(window, "cmdsave");
            QCOMPARE(world.messages.texts().size(), 1); // told once
            QCOMPARE(eventsByUid(path), second);
        }
        typeAndEnter(window, "txtUrlaub", QStringLiteral("10.5.2027"));
        press(window, "cmdsave");
        QCOMPARE(eventsByUid(path).size(), second.size() + 2); // 3.5.-4.5., 6.5. and 10.5. as ranges
        QCOMPARE(world.messages.texts().size(), 1);

        // Unticked, the file is no longer kept; the file itself stays.
        child<QCheckBox>(window, "chkCalendar")->click();
        press(window, "cmdsave");
        QVERIFY(!serviceFile().contains("Kalenderdatei="));
        QVERIFY(QFile::exists(path));
    }

    // Planning on the calendar: leave over a weekend, a range cleared, an own date by its name.
    void planningOnTheCalendar() {
        TestWorld world;
        WriteServiceFile({"Beginn=1.10.2026", "Bundesland=BY", "Urlaubsanspruch=24"});
        frmServiceTerm* window = openFromMenu(startMainWindow(world, QStringLiteral("2027-06-01 10:00:00")));
        auto* calendar = child<CalendarView>(window, "calendarView");
        QCOMPARE(calendar->focusedDay(), QDate(2027, 6, 1));
        QTest::keyClick(calendar, Qt::Key_Right); // Wednesday 2 June
        QTest::keyClick(calendar, Qt::Key_Right);
        for (int day = 0; day < 4; ++day) // to Monday 7 June, over the weekend
            QTest::keyClick(calendar, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(calendar->chosenDays(), (DayRange{QDate(2027, 6, 3), QDate(2027, 6, 7)}));
        QTest::keyClick(calendar, Qt::Key_U);
        QCOMPARE(entries(window, "lstUrlaub"), QStringList{"3.6.2027-7.6.2027"});
        // Thursday, Friday and Monday count; the weekend does not.
        QCOMPARE(LabelText(window, "lblLeaveAccount"),
                 QStringLiteral("Urlaub: 3 von 24 Tagen verplant, noch 21 Tage"));
        QCOMPARE(LabelText(window, "lblDutyDays"), QStringLiteral("noch 19 Diensttage"));

        // The Friday alone cleared.
        QTest::keyClick(calendar, Qt::Key_Left);
        QTest::keyClick(calendar, Qt::Key_Left);
        QTest::keyClick(calendar, Qt::Key_Left);
        QCOMPARE(calendar->focusedDay(), QDate(2027, 6, 4));
        QTest::keyClick(calendar, Qt::Key_Delete);
        QCOMPARE(entries(window, "lstUrlaub"), (QStringList{"3.6.2027", "5.6.2027-7.6.2027"}));

        world.messages.inputs = {QStringLiteral("Heimaturlaub-Planung")};
        QTest::keyClick(calendar, Qt::Key_T);
        QCOMPARE(world.messages.prompts, QStringList{"Name des Termins am 4.6.2027:"});
        QCOMPARE(entries(window, "lstTermin"), QStringList{"4.6.2027  Heimaturlaub-Planung"});
        QTest::keyClick(calendar, Qt::Key_D);
        QCOMPARE(entries(window, "lstDienst"), QStringList{"4.6.2027"});
        QTest::keyClick(calendar, Qt::Key_F);
        QCOMPARE(entries(window, "lstDienstfrei"), QStringList{"4.6.2027"});
        world.messages.inputs = {std::nullopt}; // cancelled: nothing added
        QTest::keyClick(calendar, Qt::Key_T);
        QCOMPARE(entries(window, "lstTermin").size(), 1);

        press(window, "cmdsave");
        QVERIFY(serviceFile().contains("Dienst=4.6.2027\nDienstfrei=4.6.2027\n"));
        QVERIFY(serviceFile().contains("[Termine]\n4.6.2027=Heimaturlaub-Planung\n"));
    }
};

QTEST_MAIN(ServiceTermWindowTest)
#include "tst_servicetermwindow.moc"
