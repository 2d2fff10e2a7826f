// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "announcements.h"

#include "timecalc/datevalue.h"

namespace {

QString keyOf(const QString& name, qint64 day) {
    return name + QLatin1Char(' ') + DayText(CalendarDate(day));
}

} // namespace

QString DaysLeftText(qint64 days) {
    return days == 1 ? QStringLiteral("noch 1 Tag") : QStringLiteral("noch %1 Tage").arg(days);
}

Announcement MilestoneAnnouncement(const Milestone& milestone, qint64 daysLeft) {
    const QString key = keyOf(milestone.name, milestone.day);
    const QString left = DaysLeftText(daysLeft);
    switch (milestone.kind) {
    case MilestoneKind::HalfTime:
        return {key, QStringLiteral("Bergfest!"), QStringLiteral("Die Hälfte ist geschafft – %1.").arg(left)};
    case MilestoneKind::Days150:
        return {key, QStringLiteral("Noch 150 Tage!"),
                QStringLiteral("Ab heute zählt das Maßband – %1 bis zum Pilgrast.").arg(left)};
    case MilestoneKind::Days100:
        return {key, QStringLiteral("Noch 100 Tage!"), QStringLiteral("Nur %1 bis zum Pilgrast.").arg(left)};
    case MilestoneKind::LastWeek:
        return {key, QStringLiteral("Letzte Woche!"),
                QStringLiteral("Die letzte Woche beginnt – %1 bis zum Pilgrast.").arg(left)};
    case MilestoneKind::LastDay:
        break;
    }
    return {key, QStringLiteral("Letzter Tag!"),
            QStringLiteral("Heute ist Pilgrast – der letzte Tag Ihrer Dienstzeit.")};
}

Announcement OwnDateAnnouncement(const OwnDay& date, qint64 daysLeft) {
    const QString when =
        date.last != date.first
            ? QStringLiteral("Heute beginnt es, bis %1").arg(DayText(CalendarDate(date.last)))
            : QStringLiteral("Heute ist es so weit");
    return {keyOf(date.name, date.first), date.name,
            QStringLiteral("%1 – %2 bis zum Pilgrast.").arg(when, DaysLeftText(daysLeft))};
}

QList<Announcement> AnnouncementsOn(const ServiceCalendar& calendar, qint64 day, qint64 daysLeft) {
    QList<Announcement> due;
    if (!calendar.endDay())
        return due; // no end of service, no milestones
    for (const Milestone& milestone : calendar.milestones())
        if (milestone.day == day)
            due.append(MilestoneAnnouncement(milestone, daysLeft));
    for (const OwnDay& date : calendar.ownDates())
        if (date.first == day)
            due.append(OwnDateAnnouncement(date, daysLeft));
    return due;
}
