// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>
#include <optional>

// What the user tells of the whole term of service, kept in pilgrast.ini (QSettings' INI
// format) beside pgr.dat. Group [Dienstzeit]: the first day of service, the state whose
// public holidays are free days, the leave, duty outside the usual week, days off that
// are not leave and the leave the user is entitled to. Group [Termine]: the user's own
// dates. Nothing set is the program as it always was.

// The days from the first to the last, both included.
struct DayRange {
    QDate first;
    QDate last;
    bool operator==(const DayRange&) const = default;
};

// Duty outside the usual week (Dienst): one day at its usual hours, a range of days
// served without a break from the first day's start of duty to the last day's end of
// duty, or a range with times of its own (from and to both set).
struct DutyEntry {
    QDate first;
    QDate last;
    QTime from; // null: the first day's usual start of duty
    QTime to;   // null: the last day's usual end of duty
    bool timed() const { return from.isValid(); }
    bool operator==(const DutyEntry&) const = default;
};

// A date of the user's own ([Termine]): a day or a range, with its name.
struct OwnDate {
    DayRange days;
    QString name;
    bool operator==(const OwnDate&) const = default;
};

// Dienstart: who serves, which decides the leave the rules give and, for a German soldier,
// whether 24 and 31 December are free days.
enum class ServiceKind {
    MilitaryService,
    FixedTermSoldier,
    VoluntaryService,
    BasicMilitaryService,
    CivilService,
    RecruitSchool
};

struct ServiceTerm {
    QDate start;               // Beginn; null when not set
    QString region;            // Bundesland: a code of HolidayCountries(), empty for no holidays
    QStringList localHolidays; // Ortsfeiertage: the keys of the region's local days that count
    ServiceKind kind = ServiceKind::MilitaryService; // Dienstart
    QList<DayRange> leave;
    QList<DutyEntry> duty;                  // Dienst
    QList<DayRange> daysOff;                // Dienstfrei
    std::optional<double> leaveEntitlement; // Urlaubsanspruch, 0 to 999 in whole or half days
    QList<OwnDate> ownDates;                // [Termine], in the order of their days
    QString calendarFile;                   // Kalenderdatei: the calendar file kept current; empty: none
    bool operator==(const ServiceTerm&) const = default;
};

// The term the program works with, as last read or saved.
extern ServiceTerm Term;

// A day as the file and the windows write it: "1.10.2026".
QString DayText(QDate day);
// "d.m.yyyy" with one or two digits for day and month; anything else is no day.
std::optional<QDate> ReadDay(const QString& text);
// "15.3.2027" or "21.12.2026-1.1.2027"; a range that ends before it starts is none.
std::optional<DayRange> ReadDayRange(const QString& text);
QString DayRangeText(const DayRange& period);

// Why a text is no duty entry, or the entry.
enum class DutyEntryProblem { NotADate, EndsBeforeStart };
struct DutyEntryReading {
    std::optional<DutyEntry> entry;
    DutyEntryProblem problem = DutyEntryProblem::NotADate;
};
// "3.7.2027", "10.5.2027-14.5.2027" or "12.6.2027 7:00-13.6.2027 7:00".
DutyEntryReading ReadDutyEntry(const QString& text);
QString DutyEntryText(const DutyEntry& entry);

// Days from 0 to 999, whole or half ("27,5" or "27.5"), blanks around allowed.
std::optional<double> ReadLeaveEntitlement(const QString& text);
// "27,5", "27": days of leave as the file and the windows write them.
QString LeaveDaysNumber(double days);
// "1 Tag", "27,5 Tage"; after "von" the dative, "18 Tagen".
QString LeaveDaysText(double days, bool dative = false);

// Ranges that overlap or follow each other without a gap become one; sorted by their first day.
QList<DayRange> MergedRanges(QList<DayRange> ranges);

// Planning: leave and days off join what they overlap or touch; duty is entered once; an
// own date replaces one on the same days; clearing days takes from them every leave, day
// off, duty and own date (a range is cut around them, a duty period with times or an own
// date that touches them goes whole). Every list stays in the order of its days.
void AddLeave(ServiceTerm& term, const DayRange& days);
void AddDaysOff(ServiceTerm& term, const DayRange& days);
void AddDuty(ServiceTerm& term, const DutyEntry& entry);
void AddOwnDate(ServiceTerm& term, const OwnDate& date);
void ClearDays(ServiceTerm& term, const DayRange& days);

// pilgrast.ini in the folder of pgr.dat.
QString ServiceFilePath();

// Reads the file into Term. A missing file sets nothing. What cannot be used is
// left unset, the rest applies, and the returned German message names the file and
// each key and value not taken (empty when all was well); a file that is no settings
// file at all is named as such and left for the next save to replace. The file is not written.
QString ReadServiceTerm();

// Saves the term crash-safely (the old file stays whole until the new one is
// complete) and then makes it Term; other keys of the file are kept. Failures throw
// ProgramError naming the file and the cause in German, and leave Term as it was.
void WriteServiceTerm(const ServiceTerm& term);

// The milestones and own dates already told in a notification, each as "<name> <day>"
// ("Bergfest 14.2.2027"), kept in the group [Meldungen] of pilgrast.ini so that each is
// told once. A file that cannot be read has told none.
bool MilestoneAnnounced(const QString& milestone);
// Adds one to the file, crash-safely; failures throw ProgramError. A file that is no
// settings file is not touched.
void RememberMilestoneAnnounced(const QString& milestone);
