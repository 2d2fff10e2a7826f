// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class CalendarView;

// The calendar for screen readers: a table whose cells are the days, each read as its date
// and all that it is. Only a change of the focused day is announced, never the clock's seconds.
void InstallCalendarAccessibility();
void NotifyCalendarFocus(CalendarView* view);
