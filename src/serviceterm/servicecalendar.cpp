// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "servicecalendar.h"

#include "servicekind.h"
#include "services/countdisplay.h"
#include "timecalc/servicetimes.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

ServiceCalendar TermCalendar;

namespace {

// No term is worked out further ahead than this; its counts would overflow long before.
constexpr qint64 longestRange = 100 * 366;
// Entries this far before the service still count for the leave account and the lists.
constexpr qint64 entriesBeforeService = 2 * 366;

bool weekday(qint64 day) {
    return Weekday(DateValue(day), vbMonday) <= 5;
}

qint64 dayOf(DateValue value) {
    return qint64(std::floor(value));
}

std::optional<DateValue> valueOf(const QString& text) {
    return IsDate(text) ? std::optional<DateValue>(CDate(text)) : std::nullopt;
}

DateValue timeValue(QTime time) {
    return time.msecsSinceStartOfDay() / 86400000.0;
}

// The spans joined where they overlap or touch, in order.
std::vector<DutySpan> joined(std::vector<DutySpan> spans) {
    std::sort(spans.begin(), spans.end(),
              [](const DutySpan& a, const DutySpan& b) { return a.start < b.start; });
    std::vector<DutySpan> result;
    for (const DutySpan& span : spans) {
        if (!result.empty() && span.start <= result.back().end)
            result.back().end = std::max(result.back().end, span.end);
        else
            result.push_back(span);
    }
    return result;
}

// The days a span covers in part or whole.
std::pair<qint64, qint64> daysCovered(const DutySpan& span) {
    return {dayOf(span.start), qint64(std::ceil(span.end)) - 1};
}

// The earliest day the term's entries name.
std::optional<qint64> earliestEntry(const ServiceTerm& term) {
    std::optional<qint64> earliest;
    const auto consider = [&](QDate day) {
        earliest = std::min(earliest.value_or(DayNumber(day)), DayNumber(day));
    };
    for (const DayRange& range : term.leave)
        consider(range.first);
    for (const DayRange& range : term.daysOff)
        consider(range.first);
    for (const DutyEntry& entry : term.duty)
        consider(entry.first);
    for (const OwnDate& date : term.ownDates)
        consider(date.days.first);
    return earliest;
}

void insertDays(QSet<qint64>& days, const DayRange& range, qint64 firstDay, qint64 lastDay) {
    for (qint64 day = std::max(DayNumber(range.first), firstDay);
         day <= std::min(DayNumber(range.last), lastDay); ++day)
        days.insert(day);
}

} // namespace

void ServiceCalendar::build(const ServiceTerm& term, const SettingsRecord& settings) {
    *this = ServiceCalendar{};
    m_dutyStart = valueOf(settings.DstBeg);
    m_dutyEnd = valueOf(settings.Dsch);
    m_fridayDutyEnd = valueOf(settings.DschFr);
    if (IsDate(settings.Pgr))
        m_end = valueOf(EndOfServiceText(settings));
    if (term.start.isValid())
        m_start = DateValue(DayNumber(term.start)) + m_dutyStart.value_or(0);
    m_entitlement = term.leaveEntitlement;
    m_leave = MergedRanges(term.leave);
    m_dayOffRanges = MergedRanges(term.daysOff);

    const qint64 today = dayOf(Date());
    const qint64 endDay = m_end ? dayOf(*m_end) : today;
    const qint64 serviceFirst = std::min(m_start ? dayOf(*m_start) : today, today) - 1;
    const qint64 firstDay = std::max(std::min(serviceFirst, earliestEntry(term).value_or(serviceFirst) - 1),
                                     serviceFirst - entriesBeforeService);
    const qint64 lastDay = std::min(std::max(endDay, today) + 366, serviceFirst + longestRange);
    m_lastDay = lastDay;

    for (int year = CalendarDate(firstDay).year(); year <= CalendarDate(lastDay).year(); ++year)
        for (const PublicHoliday& holiday : HolidaysOfTerm(term, year))
            if (const qint64 day = DayNumber(holiday.date); day >= firstDay && day <= lastDay)
                m_holidays.insert(day, holiday.name);
    for (const DayRange& range : m_leave)
        insertDays(m_leaveDays, range, firstDay, lastDay);
    for (const DayRange& range : m_dayOffRanges)
        insertDays(m_daysOff, range, firstDay, lastDay);
    buildExtraDuty(term);
    if (m_end)
        buildDutyDays(m_start ? dayOf(*m_start) : serviceFirst, std::min(endDay, lastDay));
    buildMilestones();
    for (const OwnDate& date : term.ownDates)
        m_ownDates.append({DayNumber(date.days.first), DayNumber(date.days.last), date.name});
    std::stable_sort(m_ownDates.begin(), m_ownDates.end(),
                     [](const OwnDay& a, const OwnDay& b) { return a.first < b.first; });
}

// The Dienst entries as periods, joined with each other and with the usual days they
// overlap or touch, until no more join.
void ServiceCalendar::buildExtraDuty(const ServiceTerm& term) {
    std::vector<DutySpan> spans;
    for (const DutyEntry& entry : term.duty) {
        const qint64 first = DayNumber(entry.first);
        const qint64 last = DayNumber(entry.last);
        const std::optional<DateValue> end = dutyEndOn(last);
        if (entry.timed())
            spans.push_back(
                {DateValue(first) + timeValue(entry.from), DateValue(last) + timeValue(entry.to)});
        else if (m_dutyStart && end && DateValue(last) + *end > DateValue(first) + *m_dutyStart)
            spans.push_back({DateValue(first) + *m_dutyStart, DateValue(last) + *end});
    }
    for (const DutySpan& span : spans) {
        const auto [first, last] = daysCovered(span);
        for (qint64 day = first; day <= last; ++day)
            m_extraDutyDays.insert(day);
    }
    m_extraDuty = joined(spans);
    // A block grown by a usual day may reach the next block; grown until nothing changes.
    std::vector<DutySpan> blocks = m_extraDuty;
    for (;;) {
        std::vector<DutySpan> grown = blocks;
        for (const DutySpan& block : blocks) {
            const auto [first, last] = daysCovered(block);
            for (qint64 day = first; day <= last + 1; ++day)
                if (const std::optional<DutySpan> usual = usualPeriod(day);
                    usual && usual->start <= block.end && usual->end >= block.start)
                    grown.push_back(*usual);
        }
        grown = joined(grown);
        const bool same = std::equal(
            grown.begin(), grown.end(), blocks.begin(), blocks.end(),
            [](const DutySpan& a, const DutySpan& b) { return a.start == b.start && a.end == b.end; });
        blocks = grown;
        if (same)
            break;
    }
    m_blocks = blocks;
}

void ServiceCalendar::buildDutyDays(qint64 firstDay, qint64 lastDay) {
    const DateValue dutyStart = m_dutyStart.value_or(0);
    for (qint64 day = firstDay; day <= lastDay; ++day) {
        std::optional<DateValue> doneAt;
        if (weekday(day) && !freeOfUsualDuty(day)) {
            const std::optional<DateValue> end = dutyEndOn(day);
            doneAt = DateValue(day) + end.value_or(0);
        }
        if (m_extraDutyDays.contains(day)) {
            // A day a duty period begins on, or whose start of duty it spans, is done when the
            // period ends, but at the latest when the next day's duty begins.
            for (const DutySpan& block : m_blocks) {
                const bool beginsThatDay = dayOf(block.start) == day;
                const bool spansItsStart =
                    block.start < DateValue(day) + dutyStart && DateValue(day) + dutyStart < block.end;
                if (beginsThatDay || spansItsStart)
                    doneAt =
                        std::max(doneAt.value_or(0), std::min(block.end, DateValue(day + 1) + dutyStart));
            }
        }
        if (doneAt) {
            m_dutyDays.insert(day, *doneAt);
            m_dutyDone.push_back(*doneAt);
        }
    }
    std::sort(m_dutyDone.begin(), m_dutyDone.end());
}

void ServiceCalendar::buildMilestones() {
    if (!m_end)
        return;
    const qint64 endDay = dayOf(*m_end);
    if (m_start)
        m_milestones.append(
            {MilestoneKind::HalfTime, QStringLiteral("Bergfest"), dayOf(*m_start + (*m_end - *m_start) / 2)});
    m_milestones.append({MilestoneKind::Days150, QStringLiteral("Noch 150 Tage"), endDay - 150});
    m_milestones.append({MilestoneKind::Days100, QStringLiteral("Noch 100 Tage"), endDay - 100});
    m_milestones.append({MilestoneKind::LastWeek, QStringLiteral("Letzte Woche"), endDay - 7});
    m_milestones.append({MilestoneKind::LastDay, QStringLiteral("Letzter Tag"), endDay});
    if (m_start) {
        const qint64 startDay = dayOf(*m_start);
        m_milestones.removeIf([&](const Milestone& milestone) { return milestone.day < startDay; });
    }
    std::stable_sort(m_milestones.begin(), m_milestones.end(),
                     [](const Milestone& a, const Milestone& b) { return a.day < b.day; });
}

bool ServiceCalendar::freeOfUsualDuty(qint64 day) const {
    if (m_end && day == dayOf(*m_end))
        return false;
    return m_holidays.contains(day) || m_leaveDays.contains(day) || m_daysOff.contains(day);
}

bool ServiceCalendar::isFreeDay(qint64 day) const {
    return weekday(day) && freeOfUsualDuty(day) && !m_extraDutyDays.contains(day);
}

std::optional<DateValue> ServiceCalendar::dutyEndOn(qint64 day) const {
    return Weekday(DateValue(day), vbMonday) == 5 ? m_fridayDutyEnd : m_dutyEnd;
}

bool ServiceCalendar::usualPeriodsExist() const {
    const auto after = [this](std::optional<DateValue> end) { return end && *end > *m_dutyStart; };
    return m_dutyStart && (after(m_dutyEnd) || after(m_fridayDutyEnd));
}

// The usual hours of a day with duty in the usual week; none on a day without.
std::optional<DutySpan> ServiceCalendar::usualPeriod(qint64 day) const {
    const std::optional<DateValue> end = dutyEndOn(day);
    if (!weekday(day) || freeOfUsualDuty(day) || !m_dutyStart || !end || *end <= *m_dutyStart)
        return std::nullopt;
    return DutySpan{DateValue(day) + *m_dutyStart, DateValue(day) + *end};
}

DateValue ServiceCalendar::nextDutyStart(DateValue now, DateValue dutyStart) const {
    const qint64 today = dayOf(now);
    const auto dutyDay = [this](qint64 day) { return weekday(day) && !isFreeDay(day); };
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

// The period of Dienst entries now served, strictly inside.
std::optional<DutySpan> ServiceCalendar::blockAround(DateValue now) const {
    auto after = std::lower_bound(m_blocks.begin(), m_blocks.end(), now,
                                  [](const DutySpan& block, DateValue at) { return block.start < at; });
    if (after == m_blocks.begin() || !(now < std::prev(after)->end))
        return std::nullopt;
    return *std::prev(after);
}

std::optional<DateValue> ServiceCalendar::nextPeriodStart(DateValue now, bool& inBlock) const {
    const auto block = std::lower_bound(m_blocks.begin(), m_blocks.end(), now,
                                        [](const DutySpan& span, DateValue at) { return span.start < at; });
    const std::optional<DateValue> blockStart =
        block == m_blocks.end() ? std::nullopt : std::optional<DateValue>(block->start);
    std::optional<DateValue> usualStart;
    const bool usualWeek = usualPeriodsExist();
    for (qint64 day = dayOf(now); usualWeek && day <= m_lastDay && !(blockStart && day > dayOf(*blockStart));
         ++day) {
        if (const std::optional<DutySpan> usual = usualPeriod(day); usual && usual->start >= now) {
            usualStart = usual->start;
            break;
        }
    }
    inBlock = blockStart && (!usualStart || *blockStart <= *usualStart);
    return inBlock ? blockStart : usualStart;
}

DutyMoment ServiceCalendar::dutyMomentAt(DateValue now) const {
    DutyMoment moment;
    const qint64 today = dayOf(now);
    bool inBlock = false;
    const std::optional<DutySpan> usual = usualPeriod(today);
    if (const std::optional<DutySpan> block = blockAround(now)) {
        moment.onDuty = inBlock = true;
        moment.period = block;
    } else if (usual && usual->start < now && now < usual->end) {
        moment.onDuty = true;
        moment.period = usual;
    } else {
        moment.nextStart = nextPeriodStart(now, inBlock);
        // The period served last: a block that ended, or today's usual hours.
        auto after = std::lower_bound(m_blocks.begin(), m_blocks.end(), now,
                                      [](const DutySpan& span, DateValue at) { return span.start < at; });
        const std::optional<DateValue> blockEnd =
            after == m_blocks.begin() ? std::nullopt : std::optional<DateValue>(std::prev(after)->end);
        const std::optional<DateValue> usualEnd =
            usual && usual->end <= now ? std::optional<DateValue>(usual->end) : std::nullopt;
        moment.lastEnd = std::max(blockEnd, usualEnd);
        inBlock = inBlock || (blockEnd && *blockEnd >= DateValue(today) && blockEnd >= usualEnd);
    }
    moment.followsPeriods = inBlock || m_extraDutyDays.contains(today);
    return moment;
}

int ServiceCalendar::dutyDaysLeft(DateValue now) const {
    return int(m_dutyDone.end() - std::upper_bound(m_dutyDone.begin(), m_dutyDone.end(), now));
}

std::optional<DateValue> ServiceCalendar::nextDutyDayDone(DateValue now) const {
    const auto next = std::upper_bound(m_dutyDone.begin(), m_dutyDone.end(), now);
    return next == m_dutyDone.end() ? std::nullopt : std::optional<DateValue>(*next);
}

QList<FreeDay> ServiceCalendar::freeDaysFrom(qint64 day) const {
    QList<FreeDay> days;
    if (!m_end)
        return days;
    const qint64 from = m_start ? std::max(day, dayOf(*m_start)) : day;
    QSet<qint64> candidates = m_leaveDays;
    candidates.unite(m_daysOff);
    for (auto it = m_holidays.begin(); it != m_holidays.end(); ++it)
        candidates.insert(it.key());
    for (const qint64 candidate : candidates)
        if (candidate >= from && candidate <= dayOf(*m_end) && isFreeDay(candidate))
            days.append({candidate, m_holidays.value(candidate, m_leaveDays.contains(candidate)
                                                                    ? QStringLiteral("Urlaub")
                                                                    : QStringLiteral("Dienstfrei"))});
    std::sort(days.begin(), days.end(), [](const FreeDay& a, const FreeDay& b) { return a.day < b.day; });
    return days;
}

QList<FreeDay> ServiceCalendar::holidaysOfService() const {
    const QList<FreeDay> freeDays = freeDaysFrom(m_start ? dayOf(*m_start) : dayOf(Date()));
    QList<FreeDay> holidays;
    std::copy_if(freeDays.begin(), freeDays.end(), std::back_inserter(holidays),
                 [this](const FreeDay& free) { return m_holidays.contains(free.day); });
    return holidays;
}

std::optional<double> ServiceCalendar::shareDone(DateValue now) const {
    if (!m_start || !m_end)
        return std::nullopt;
    if (*m_end <= *m_start)
        return now < *m_start ? 0.0 : 1.0;
    return std::clamp((now - *m_start) / (*m_end - *m_start), 0.0, 1.0);
}

DayInfo ServiceCalendar::dayInfo(qint64 day) const {
    DayInfo info;
    info.day = day;
    info.weekend = !weekday(day);
    info.holiday = m_holidays.value(day);
    info.leave = m_leaveDays.contains(day);
    info.dayOff = m_daysOff.contains(day);
    info.extraDuty = m_extraDutyDays.contains(day);
    info.dutyDay = m_dutyDays.contains(day);
    info.freeDay = isFreeDay(day);
    info.firstDay = m_start && dayOf(*m_start) == day;
    info.lastDay = m_end && dayOf(*m_end) == day;
    for (const Milestone& milestone : m_milestones)
        if (milestone.day == day)
            info.milestones.append(milestone.name);
    for (const OwnDay& date : m_ownDates)
        if (date.first <= day && day <= date.last)
            info.ownDates.append(date.name);
    info.doneAt = m_dutyDays.value(day, DateValue(day + 1));
    return info;
}

QString LeaveAccountText(const LeaveAccount& account) {
    const double left = account.entitled - account.planned;
    return QStringLiteral("Urlaub: %1 von %2 verplant, %3")
        .arg(account.planned)
        .arg(LeaveDaysText(account.entitled, true))
        .arg(left >= 0 ? QStringLiteral("noch ") + LeaveDaysText(left)
                       : LeaveDaysText(-left) + QStringLiteral(" zu viel"));
}

std::optional<LeaveAccount> ServiceCalendar::leaveAccount() const {
    if (!m_entitlement)
        return std::nullopt;
    LeaveAccount account{0, *m_entitlement};
    const std::optional<qint64> first = startDay();
    const std::optional<qint64> last = endDay();
    for (const qint64 day : m_leaveDays)
        if ((!first || day >= *first) && (!last || day <= *last) && weekday(day) &&
            !m_holidays.contains(day) && !m_extraDutyDays.contains(day))
            ++account.planned;
    return account;
}

std::optional<qint64> ServiceCalendar::nextLeaveAfter(qint64 day) const {
    for (const DayRange& range : m_leave)
        if (DayNumber(range.first) > day)
            return DayNumber(range.first);
    return std::nullopt;
}

std::optional<qint64> ServiceCalendar::startDay() const {
    return m_start ? std::optional<qint64>(dayOf(*m_start)) : std::nullopt;
}

std::optional<qint64> ServiceCalendar::endDay() const {
    return m_end ? std::optional<qint64>(dayOf(*m_end)) : std::nullopt;
}

QString LoadServiceTerm() {
    const QString message = ReadServiceTerm();
    RebuildTermCalendar();
    return message;
}

void RebuildTermCalendar() {
    TermCalendar.build(Term, Settings);
    TermChanged();
}

QString DayDescription(const DayInfo& info, DateValue now) {
    QStringList parts = info.milestones + info.ownDates;
    if (!info.holiday.isEmpty())
        parts.append(info.holiday);
    const bool workday = !info.weekend && info.holiday.isEmpty();
    if (info.extraDuty)
        parts.append(QStringLiteral("Dienst"));
    else if (info.dutyDay)
        parts.append(QStringLiteral("Diensttag"));
    else if (info.leave && workday)
        parts.append(QStringLiteral("Urlaub"));
    else if (info.dayOff && workday)
        parts.append(QStringLiteral("dienstfrei"));
    else if (info.weekend && info.holiday.isEmpty())
        parts.append(QStringLiteral("Wochenende"));
    if (info.firstDay)
        parts.append(QStringLiteral("erster Diensttag"));
    if (info.day == qint64(std::floor(now)))
        parts.append(QStringLiteral("heute"));
    if (DayDone(info, now))
        parts.append(QStringLiteral("geschafft"));
    const QString date =
        QLocale(QLocale::German).toString(CalendarDate(info.day), QStringLiteral("dddd, d. MMMM yyyy"));
    return parts.isEmpty() ? date : date + QStringLiteral(": ") + parts.join(QStringLiteral(", "));
}

int ShareTenths(double share) {
    // A hair above the share, so that 0.624 is not taken for 0.62399...
    return int(std::floor(share * 1000 + 1e-9));
}

QString ShareDoneText(double share) {
    const int tenths = ShareTenths(share);
    return QStringLiteral("%1,%2 % geschafft").arg(tenths / 10).arg(tenths % 10);
}

int SharePercent(double share) {
    return ShareTenths(share) / 10;
}

QString DutyDaysText(int days) {
    return days == 1 ? QStringLiteral("noch 1 Diensttag") : QStringLiteral("noch %1 Diensttage").arg(days);
}

QString TermProgressLine(DateValue now) {
    const std::optional<double> share = TermCalendar.shareDone(now);
    if (!share)
        return {};
    return QStringLiteral("%1 % geschafft, %2")
        .arg(SharePercent(*share))
        .arg(DutyDaysText(TermCalendar.dutyDaysLeft(now)));
}
