// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "datevalue.h"
#include "settings/declarations.h"

#include <QString>

// The end-of-duty time that applies on a day: Dsch from Monday to Thursday,
// DschFr on Friday, Saturday and Sunday, as stored (5 characters).
QString DutyEndOn(const SettingsRecord& settings, DateValue day);

// Today's end-of-duty time.
QString TodaysDutyEnd(const SettingsRecord& settings);

// The end of service as text: the stored date, a blank and that date's own
// end-of-duty time, so the moment stays the same whatever day it is now. A date
// that does not convert is joined with today's time; its conversion then fails
// where the text is used, and that error is reported there.
QString EndOfServiceText(const SettingsRecord& settings);

// The end of service as the windows show it to the user: EndOfServiceText and " Uhr".
QString EndOfServiceCaption(const SettingsRecord& settings);
