// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "functions.h"

#include "services/errortrap.h"
#include "services/programerror.h"
#include "settings/declarations.h"

namespace {

// Which day's rule finds the next start of duty.
enum class OffDutyDay { MondayToThursday, Friday, Weekend };

// What the hour, minute and second members of the off-duty family differ in.
struct UnitRule {
    DateInterval interval;
    const char* lastWholeUnitOfDay; // the text conversion has no 24:00:00
    qint64 fridayAddition;          // Monday's start of duty is three days on
    qint64 saturdayAddition;        // Monday's start of duty is two days on
};

constexpr UnitRule hourRule{DateInterval::Hours, "23:00:00", 48, 24};
constexpr UnitRule minuteRule{DateInterval::Minutes, "23:59:00", 2880, 1440};
constexpr UnitRule secondRule{DateInterval::Seconds, "23:59:59", 172800, 86400};

bool isSaturday() {
    return Weekday(Date(), vbMonday) == 6;
}

// Runs one function body inside its error trap; after an error the result is
// the empty or zero value of its type.
template <class Result, class Body> Result trapped(const char* tag, Body body) {
    try {
        Result result = body();
        RecurringRoutineSucceeded(tag);
        return result;
    } catch (const ProgramError& error) {
        ReportRecurringError(error.description(), tag);
        return Result{};
    }
}

qint64 plainCount(DateInterval interval, const DateValue& EndDate, DateValue from = Now()) {
    return DateDiff(interval, from, EndDate, interval == DateInterval::Weeks ? vbMonday : vbSunday);
}

// A count from a start of duty beyond free days: the plain count at that moment.
template <class Result>
Result countFrom(const char* tag, DateInterval interval, const DateValue& EndDate,
                 const DateValue& DutyStart) {
    return trapped<Result>(tag, [&] {
        const Result count(ToInt32(plainCount(interval, EndDate, DutyStart)));
        OffDutyShown = True;
        return count;
    });
}

// Units from now to the next start of duty: today's when it is still ahead
// (Monday to Thursday only), otherwise tomorrow's, plus the days the weekend adds.
qint64 unitsToNextDutyStart(const UnitRule& rule, OffDutyDay day, const DateValue& DutyStart) {
    if (day == OffDutyDay::MondayToThursday && Time() < DutyStart)
        return DateDiff(rule.interval, Time(), DutyStart);
    qint64 units = DateDiff(rule.interval, Time(), CDate(QString::fromLatin1(rule.lastWholeUnitOfDay))) + 1 +
                   DateDiff(rule.interval, CDate(QStringLiteral("00:00:00")), DutyStart);
    if (day == OffDutyDay::Friday)
        units += rule.fridayAddition;
    if (day == OffDutyDay::Weekend && isSaturday())
        units += rule.saturdayAddition;
    return units;
}

qint32 offDutyCount(const char* tag, const UnitRule& rule, OffDutyDay day, const DateValue& EndDate,
                    const DateValue& DutyStart) {
    return trapped<qint32>(tag, [&] {
        const qint64 toNextStart = unitsToNextDutyStart(rule, day, DutyStart);
        OffDutyShown = True;
        return ToInt32(plainCount(rule.interval, EndDate) - toNextStart);
    });
}

// The day and week variants: the plain count less the whole units they skip.
CountVariant offDutyVariant(const char* tag, DateInterval interval, const DateValue& EndDate,
                            qint64 (*unitsSkipped)()) {
    return trapped<CountVariant>(tag, [&] {
        const qint64 skipped = unitsSkipped();
        OffDutyShown = True;
        return CountVariant(ToInt32(plainCount(interval, EndDate) - skipped));
    });
}

} // namespace

CountVariant WeeksLeft(const DateValue& EndDate) {
    return trapped<CountVariant>(
        "#17", [&] { return CountVariant(ToInt32(plainCount(DateInterval::Weeks, EndDate))); });
}

qint16 DaysLeft(const DateValue& EndDate) {
    return trapped<qint16>("#1", [&] { return ToInt16(plainCount(DateInterval::Days, EndDate)); });
}

qint32 HoursLeft(const DateValue& EndDate) {
    return trapped<qint32>("#5", [&] { return ToInt32(plainCount(DateInterval::Hours, EndDate)); });
}

qint32 MinutesLeft(const DateValue& EndDate) {
    return trapped<qint32>("#9", [&] { return ToInt32(plainCount(DateInterval::Minutes, EndDate)); });
}

qint32 SecondsLeft(const DateValue& EndDate) {
    return trapped<qint32>("#13", [&] { return ToInt32(plainCount(DateInterval::Seconds, EndDate)); });
}

CountVariant DaysLeftOffDuty(const DateValue& EndDate) {
    // Reads the stored start of duty itself.
    return offDutyVariant("#2", DateInterval::Days, EndDate,
                          [] { return qint64(CDate(Settings.DstBeg) > Time() ? 0 : 1); });
}

qint32 HoursLeftOffDuty(const DateValue& EndDate, const DateValue& DutyStart) {
    return offDutyCount("#6", hourRule, OffDutyDay::MondayToThursday, EndDate, DutyStart);
}

qint32 MinutesLeftOffDuty(const DateValue& EndDate, const DateValue& DutyStart) {
    return offDutyCount("#10", minuteRule, OffDutyDay::MondayToThursday, EndDate, DutyStart);
}

qint32 SecondsLeftOffDuty(const DateValue& EndDate, const DateValue& DutyStart) {
    return offDutyCount("#14", secondRule, OffDutyDay::MondayToThursday, EndDate, DutyStart);
}

CountVariant WeeksLeftWeekend(const DateValue& EndDate) {
    // The coming Monday is no longer counted.
    return offDutyVariant("#18", DateInterval::Weeks, EndDate, [] { return qint64(1); });
}

CountVariant DaysLeftFriday(const DateValue& EndDate) {
    return offDutyVariant("#3", DateInterval::Days, EndDate, [] { return qint64(3); });
}

qint32 HoursLeftFriday(const DateValue& EndDate, const DateValue& DutyStart) {
    return offDutyCount("#7", hourRule, OffDutyDay::Friday, EndDate, DutyStart);
}

qint32 MinutesLeftFriday(const DateValue& EndDate, const DateValue& DutyStart) {
    return offDutyCount("#11", minuteRule, OffDutyDay::Friday, EndDate, DutyStart);
}

qint32 SecondsLeftFriday(const DateValue& EndDate, const DateValue& DutyStart) {
    return offDutyCount("#15", secondRule, OffDutyDay::Friday, EndDate, DutyStart);
}

CountVariant DaysLeftWeekend(const DateValue& EndDate) {
    return offDutyVariant("#4", DateInterval::Days, EndDate, [] {
        const int weekday = Weekday(Date(), vbMonday);
        return qint64(weekday == 6 ? 2 : weekday == 7 ? 1 : 0);
    });
}

qint32 HoursLeftWeekend(const DateValue& EndDate, const DateValue& DutyStart) {
    return offDutyCount("#8", hourRule, OffDutyDay::Weekend, EndDate, DutyStart);
}

qint32 MinutesLeftWeekend(const DateValue& EndDate, const DateValue& DutyStart) {
    return offDutyCount("#12", minuteRule, OffDutyDay::Weekend, EndDate, DutyStart);
}

qint32 SecondsLeftWeekend(const DateValue& EndDate, const DateValue& DutyStart) {
    return offDutyCount("#16", secondRule, OffDutyDay::Weekend, EndDate, DutyStart);
}

CountVariant WeeksLeftFrom(const DateValue& EndDate, const DateValue& NextDutyStart) {
    return countFrom<CountVariant>("#18", DateInterval::Weeks, EndDate, NextDutyStart);
}

CountVariant DaysLeftFrom(const DateValue& EndDate, const DateValue& NextDutyStart) {
    return countFrom<CountVariant>("#4", DateInterval::Days, EndDate, NextDutyStart);
}

qint32 HoursLeftFrom(const DateValue& EndDate, const DateValue& NextDutyStart) {
    return countFrom<qint32>("#8", DateInterval::Hours, EndDate, NextDutyStart);
}

qint32 MinutesLeftFrom(const DateValue& EndDate, const DateValue& NextDutyStart) {
    return countFrom<qint32>("#12", DateInterval::Minutes, EndDate, NextDutyStart);
}

qint32 SecondsLeftFrom(const DateValue& EndDate, const DateValue& NextDutyStart) {
    return countFrom<qint32>("#16", DateInterval::Seconds, EndDate, NextDutyStart);
}

QString CountText(qint64 count) {
    return QString::number(count);
}

QString CountText(const CountVariant& count) {
    return count ? QString::number(*count) : QString();
}
