// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "counterview.h"

#include "services/programerror.h"
#include "settings/declarations.h"
#include "timecalc/functions.h"
#include "timecalc/servicetimes.h"

namespace {

// The functions that fill the five counts.
enum class CountRow { Standard, OffDutyMondayToThursday, OffDutyFriday, Weekend, FromNextStart };

Counts countsOf(CountRow row, const DateValue& end, const DateValue& start) {
    switch (row) {
    case CountRow::Standard:
        break;
    case CountRow::OffDutyMondayToThursday:
        return {CountText(WeeksLeft(end)), CountText(DaysLeftOffDuty(end)),
                CountText(HoursLeftOffDuty(end, start)), CountText(MinutesLeftOffDuty(end, start)),
                CountText(SecondsLeftOffDuty(end, start))};
    case CountRow::OffDutyFriday:
        return {CountText(WeeksLeftWeekend(end)), CountText(DaysLeftFriday(end)),
                CountText(HoursLeftFriday(end, start)), CountText(MinutesLeftFriday(end, start)),
                CountText(SecondsLeftFriday(end, start))};
    case CountRow::Weekend:
        return {CountText(WeeksLeftWeekend(end)), CountText(DaysLeftWeekend(end)),
                CountText(HoursLeftWeekend(end, start)), CountText(MinutesLeftWeekend(end, start)),
                CountText(SecondsLeftWeekend(end, start))};
    case CountRow::FromNextStart:
        return {CountText(WeeksLeftFrom(end, start)), CountText(DaysLeftFrom(end, start)),
                CountText(HoursLeftFrom(end, start)), CountText(MinutesLeftFrom(end, start)),
                CountText(SecondsLeftFrom(end, start))};
    }
    return {CountText(WeeksLeft(end)), CountText(DaysLeft(end)), CountText(HoursLeft(end)),
            CountText(MinutesLeft(end)), CountText(SecondsLeft(end))};
}

// Which off-duty counts apply in the usual week: they count from the next start of duty.
CountRow offDutyRow(int weekday) {
    const DateValue dutyStart = CDate(Settings.DstBeg);
    if (TermCalendar.freeDayBeforeNextDutyStart(Now(), dutyStart))
        return CountRow::FromNextStart;
    if (weekday >= 6)
        return CountRow::Weekend;
    if (Time() == dutyStart)
        return CountRow::Standard; // the next start of duty is this very second
    if (weekday == 5 && Time() > dutyStart)
        return CountRow::OffDutyFriday;
    return CountRow::OffDutyMondayToThursday; // also on a Friday before the start of duty
}

// Whether the user is on duty now: strictly inside a duty period where the periods of
// Dienst entries shape the day, otherwise in the usual week's hours, both bounds exclusive,
// never at the weekend nor on a free day (a holiday, leave or a day off), as a Saturday has none.
bool onDutyNow(CounterView& view) {
    view.duty = TermCalendar.dutyMomentAt(Now());
    if (view.duty.followsPeriods)
        return view.duty.onDuty;
    view.freeDay = TermCalendar.isFreeDay(qint64(Date()));
    return Weekday(Date(), vbMonday) <= 5 && !view.freeDay && Time() > CDate(Settings.DstBeg) &&
           Time() < CDate(TodaysDutyEnd(Settings));
}

// Off duty the counts stand at those of the next start of duty.
Counts offDutyCounts(const CounterView& view, const DateValue& end) {
    if (view.duty.followsPeriods)
        return countsOf(CountRow::FromNextStart, end, view.duty.nextStart.value_or(Now()));
    const DateValue dutyStart = CDate(Settings.DstBeg);
    const CountRow row = offDutyRow(Weekday(Date(), vbMonday));
    return countsOf(
        row, end, row == CountRow::FromNextStart ? TermCalendar.nextDutyStart(Now(), dutyStart) : dutyStart);
}

// A count as a number; anything else is an error of the counting. An empty count is that
// of a function that failed and said so: no number, nothing run out.
qint64 countNumber(const QString& count) {
    if (count.isEmpty())
        return 1;
    bool ok = false;
    const qint64 value = count.toLongLong(&ok);
    if (!ok)
        throw ProgramError(QStringLiteral("Die Anzeige „%1“ ist keine Zahl.").arg(count));
    return value;
}

// Once every count but the weeks has run out, all four show 0; the weeks keep their count.
Counts runOut(const Counts& counts) {
    for (std::size_t i = 1; i < counts.size(); ++i)
        if (countNumber(counts[i]) > 0)
            return counts;
    return {counts[0], QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")};
}

// The days count for the dock and the notifications, as the label shows it; a failed
// count tells them nothing new.
std::optional<qint64> daysShown(const Counts& shown) {
    bool isNumber = false;
    const qint64 days = shown[1].toLongLong(&isNumber);
    return isNumber ? std::optional<qint64>(std::max<qint64>(days, 0)) : std::nullopt;
}

} // namespace

CounterView CounterViewAt(const Counts& standing) {
    CounterView view;
    const DateValue end = CDate(EndOfServiceText(Settings));
    CountPhase phase = CountPhase::Running;
    if (Settings.nd != 1) {
        view.counts = countsOf(CountRow::Standard, end, 0);
    } else {
        const bool onDuty = onDutyNow(view);
        if (onDuty) {
            // Every time off duty gets counts from its own next start of duty.
            OffDutyShown = False;
            view.counts = countsOf(CountRow::Standard, end, 0);
        } else if (OffDutyShown == False) {
            view.counts = offDutyCounts(view, end);
        } else {
            view.counts = standing;
            view.countsWorkedOut = false;
        }
        phase = onDuty ? CountPhase::Running : CountPhase::Standing;
    }
    if (Now() >= end)
        phase = CountPhase::Over;
    view.shown = runOut(view.counts);
    view.report = ReportOf(FigureInUnit(view.counts, Settings.Anzeige), daysShown(view.shown), phase);
    return view;
}

CounterView FreshCounterView() {
    struct KeepStanding {
        qint16 flag = OffDutyShown;
        ~KeepStanding() { OffDutyShown = flag; }
    } keep;
    OffDutyShown = False;
    return CounterViewAt();
}

QString FigureInUnit(const Counts& counts, qint16 unit) {
    switch (unit) {
    case Unit::Minutes:
        return counts[3] + QStringLiteral(" Minuten");
    case Unit::Seconds:
        return counts[4] + QStringLiteral(" Sekunden");
    case Unit::Hours:
        return counts[2] + QStringLiteral(" Stunden");
    default:
        return counts[1] + QStringLiteral(" Tage");
    }
}

CountReport ReportOf(const QString& figure, std::optional<qint64> days, CountPhase phase) {
    const DateValue now = Now();
    return {figure, EndOfServiceCaption(Settings), days,
            phase,  TermCalendar.shareDone(now),   TermProgressLine(now)};
}

DateValue DutyEndCountedTo() {
    const DutyMoment duty = TermCalendar.dutyMomentAt(Now());
    if (duty.followsPeriods && duty.onDuty)
        return duty.period->end;
    if (duty.followsPeriods && duty.lastEnd)
        return *duty.lastEnd;
    return Date() + CDate(TodaysDutyEnd(Settings));
}

QString CountToolTip(const CountReport& report) {
    const QString toolTip =
        QStringLiteral("Pilgrast Counter\n%1\nPilgrast: %2").arg(report.figure, report.endOfService);
    return report.progress.isEmpty() ? toolTip : toolTip + QLatin1Char('\n') + report.progress;
}
