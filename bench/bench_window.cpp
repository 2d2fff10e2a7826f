// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Opening the "Dienstzeit" window and drawing the whole term: the calendar of every month,
// and the picture to share.
#include "mainwindow/frmpgr.h"
#include "servicetermwindow/frmserviceterm.h"
#include "support/fakes.h"
#include "termcalendar/calendarview.h"
#include "termcalendar/termpicture.h"

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double medianMs(int runs, const std::function<void()>& run) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::nth_element(ms.begin(), ms.begin() + runs / 2, ms.end());
    return ms[std::size_t(runs / 2)];
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // A year of service with every kind of day.
    TestWorld world(QStringLiteral("2026-12-09 10:00:00"));
    SettingsRecord record = SampleSettings();
    SetText(&SettingsRecord::Pgr, record, QStringLiteral("30.09.2027"));
    WriteSettingsFile(record);
    WriteServiceFile({"Beginn=1.10.2026", "Bundesland=BY", "Urlaub=21.12.2026-1.1.2027, 15.3.2027-19.3.2027",
                      "Dienst=12.6.2027 7:00-13.6.2027 7:00, 10.5.2027-14.5.2027", "Dienstfrei=2.4.2027",
                      "Urlaubsanspruch=24", "", "[Termine]", "12.3.2027=Gelöbnis"});
    frmPGR* main = ShowForm<frmPGR>();
    main->Timer1_Timer();
    const double open = medianMs(21, [] {
        ShowForm<frmServiceTerm>();
        QCoreApplication::processEvents();
        UnloadForm(FindForm<frmServiceTerm>());
        QCoreApplication::processEvents();
    });
    std::printf("%-52s median %7.2f ms\n", "opening the Dienstzeit window (12 months)", open);
    auto* calendar = ShowForm<frmServiceTerm>()->findChild<CalendarView*>();
    const double draw = medianMs(21, [&] { calendar->grab(); });
    std::printf("%-52s median %7.2f ms\n", "drawing the whole term (the calendar, 12 months)", draw);
    const double picture = medianMs(11, [] { TermPicture(TermCalendar, PictureContentNow(true), Now()); });
    std::printf("%-52s median %7.2f ms\n", "drawing the picture to share", picture);
    return 0;
}
