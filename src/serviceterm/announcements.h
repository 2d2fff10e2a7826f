// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "servicecalendar.h"

// What the program tells on a day of the term: each milestone on its day and each own date on
// its first day, with the words of its notification. Deciding it is the core's; the desktop
// only sends it.

// "noch 1 Tag", "noch 12 Tage": the days left to the end of service, as every view writes them.
QString DaysLeftText(qint64 days);

struct Announcement {
    QString key; // how the memory of what was told names it: "Bergfest 14.2.2027"
    QString summary;
    QString body;
};

// For a milestone, with the days left to the end of service.
Announcement MilestoneAnnouncement(const Milestone& milestone, qint64 daysLeft);
// For an own date on its first day; a range names its last day.
Announcement OwnDateAnnouncement(const OwnDay& date, qint64 daysLeft);
// Everything due on the day, milestones first, each in the order of the term.
QList<Announcement> AnnouncementsOn(const ServiceCalendar& calendar, qint64 day, qint64 daysLeft);
