// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "termoverview.h"

#include "timecalc/datevalue.h"

#include <QLocale>
#include <algorithm>

namespace {

QString freeDaysCaption(qsizetype ahead, bool hadAny) {
    if (ahead == 0)
        return hadAny ? QStringLiteral("keine freien Tage mehr") : QStringLiteral("keine freien Tage");
    return ahead == 1 ? QStringLiteral("noch 1 freier Tag:")
                      : QStringLiteral("noch %1 freie Tage:").arg(ahead);
}

QStringList rangeTexts(const QList<DayRange>& ranges) {
    QStringList result;
    for (const DayRange& range : ranges)
        result.append(DayRangeText(range));
    return result;
}

// The parts of leave that lie outside the service.
QList<DayRange> leaveOutside(const QList<DayRange>& leave, std::optional<qint64> first,
                             std::optional<qint64> last) {
    QList<DayRange> outside;
    for (const DayRange& range : leave) {
        if (first && DayNumber(range.first) < *first)
            outside.append({range.first, std::min(range.last, CalendarDate(*first - 1))});
        if (last && DayNumber(range.last) > *last)
            outside.append({std::max(range.first, CalendarDate(*last + 1)), range.last});
    }
    return outside;
}

QList<OverviewLine> datedLines(const ServiceCalendar& calendar, qint64 today) {
    struct Dated {
        qint64 first;
        qint64 last;
        QString name;
    };
    QList<Dated> dates;
    for (const Milestone& milestone : calendar.milestones())
        dates.append({milestone.day, milestone.day, milestone.name});
    for (const OwnDay& date : calendar.ownDates())
        dates.append({date.first, date.last, date.name});
    std::stable_sort(dates.begin(), dates.end(),
                     [](const Dated& a, const Dated& b) { return a.first < b.first; });
    QList<OverviewLine> lines;
    for (const Dated& date : dates) {
        const QString when = date.last < today     ? QStringLiteral("✓ ")
                             : date.first <= today ? QStringLiteral("heute: ")
                                                   : QString();
        const QString days = date.first == date.last ? DayCaption(date.first)
                                                     : QStringLiteral("%1 – %2").arg(DayCaption(date.first),
                                                                                     DayCaption(date.last));
        lines.append({QStringLiteral("%1%2  %3").arg(when, date.name, days), date.last < today});
    }
    return lines;
}

// The own date of today, or the next one ahead with its count.
QString nextDate(const ServiceCalendar& calendar, qint64 today) {
    for (const OwnDay& date : calendar.ownDates()) {
        if (date.first <= today && today <= date.last)
            return QStringLiteral("heute: %1").arg(date.name);
        if (date.first > today)
            return QStringLiteral("%1 %2").arg(date.name, InDaysText(date.first - today));
    }
    return {};
}

} // namespace

QString DayCaption(qint64 day) {
    return QLocale(QLocale::German).toString(CalendarDate(day), QStringLiteral("ddd dd.MM.yyyy"));
}

QString InDaysText(qint64 days) {
    return days == 1 ? QStringLiteral("in 1 Tag") : QStringLiteral("in %1 Tagen").arg(days);
}

QStringList EntryTexts(const ServiceTerm& term, TermList list) {
    QStringList texts;
    switch (list) {
    case TermList::Leave:
        return rangeTexts(term.leave);
    case TermList::DaysOff:
        return rangeTexts(term.daysOff);
    case TermList::Duty:
        for (const DutyEntry& entry : term.duty)
            texts.append(DutyEntryText(entry));
        break;
    case TermList::OwnDates:
        for (const OwnDate& date : term.ownDates)
            texts.append(DayRangeText(date.days) + QStringLiteral("  ") + date.name);
        break;
    }
    return texts;
}

TermOverview OverviewOn(const ServiceCalendar& calendar, const ServiceTerm& term, qint64 today) {
    TermOverview overview;
    const QList<FreeDay> ahead = calendar.freeDaysFrom(today);
    const bool hadAny = !calendar.freeDaysFrom(calendar.startDay().value_or(today)).isEmpty();
    overview.freeDaysCaption = freeDaysCaption(ahead.size(), hadAny);
    for (const FreeDay& freeDay : ahead)
        overview.freeDays.append(QStringLiteral("%1  %2").arg(DayCaption(freeDay.day), freeDay.name));
    overview.dates = datedLines(calendar, today);
    overview.nextDate = nextDate(calendar, today);
    if (const std::optional<qint64> next = calendar.nextLeaveAfter(today))
        overview.nextLeave =
            QStringLiteral("nächster Urlaub: %1 (%2)").arg(DayCaption(*next), InDaysText(*next - today));
    const QList<DayRange> outside = leaveOutside(term.leave, calendar.startDay(), calendar.endDay());
    if (!outside.isEmpty())
        overview.leaveOutside =
            QStringLiteral("außerhalb der Dienstzeit: ") + rangeTexts(outside).join(QStringLiteral(", "));
    return overview;
}

LeaveLine LeaveAccountLine(const ServiceCalendar& calendar, const QString& typedEntitlement) {
    const QString entitlement = typedEntitlement.trimmed();
    if (!entitlement.isEmpty() && !ReadLeaveEntitlement(entitlement))
        return {QStringLiteral("Urlaubsanspruch „%1“: bitte eine Zahl von 0 bis 999, ganze oder halbe Tage")
                    .arg(entitlement),
                true};
    if (const std::optional<LeaveAccount> account = calendar.leaveAccount())
        return {LeaveAccountText(*account), account->planned > account->entitled};
    return {};
}
