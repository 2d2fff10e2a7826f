// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

// What the user tells of the whole term of service, kept in pilgrast.ini (QSettings' INI format) beside
// pgr.dat (group [Dienstzeit]): the first day of service, the state whose public
// holidays are free days, and the leave. Nothing set is the program as it always was.

// Leave from the first to the last day, both included.
struct LeavePeriod {
    QDate first;
    QDate last;
    bool operator==(const LeavePeriod&) const = default;
};

struct ServiceTerm {
    QDate start;    // Beginn; null when not set
    QString region; // Bundesland: a code of HolidayRegions(), empty for no holidays
    QList<LeavePeriod> leave;
    bool operator==(const ServiceTerm&) const = default;
};

// The term the program works with, as last read or saved.
extern ServiceTerm Term;

// A day as the file and the windows write it: "1.10.2026".
QString DayText(QDate day);
// "d.m.yyyy" with one or two digits for day and month; anything else is no day.
std::optional<QDate> ReadDay(const QString& text);
// "15.3.2027" or "21.12.2026-1.1.2027"; a range that ends before it starts is none.
std::optional<LeavePeriod> ReadLeave(const QString& text);
QString LeaveText(const LeavePeriod& period);

// pilgrast.ini in the folder of pgr.dat.
QString ServiceFilePath();

// Reads the file into Term. A missing file sets nothing. What cannot be used is
// left unset, the rest applies, and the returned German message names the file and
// each key and value not taken (empty when all was well). The file is not written.
QString ReadServiceTerm();

// Saves the term crash-safely (the old file stays whole until the new one is
// complete) and then makes it Term; other keys of the file are kept. Failures throw
// ProgramError naming the file and the cause in German, and leave Term as it was.
void WriteServiceTerm(const ServiceTerm& term);

// The milestones already told in a notification, each as "<name> <day>" ("Bergfest
// 14.2.2027"), kept in the group [Meldungen] of pilgrast.ini so that each is told once.
bool MilestoneAnnounced(const QString& milestone);
// Adds one to the file, crash-safely; failures throw ProgramError.
void RememberMilestoneAnnounced(const QString& milestone);
