// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "serviceterm.h"
#include "settings/declarations.h"
#include "timecalc/datevalue.h"

#include <QHash>
#include <QSet>
#include <optional>
#include <vector>

// The days of the term of service worked out once, when the term or the settings are
// read or saved, so that a tick only looks them up. Days are day numbers as in
// DateValue (whole days since 30 December 1899).

struct FreeDay {
    qint64 day;
    QString name; // the holiday's name, "Urlaub" or "Dienstfrei"
};

// The milestones of every service, from half time to the last day.
enum class MilestoneKind { HalfTime, Days150, Days100, LastWeek, LastDay };

struct Milestone {
    MilestoneKind kind;
    QString name; // as every view shows it: "Bergfest", "Noch 150 Tage", ...
    qint64 day;
};

// An own date of the user's, by day numbers.
struct OwnDay {
    qint64 first;
    qint64 last;
    QString name;
};

// A stretch of duty: on duty strictly between start and end.
struct DutySpan {
    DateValue start;
    DateValue end;
};

// Where the duty periods stand at an instant. The usual week's days and the duty
// periods of Dienst entries, joined where they overlap or touch, make the periods.
struct DutyMoment {
    bool onDuty = false;
    // A Dienst period shapes this day or the time to the next start of duty: the counter
    // follows the periods. Otherwise the usual week and its free days rule, as always.
    bool followsPeriods = false;
    std::optional<DutySpan> period;     // on duty: the period now served
    std::optional<DateValue> nextStart; // off duty: the start of the next period
    std::optional<DateValue> lastEnd;   // off duty: the end of the period served last
};

// What one day of the term is.
struct DayInfo {
    qint64 day = 0;
    bool weekend = false;
    QString holiday;        // the public holiday's name
    bool leave = false;     // a day of a leave range, whatever the weekday
    bool dayOff = false;    // a day of a Dienstfrei range
    bool extraDuty = false; // a Dienst period covers part of it
    bool dutyDay = false;   // counted among the duty days
    bool freeDay = false;   // Monday to Friday without duty: holiday, leave or day off
    bool firstDay = false;  // the first day of service
    bool lastDay = false;   // the end-of-service day
    QStringList milestones;
    QStringList ownDates;
    // From this instant on the day is done: its end of duty has passed, or, on a day
    // without duty, the day itself.
    DateValue doneAt = 0;
};

// The leave account: planned leave days (Monday to Friday, not a public holiday, without
// duty, within the service) against what the user is entitled to.
struct LeaveAccount {
    int planned = 0;
    double entitled = 0; // whole or half days
};
// "Urlaub: 18 von 24 Tagen verplant, noch 6 Tage", "…, 2 Tage zu viel".
QString LeaveAccountText(const LeaveAccount& account);

class ServiceCalendar {
public:
    // The free days of the term and the settings' end of service, and what follows from them.
    void build(const ServiceTerm& term, const SettingsRecord& settings);

    // A day from Monday to Friday that is a public holiday, a leave day or a day off and
    // has no duty; never the end-of-service day, which keeps its own behaviour.
    bool isFreeDay(qint64 day) const;

    // The start of duty that ends the present time off in the usual week: today's while
    // it is still to come (or is this very second) on a day with duty, otherwise that of
    // the next day that is neither a weekend day nor a free day.
    DateValue nextDutyStart(DateValue now, DateValue dutyStart) const;
    // True when that start of duty lies beyond a free day: today is one, or the day the
    // counts would otherwise stand at is.
    bool freeDayBeforeNextDutyStart(DateValue now, DateValue dutyStart) const;
    // On duty or not, with the periods of Dienst entries.
    DutyMoment dutyMomentAt(DateValue now) const;

    // Duty days (a day with any duty: Monday to Friday when not free, and every day a Dienst
    // period makes one) of the service not yet done, up to and including the end-of-service day.
    int dutyDaysLeft(DateValue now) const;
    // When the next duty day is done, if one is still ahead.
    std::optional<DateValue> nextDutyDayDone(DateValue now) const;
    // The free days from the day given to the end of service.
    QList<FreeDay> freeDaysFrom(qint64 day) const;
    // The holidays of the service that are free days, from its first day (or today) to its end.
    QList<FreeDay> holidaysOfService() const;
    // The share of the service done, 0 to 1, from the start of service at its start of
    // duty to the end of service; nothing without a start of service.
    std::optional<double> shareDone(DateValue now) const;
    // The milestones in the order of their days; those before the start of service are left out.
    const QList<Milestone>& milestones() const { return m_milestones; }
    // The own dates in the order of their first days.
    const QList<OwnDay>& ownDates() const { return m_ownDates; }
    // The duty periods of Dienst entries, those that overlap or touch joined.
    const std::vector<DutySpan>& extraDutyPeriods() const { return m_extraDuty; }
    // The leave and the days off, ranges that overlap or touch joined.
    const QList<DayRange>& leaveRanges() const { return m_leave; }
    const QList<DayRange>& dayOffRanges() const { return m_dayOffRanges; }
    // Everything the day is.
    DayInfo dayInfo(qint64 day) const;
    // The leave account, while an entitlement is set.
    std::optional<LeaveAccount> leaveAccount() const;
    // The first day of the next leave that begins after the day.
    std::optional<qint64> nextLeaveAfter(qint64 day) const;

    bool hasStart() const { return m_start.has_value(); }
    // The first day of service, when set.
    std::optional<qint64> startDay() const;
    // The end-of-service day, when the settings hold one.
    std::optional<qint64> endDay() const;
    // The start of service at its start of duty, when set.
    std::optional<DateValue> startOfService() const { return m_start; }
    // The end-of-service moment, when the settings hold one.
    std::optional<DateValue> endOfService() const { return m_end; }

private:
    bool freeOfUsualDuty(qint64 day) const;
    std::optional<DateValue> dutyEndOn(qint64 day) const;
    std::optional<DutySpan> usualPeriod(qint64 day) const;
    bool usualPeriodsExist() const;
    void buildExtraDuty(const ServiceTerm& term);
    void buildDutyDays(qint64 firstDay, qint64 lastDay);
    void buildMilestones();
    std::optional<DutySpan> blockAround(DateValue now) const;
    std::optional<DateValue> nextPeriodStart(DateValue now, bool& inBlock) const;

    QHash<qint64, QString> m_holidays; // every public holiday of the region in the range
    QSet<qint64> m_leaveDays;
    QSet<qint64> m_daysOff;
    QSet<qint64> m_extraDutyDays;        // days a Dienst period covers in part or whole
    std::vector<DutySpan> m_extraDuty;   // the Dienst entries' periods, ascending, apart
    std::vector<DutySpan> m_blocks;      // the same joined with the usual days they touch
    QHash<qint64, DateValue> m_dutyDays; // each duty day and the instant it is done
    std::vector<DateValue> m_dutyDone;   // the same instants, ascending
    QList<DayRange> m_leave;             // merged
    QList<DayRange> m_dayOffRanges;      // merged
    std::optional<double> m_entitlement;
    std::optional<DateValue> m_start;
    std::optional<DateValue> m_end;
    std::optional<DateValue> m_dutyStart;
    std::optional<DateValue> m_dutyEnd;       // Monday to Thursday
    std::optional<DateValue> m_fridayDutyEnd; // Friday
    qint64 m_lastDay = 0;                     // the last day worked out
    QList<Milestone> m_milestones;
    QList<OwnDay> m_ownDates;
};

// The calendar of Term and Settings; its owner rebuilds it when either changes.
extern ServiceCalendar TermCalendar;

// Reads pilgrast.ini into Term and builds TermCalendar from it and Settings. Returns
// the message of ReadServiceTerm (empty when all was well).
QString LoadServiceTerm();
// Builds TermCalendar anew from Term and Settings and tells the displays outside the windows.
void RebuildTermCalendar();

// What the day is, as a screen reader reads it and a tooltip shows it: "Mittwoch,
// 24. März 2027: Letzte Woche, Diensttag"; "Freitag, 26. März 2027: Karfreitag".
QString DayDescription(const DayInfo& info, DateValue now);
// Whether the day is done at the instant: crossed off in the calendar.
inline bool DayDone(const DayInfo& info, DateValue now) {
    return now >= info.doneAt;
}

// The share done in tenths of a per cent, never rounded up: what every view shows of it.
int ShareTenths(double share);
// "62,4 % geschafft".
QString ShareDoneText(double share);
// The share as a whole per cent, never rounded up.
int SharePercent(double share);
// "noch 87 Diensttage" ("noch 1 Diensttag").
QString DutyDaysText(int days);
// The tray's line "62 % geschafft, noch 87 Diensttage"; empty without a start of service.
QString TermProgressLine(DateValue now);
