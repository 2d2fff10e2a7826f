// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "datevalue.h"

#include <QString>
#include <optional>

// How much service time is left until EndDate, as whole units.
//
// The plain functions count from now. The off-duty functions count from the next
// start of duty instead, so that free time (the evening, the night, the weekend)
// is not counted: each takes the plain count and subtracts the units from now to
// the next start of duty. The OffDuty set serves Monday to Thursday (next start
// today or tomorrow), the Friday set Friday evening (next start on Monday), the
// Weekend set Saturday and Sunday. Every off-duty function sets OffDutyShown.
//
// Each function traps its own errors: it shows the description and its tag (once
// while the same failure recurs, see errortrap.h) and then returns 0, or an empty count.

// A count that is either empty (after an error) or a whole number.
using CountVariant = std::optional<qint32>;

CountVariant WeeksLeft(const DateValue& EndDate);
qint16 DaysLeft(const DateValue& EndDate);
qint32 HoursLeft(const DateValue& EndDate);
qint32 MinutesLeft(const DateValue& EndDate);
qint32 SecondsLeft(const DateValue& EndDate);

CountVariant DaysLeftOffDuty(const DateValue& EndDate);
qint32 HoursLeftOffDuty(const DateValue& EndDate, const DateValue& DutyStart);
qint32 MinutesLeftOffDuty(const DateValue& EndDate, const DateValue& DutyStart);
qint32 SecondsLeftOffDuty(const DateValue& EndDate, const DateValue& DutyStart);

CountVariant WeeksLeftWeekend(const DateValue& EndDate);
CountVariant DaysLeftFriday(const DateValue& EndDate);
qint32 HoursLeftFriday(const DateValue& EndDate, const DateValue& DutyStart);
qint32 MinutesLeftFriday(const DateValue& EndDate, const DateValue& DutyStart);
qint32 SecondsLeftFriday(const DateValue& EndDate, const DateValue& DutyStart);

CountVariant DaysLeftWeekend(const DateValue& EndDate);
qint32 HoursLeftWeekend(const DateValue& EndDate, const DateValue& DutyStart);
qint32 MinutesLeftWeekend(const DateValue& EndDate, const DateValue& DutyStart);
qint32 SecondsLeftWeekend(const DateValue& EndDate, const DateValue& DutyStart);

// Counts from a start of duty that lies beyond free days (public holidays, leave):
// the plain counts taken at that moment. A free day is counted as a weekend day is,
// so these serve under the weekend functions' tags. Each sets OffDutyShown.
CountVariant WeeksLeftFrom(const DateValue& EndDate, const DateValue& NextDutyStart);
CountVariant DaysLeftFrom(const DateValue& EndDate, const DateValue& NextDutyStart);
qint32 HoursLeftFrom(const DateValue& EndDate, const DateValue& NextDutyStart);
qint32 MinutesLeftFrom(const DateValue& EndDate, const DateValue& NextDutyStart);
qint32 SecondsLeftFrom(const DateValue& EndDate, const DateValue& NextDutyStart);

// A count as the labels show it: plain decimal digits, "-" before a negative
// number, nothing for an empty count.
QString CountText(qint64 count);
QString CountText(const CountVariant& count);
