// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Time per main tick and per countdown refresh, with a fake clock moved one
// second per call.
#include "countdownwindow/frmcountdown.h"
#include "desktop/dockentry.h"
#include "desktop/milestonenotifier.h"
#include "mainwindow/frmpgr.h"
#include "support/fakes.h"

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <numeric>
#include <utility>
#include <vector>

namespace {

struct Timing {
    double medianUs;
    double meanUs;
};

Timing measure(FakeClock& clock, int calls, const std::function<void()>& call) {
    std::vector<double> micros;
    micros.reserve(static_cast<std::size_t>(calls));
    for (int i = 0; i < calls; ++i) {
        clock.advance(1);
        const auto start = std::chrono::steady_clock::now();
        call();
        micros.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    const double mean = std::accumulate(micros.begin(), micros.end(), 0.0) / calls;
    std::nth_element(micros.begin(), micros.begin() + calls / 2, micros.end());
    return {micros[static_cast<std::size_t>(calls / 2)], mean};
}

// Duty-time mode in Bavaria with a start of service and a week of leave; 6 May 2027 is Ascension Day.
void WriteTermSettings() {
    SettingsRecord record = SampleSettings();
    SetText(&SettingsRecord::Pgr, record, QStringLiteral("30.06.2027"));
    WriteSettingsFile(record);
    WriteServiceFile({"Beginn=1.10.2026", "Bundesland=BY", "Urlaub=10.5.2027-14.5.2027"});
}

void report(const char* what, const Timing& timing) {
    std::printf("%-52s median %6.2f us   mean %6.2f us\n", what, timing.medianUs, timing.meanUs);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    {
        TestWorld world(QStringLiteral("1999-03-01 07:00:00"));
        SettingsRecord record = SampleSettings();
        record.nd = 0;
        WriteSettingsFile(record);
        frmPGR* window = ShowForm<frmPGR>();
        report("main tick, simple mode", measure(world.clock, 100000, [&] { window->Timer1_Timer(); }));
    }
    {
        TestWorld world(QStringLiteral("1999-03-01 07:00:00"));
        WriteSettingsFile(SampleSettings());
        frmPGR* window = ShowForm<frmPGR>();
        report("main tick, duty-time mode, on duty",
               measure(world.clock, 30000, [&] { window->Timer1_Timer(); }));
    }
    {
        TestWorld world(QStringLiteral("1999-03-01 17:00:00"));
        WriteSettingsFile(SampleSettings());
        frmPGR* window = ShowForm<frmPGR>();
        AutoCountdownDone = QuitQuestionAsked = True;
        report("main tick, duty-time mode, off duty",
               measure(world.clock, 30000, [&] { window->Timer1_Timer(); }));
    }
    {
        TestWorld world(QStringLiteral("2027-05-04 07:00:00"));
        WriteTermSettings();
        frmPGR* window = ShowForm<frmPGR>();
        report("main tick, with holidays and leave, duty day",
               measure(world.clock, 30000, [&] { window->Timer1_Timer(); }));
    }
    {
        TestWorld world(QStringLiteral("2027-05-04 07:00:00"));
        WriteTermSettings();
        const DockEntry dock([] { return true; });
        const MilestoneNotifier notifier;
        frmPGR* window = ShowForm<frmPGR>();
        report("main tick, dock and notifications told",
               measure(world.clock, 30000, [&] { window->Timer1_Timer(); }));
    }
    {
        TestWorld world(QStringLiteral("2027-05-06 07:00:00"));
        WriteTermSettings();
        frmPGR* window = ShowForm<frmPGR>();
        report("main tick, with holidays and leave, free day",
               measure(world.clock, 30000, [&] { window->Timer1_Timer(); }));
    }
    // With duty periods: a guard duty from Saturday 12 June 07:00 to Sunday 07:00 and an exercise week.
    const QStringList periods{"Beginn=1.10.2026", "Bundesland=BY", "Urlaub=10.5.2027-14.5.2027",
                              "Dienst=12.6.2027 7:00-13.6.2027 7:00, 21.6.2027-25.6.2027"};
    for (const auto& [what, instant] :
         {std::pair{"main tick, duty periods set, on duty", "2027-06-09 07:00:00"},
          std::pair{"main tick, duty periods set, off duty", "2027-06-09 17:00:00"},
          std::pair{"main tick, inside a duty period (guard's night)", "2027-06-12 20:00:00"},
          std::pair{"main tick, standing after a duty period", "2027-06-13 07:00:01"}}) {
        TestWorld world(QString::fromLatin1(instant));
        SettingsRecord record = SampleSettings();
        SetText(&SettingsRecord::Pgr, record, QStringLiteral("30.06.2027"));
        WriteSettingsFile(record);
        WriteServiceFile(periods);
        frmPGR* window = ShowForm<frmPGR>();
        AutoCountdownDone = QuitQuestionAsked = DutyEndNoticeDone = True;
        report(what, measure(world.clock, 30000, [&] { window->Timer1_Timer(); }));
    }
    {
        TestWorld world(QStringLiteral("1999-03-01 07:00:00"));
        SettingsRecord record = SampleSettings();
        record.Anzeige = Unit::Seconds;
        WriteSettingsFile(record);
        Settings = record;
        frmCountdown* window = ShowForm<frmCountdown>();
        report("countdown refresh, seconds", measure(world.clock, 100000, [&] { window->Timer1_Timer(); }));
    }
    return 0;
}
