// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Renders each window of the program at a fixed instant with a sample pgr.dat
// into PNG files in the folder given.
#include "aboutbox/info.h"
#include "countdownwindow/frmcountdown.h"
#include "helpwindow/help.h"
#include "mainwindow/frmpgr.h"
#include "serviceterm/servicecalendar.h"
#include "serviceterm/serviceterm.h"
#include "servicetermwindow/frmserviceterm.h"
#include "settingsdialog/frmsettings.h"
#include "support/fakes.h"
#include "termcalendar/termpicture.h"
#include "timecalc/datevalue.h"
#include "widgets/qtmessages.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <cstdio>

namespace {

bool save(QWidget* window, const QDir& folder, const char* name) {
    QCoreApplication::processEvents();
    const QString path = folder.filePath(QString::fromLatin1(name));
    if (window->grab().save(path))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

// Each page of the Dienstzeit window, the calendar first.
bool saveServiceTermPages(const QDir& folder) {
    auto* window = FindForm<frmServiceTerm>();
    auto* tabs = window->findChild<QTabWidget*>(QStringLiteral("tabs"));
    bool ok = save(window, folder, "service-term-window.png");
    tabs->setCurrentIndex(1);
    ok &= save(window, folder, "service-term-entries.png");
    tabs->setCurrentIndex(2);
    ok &= save(window, folder, "service-term-overview.png");
    return ok;
}

// The entries page for a place of duty abroad, the term read from the lines given.
bool saveEntriesPage(frmPGR* main, const QDir& folder, const QStringList& lines, const char* name) {
    WriteServiceFile(lines);
    ReadServiceTerm();
    RebuildTermCalendar();
    main->menuservice_Click();
    auto* window = FindForm<frmServiceTerm>();
    window->findChild<QTabWidget*>(QStringLiteral("tabs"))->setCurrentIndex(1);
    const bool ok = save(window, folder, name);
    UnloadForm(window);
    return ok;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshots FOLDER\n");
        return 2;
    }
    const QDir folder(QDir(QString::fromLocal8Bit(argv[1])).absolutePath());
    InstallGermanTranslation();

    // A Tuesday morning, on duty, four months before the end of service.
    TestWorld world(QStringLiteral("2026-12-08 10:15:42"));
    SettingsRecord record = SampleSettings();
    SetText(&SettingsRecord::Vorname, record, QStringLiteral("Jörg"));
    SetText(&SettingsRecord::Name, record, QStringLiteral("Müller"));
    SetText(&SettingsRecord::Pgr, record, QStringLiteral("31.03.2027"));
    record.Anzeige = Unit::Hours;
    WriteSettingsFile(record);
    WriteServiceFile({"Beginn=1.7.2026", "Bundesland=BY", "Urlaub=21.12.2026-1.1.2027, 15.3.2027",
                      "Dienst=12.12.2026 7:00-13.12.2026 7:00, 8.2.2027-12.2.2027", "Dienstfrei=5.3.2027",
                      "Urlaubsanspruch=12", "[Termine]", "18.12.2026=Gelöbnis",
                      "8.2.2027-12.2.2027=Übung Wildflecken"});

    bool ok = true;
    frmPGR* main = ShowForm<frmPGR>();
    main->Timer1_Timer();
    ok &= save(main, folder, "main-window.png");

    main->menuInfo_Click();
    ok &= save(FindForm<Info>(), folder, "about-box.png");
    UnloadForm(FindForm<Info>());

    ShowHelp(HelpTopic::Contents);
    ok &= save(FindForm<HelpWindow>(), folder, "help-window.png");
    UnloadForm(FindForm<HelpWindow>());

    main->menuservice_Click();
    ok &= saveServiceTermPages(folder);
    UnloadForm(FindForm<frmServiceTerm>());
    const QString picture = folder.filePath(QStringLiteral("term-picture.png"));
    WriteTermPicture(picture, TermPicture(TermCalendar, PictureContentNow(false), Now()));

    // Carinthia's civil service with the leave its rules give proposed; a Zurich recruit's half days.
    ok &= saveEntriesPage(main, folder,
                          {"Beginn=1.7.2026", "Bundesland=AT-2", "Ortsfeiertage=landespatron",
                           "Dienstart=Zivildienst", "Urlaub=21.12.2026-1.1.2027"},
                          "service-term-austria.png");
    ok &= saveEntriesPage(main, folder,
                          {"Beginn=1.7.2026", "Bundesland=CH-ZH", "Ortsfeiertage=berchtoldstag",
                           "Dienstart=Rekrutenschule", "Urlaub=21.12.2026-1.1.2027", "Urlaubsanspruch=12,5"},
                          "service-term-switzerland.png");

    main->menuCDn_Click();
    frmCountdown* countdown = FindForm<frmCountdown>();
    countdown->Timer1_Timer();
    ok &= save(countdown, folder, "countdown-window.png");
    TestWorld::deleteAllWindows();

    ShowForm<frmSettings>();
    ok &= save(FindForm<frmSettings>(), folder, "settings-dialog.png");
    return ok && world.messages.shown.isEmpty() ? 0 : 1;
}
