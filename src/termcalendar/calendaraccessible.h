// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class CalendarView;

#include <QAccessible>

// The calendar for screen readers: a list whose items are the days, each read as its date
// and all that it is. Only the focused day is announced: when the focus comes to it and when
// what it is changes, never at the clock's seconds.
void InstallCalendarAccessibility();
void NotifyCalendarFocus(CalendarView* view, QAccessible::Event change = QAccessible::Focus);
