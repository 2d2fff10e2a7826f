// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "servicecalendar.h"
#include "termentry.h"

// What the Dienstzeit window shows of the term, as texts and states: its lists, the overview of
// free days, milestones and own dates, the next own date and leave, and the leave account. The
// window only draws it.

// "Do. 06.05.2027"
QString DayCaption(qint64 day);
// "in 12 Tagen", "in 1 Tag"
QString InDaysText(qint64 days);

// The entries of one of the four lists as the list shows them: "21.12.2026-1.1.2027",
// "12.3.2027  Gelöbnis".
QStringList EntryTexts(const ServiceTerm& term, TermList list);

struct OverviewLine {
    QString text; // "✓ Bergfest  So. 14.02.2027", "heute: Übung  Mi. 05.05.2027 – Fr. 07.05.2027"
    bool done = false;
};

struct TermOverview {
    QString freeDaysCaption;   // "noch 8 freie Tage:", "keine freien Tage mehr"
    QStringList freeDays;      // "Fr. 26.03.2027  Karfreitag", from the day on
    QList<OverviewLine> dates; // milestones and own dates in the order of their first days
    QString nextDate;          // "heute: Gelöbnis", "Gelöbnis in 12 Tagen"; empty when none is ahead
    QString nextLeave;         // "nächster Urlaub: Mo. 21.12.2026 (in 12 Tagen)"; empty when none
    QString leaveOutside;      // "außerhalb der Dienstzeit: 1.9.2026"; empty when none
};
// The overview of the term as the calendar has it, on the day given.
TermOverview OverviewOn(const ServiceCalendar& calendar, const ServiceTerm& term, qint64 today);

struct LeaveLine {
    QString text; // the account, or why the entitlement typed is none; empty without either
    bool warning = false;
};
// The line under the leave and the calendar, with the entitlement as typed.
LeaveLine LeaveAccountLine(const ServiceCalendar& calendar, const QString& typedEntitlement);
