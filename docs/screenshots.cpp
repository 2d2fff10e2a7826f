// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Renders each window of the program at a fixed instant with a sample pgr.dat
// into PNG files in the folder given.
#include "aboutbox/info.h"
#include "countdownwindow/frmcountdown.h"
#include "mainwindow/frmpgr.h"
#include "servicetermwindow/frmserviceterm.h"
#include "helpwindow/help.h"
#include "widgets/qtmessages.h"
#include "settingsdialog/frmsettings.h"
#include "support/fakes.h"

#include <QApplication>
#include <QDir>
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
    WriteServiceFile({"Beginn=1.7.2026", "Bundesland=BY", "Urlaub=21.12.2026-1.1.2027, 15.3.2027"});

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
    ok &= save(FindForm<frmServiceTerm>(), folder, "service-term-window.png");
    UnloadForm(FindForm<frmServiceTerm>());

    main->menuCDn_Click();
    frmCountdown* countdown = FindForm<frmCountdown>();
    countdown->Timer1_Timer();
    ok &= save(countdown, folder, "countdown-window.png");
    TestWorld::deleteAllWindows();

    ShowForm<frmSettings>();
    ok &= save(FindForm<frmSettings>(), folder, "settings-dialog.png");
    return ok && world.messages.shown.isEmpty() ? 0 : 1;
}
