// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "serviceterm.h"

#include <optional>

// One check for what is typed into the box of any of the term's four lists: the entry, or
// why it is none, in German, naming the list and the text.

enum class TermList { Leave, Duty, DaysOff, OwnDates };

struct TermEntry {
    std::optional<DayRange> days;  // leave, days off, own dates
    std::optional<DutyEntry> duty; // duty
    QString problem;               // empty when the text is an entry of the list
};

// The text as an entry of the list: "15.3.2027", "21.12.2026-1.1.2027", and for duty also
// "12.6.2027 7:00-13.6.2027 7:00". The name of an own date is not the text's.
TermEntry ReadTermEntry(TermList list, const QString& text);

// Why what is typed could not be added: the reason in German, and whether the name is to
// mend rather than the days.
struct TermEntryRefusal {
    QString problem;
    bool inName = false;
};
// Adds what is typed into a list's box (with its name, for an own date) to the term as that
// list's planning does; refused, the term stays as it was.
std::optional<TermEntryRefusal> AddTermEntry(ServiceTerm& term, TermList list, const QString& text,
                                             const QString& name = {});
