// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "serviceterm.h"
#include "settings/declarations.h"
#include "timecalc/datevalue.h"

#include <QHash>
#include <optional>
#include <vector>

// The days of the term of service worked out once, when the term or the settings are
// read or saved, so that a tick only looks them up. Days are day numbers as in
// DateValue (whole days since 30 December 1899).

struct FreeDay {
    qint64 day;
    QString name; // the holiday's name, or "Urlaub"
};

struct Milestone {
    QString name; // "Bergfest", "Noch 150 Tage", ...
    qint64 day;
};

class ServiceCalendar {
public:
    // The free days of the term and the settings' end of service, and what follows from them.
    void build(const ServiceTerm& term, const SettingsRecord& settings);

    // A day from Monday to Friday that is a public holiday or a leave day; never the
    // end-of-service day, which keeps its own behaviour.
    bool isFreeDay(qint64 day) const { return m_freeDays.contains(day); }

    // The start of duty that ends the present time off: today's while it is still to
    // come (or is this very second) on a day with duty, otherwise that of the next day
    // that is neither a weekend day nor a free day.
    DateValue nextDutyStart(DateValue now, DateValue dutyStart) const;
    // True when that start of duty lies beyond a free day: today is one, or the day the
    // counts would otherwise stand at is.
    bool freeDayBeforeNextDutyStart(DateValue now, DateValue dutyStart) const;

    // Duty days (Monday to Friday, not free) of the service from today while today's end
    // of duty is still ahead, else from tomorrow, up to and including the end-of-service day.
    int dutyDaysLeft(DateValue now) const;
    // The free days from the day given to the end of service.
    QList<FreeDay> freeDaysFrom(qint64 day) const;
    // The share of the service done, 0 to 1, from the start of service at its start of
    // duty to the end of service; nothing without a start of service.
    std::optional<double> shareDone(DateValue now) const;
    // The milestones in the order of their days; those before the start of service are left out.
    const QList<Milestone>& milestones() const { return m_milestones; }

    bool hasStart() const { return m_start.has_value(); }
    // The end-of-service day, when the settings hold one.
    std::optional<qint64> endDay() const;

private:
    bool dutyDay(qint64 day) const;

    QHash<qint64, QString> m_freeDays;
    std::vector<qint64> m_dutyDays; // ascending, up to the end-of-service day
    std::optional<DateValue> m_start;
    std::optional<DateValue> m_end;
    std::optional<DateValue> m_dutyEnd;       // Monday to Thursday
    std::optional<DateValue> m_fridayDutyEnd; // Friday
    QList<Milestone> m_milestones;
};

// The calendar of Term and Settings; its owner rebuilds it when either changes.
extern ServiceCalendar TermCalendar;

// Reads pilgrast.ini into Term and builds TermCalendar from it and Settings. Returns
// the message of ReadServiceTerm (empty when all was well).
QString LoadServiceTerm();

// "62,4 % geschafft": the share in tenths of a per cent, never rounded up.
QString ShareDoneText(double share);
// "noch 87 Diensttage" ("noch 1 Diensttag").
QString DutyDaysText(int days);
// The tray's line "62 % geschafft, noch 87 Diensttage"; empty without a start of service.
QString TermProgressLine(DateValue now);
