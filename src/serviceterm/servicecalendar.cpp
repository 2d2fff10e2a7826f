// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "servicecalendar.h"

#include "holidays.h"
#include "timecalc/servicetimes.h"

#include <algorithm>
#include <cmath>

ServiceCalendar TermCalendar;

namespace {

// No term is worked out further ahead than this; its counts would overflow long before.
constexpr qint64 longestRange = 100 * 366;

bool weekday(qint64 day) {
    return Weekday(DateValue(day), vbMonday) <= 5;
}

qint64 dayOf(DateValue value) {
    return qint64(std::floor(value));
}

std::optional<DateValue> valueOf(const QString& text) {
    return IsDate(text) ? std::optional<DateValue>(CDate(text)) : std::nullopt;
}

} // namespace

void ServiceCalendar::build(const ServiceTerm& term, const SettingsRecord& settings) {
    *this = ServiceCalendar{};
    const std::optional<DateValue> dutyStart = valueOf(settings.DstBeg);
    m_dutyEnd = valueOf(settings.Dsch);
    m_fridayDutyEnd = valueOf(settings.DschFr);
    if (IsDate(settings.Pgr))
        m_end = valueOf(EndOfServiceText(settings));
    if (term.start.isValid())
        m_start = DateValue(DayNumber(term.start)) + dutyStart.value_or(0);

    const qint64 today = dayOf(Date());
    const qint64 endDay = m_end ? dayOf(*m_end) : today;
    const qint64 firstDay = std::min(m_start ? dayOf(*m_start) : today, today) - 1;
    const qint64 lastDay = std::min(std::max(endDay, today) + 366, firstDay + longestRange);
    const auto free = [&](qint64 day) {
        return day >= firstDay && day <= lastDay && weekday(day) && day != endDay;
    };

    for (int year = CalendarDate(firstDay).year(); year <= CalendarDate(lastDay).year(); ++year)
        for (const PublicHoliday& holiday : PublicHolidays(term.region, year))
            if (free(DayNumber(holiday.date)))
                m_freeDays.insert(DayNumber(holiday.date), holiday.name);
    for (const LeavePeriod& period : term.leave)
        for (qint64 day = std::max(DayNumber(period.first), firstDay);
             day <= std::min(DayNumber(period.last), lastDay); ++day)
            if (free(day) && !m_freeDays.contains(day))
                m_freeDays.insert(day, QStringLiteral("Urlaub"));

    if (m_end)
        for (qint64 day = m_start ? dayOf(*m_start) : firstDay; day <= std::min(endDay, lastDay); ++day)
            if (dutyDay(day))
                m_dutyDays.push_back(day);

    if (!m_end)
        return;
    if (m_start)
        m_milestones.append({QStringLiteral("Bergfest"), dayOf(*m_start + (*m_end - *m_start) / 2)});
    m_milestones.append({QStringLiteral("Noch 150 Tage"), endDay - 150});
    m_milestones.append({QStringLiteral("Noch 100 Tage"), endDay - 100});
    m_milestones.append({QStringLiteral("Letzte Woche"), endDay - 7});
    m_milestones.append({QStringLiteral("Letzter Tag"), endDay});
    if (m_start) {
        const qint64 startDay = dayOf(*m_start);
        m_milestones.removeIf([&](const Milestone& milestone) { return milestone.day < startDay; });
    }
    std::stable_sort(m_milestones.begin(), m_milestones.end(),
                     [](const Milestone& a, const Milestone& b) { return a.day < b.day; });
}

bool ServiceCalendar::dutyDay(qint64 day) const {
    return weekday(day) && !isFreeDay(day);
}

DateValue ServiceCalendar::nextDutyStart(DateValue now, DateValue dutyStart) const {
    const qint64 today = dayOf(now);
    qint64 day = dutyDay(today) && now - DateValue(today) <= dutyStart ? today : today + 1;
    while (!dutyDay(day))
        ++day;
    return DateValue(day) + dutyStart;
}

bool ServiceCalendar::freeDayBeforeNextDutyStart(DateValue now, DateValue dutyStart) const {
    const qint64 today = dayOf(now);
    if (isFreeDay(today))
        return true;
    qint64 day = weekday(today) && now - DateValue(today) <= dutyStart ? today : today + 1;
    while (!weekday(day))
        ++day;
    return isFreeDay(day);
}

int ServiceCalendar::dutyDaysLeft(DateValue now) const {
    const qint64 today = dayOf(now);
    const std::optional<DateValue> todaysEnd =
        Weekday(DateValue(today), vbMonday) <= 4 ? m_dutyEnd : m_fridayDutyEnd;
    const bool todayStillAhead = todaysEnd && now - DateValue(today) < *todaysEnd;
    const qint64 first = todayStillAhead ? today : today + 1;
    return int(m_dutyDays.end() - std::lower_bound(m_dutyDays.begin(), m_dutyDays.end(), first));
}

QList<FreeDay> ServiceCalendar::freeDaysFrom(qint64 day) const {
    QList<FreeDay> days;
    const qint64 endDay = m_end ? dayOf(*m_end) : day - 1;
    for (auto it = m_freeDays.begin(); it != m_freeDays.end(); ++it)
        if (it.key() >= day && it.key() <= endDay)
            days.append({it.key(), it.value()});
    std::sort(days.begin(), days.end(), [](const FreeDay& a, const FreeDay& b) { return a.day < b.day; });
    return days;
}

std::optional<double> ServiceCalendar::shareDone(DateValue now) const {
    if (!m_start || !m_end)
        return std::nullopt;
    if (*m_end <= *m_start)
        return now < *m_start ? 0.0 : 1.0;
    return std::clamp((now - *m_start) / (*m_end - *m_start), 0.0, 1.0);
}

std::optional<qint64> ServiceCalendar::endDay() const {
    return m_end ? std::optional<qint64>(dayOf(*m_end)) : std::nullopt;
}

QString LoadServiceTerm() {
    const QString message = ReadServiceTerm();
    TermCalendar.build(Term, Settings);
    return message;
}

QString ShareDoneText(double share) {
    // A hair above the share, so that 0.624 is not taken for 0.62399...
    const qint64 tenths = qint64(std::floor(share * 1000 + 1e-9));
    return QStringLiteral("%1,%2 % geschafft").arg(tenths / 10).arg(tenths % 10);
}

QString DutyDaysText(int days) {
    return days == 1 ? QStringLiteral("noch 1 Diensttag") : QStringLiteral("noch %1 Diensttage").arg(days);
}

QString TermProgressLine(DateValue now) {
    const std::optional<double> share = TermCalendar.shareDone(now);
    if (!share)
        return {};
    return QStringLiteral("%1 % geschafft, %2")
        .arg(qint64(std::floor(*share * 100 + 1e-9)))
        .arg(DutyDaysText(TermCalendar.dutyDaysLeft(now)));
}
