// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "services/countdisplay.h"
#include "serviceterm/servicecalendar.h"

#include <array>

// The counts as the main window's five labels show them: weeks, days, hours, minutes, seconds.
using Counts = std::array<QString, 5>;

// What the counter shows at this second. One function works it out for the main window,
// the tray, the dock, the notifications and the status output alike; a window only draws it.
struct CounterView {
    DutyMoment duty;             // duty-time mode: where the duty periods stand
    bool freeDay = false;        // duty-time mode, usual week: today has no duty and no end of duty
    bool countsWorkedOut = true; // false: the standing counts were kept as they are on screen
    Counts counts;               // as worked out, before the run-out check
    Counts shown;                // as the labels show them: all four 0 once every count has run out
    CountReport report;          // for the displays outside the windows
};

// The counter now, from the clock, Settings and TermCalendar. Counts that stand off duty
// are worked out once: while OffDutyShown is set, `standing` (the counts on screen) stay.
// A failing remaining-time function reports itself and gives 0 or nothing; a failure of
// the counting itself (no end of service or duty time to count with) throws ProgramError.
CounterView CounterViewAt(const Counts& standing = {});

// The counter as a fresh start would show it this second, for those who count without a
// window (the status output, the picture, the Dienstzeit window's tape): the main window's
// standing counts are left alone.
CounterView FreshCounterView();

// The figure in the unit the taskbar shows: "113 Tage", "2689200 Sekunden"; any unit
// but minutes, seconds and hours counts days.
QString FigureInUnit(const Counts& counts, qint16 unit);

// The report of a figure the caller shows itself (the countdown window's), with the end
// of service, the share done and the progress line.
CountReport ReportOf(const QString& figure, std::optional<qint64> days, CountPhase phase);

// The tooltip of the tray and the status bars: the program, the figure as the minimised
// caption shows it, the end of service, and how far the service has come when its start is known.
QString CountToolTip(const CountReport& report);

// The end of duty the countdown window counts to when it opened at the end of duty: the
// end of the duty period served (or just ended) where Dienst periods shape the day,
// otherwise today at today's usual end of duty.
DateValue DutyEndCountedTo();
