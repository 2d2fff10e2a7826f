// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "counterview/counterview.h"

#include <optional>

// The count as status bars and panels read it from a command's output.
enum class StatusFormat {
    Text,     // one line: the figure as the tray shows it, "113 Tage"
    Json,     // waybar's custom module (return-type json): text, tooltip, alt, class, percentage
    I3blocks, // the full text, the short text ("113") and an empty colour line
    Genmon,   // the Xfce panel's generic monitor: <txt>, <tool> and, with a start of service, <bar>
};

// "text", "json", "i3blocks" or "genmon".
std::optional<StatusFormat> ReadStatusFormat(const QString& name);

// What the format prints for the report, every line ended. Followed, each update is one
// line: i3blocks' persistent blocks read the full text alone.
QString StatusOutput(const CountReport& report, StatusFormat format, bool followed = false);

// The class of the count: "dienst" while it runs, "frei" while it stands off duty, "ende"
// once the end of service has passed.
QString StatusClass(CountPhase phase);

// The first instant after now at which the output can differ: the figure's next unit while
// it runs, the next start or end of duty, the end of service, the next whole per cent, the
// next duty day done, and midnight; each at the first whole second that shows it.
DateValue NextChangeAt(const CounterView& view, DateValue now);

// The instant to look again after the output at `now` (an instant in the local zone, or
// the zone the clock reads in): the next change on the wall clock, or sooner, where the
// wall clock jumps at a change of the zone's offset.
QDateTime NextWakeUp(const CounterView& view, const QDateTime& now);

// What a follower prints at this second of the current clock, and when it looks again.
struct FollowedStatus {
    QString text;
    QDateTime wakeAt;
};
FollowedStatus FollowedStatusNow(StatusFormat format);
