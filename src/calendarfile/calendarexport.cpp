// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calendarexport.h"

#include "services/programerror.h"
#include "settings/declarations.h"
#include "settings/fileaccess.h"
#include "settings/fixedtext.h"
#include "services/clock.h"

#include <QCryptographicHash>
#include <QHash>
#include <QTimeZone>
#include <cmath>
#include <libical/ical.h>
#include <memory>

namespace {

constexpr int morningHour = 8; // the reminders of all-day events ring then

struct ComponentFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

// What the UIDs of one service share: its holder, so that the UIDs stay when dates move.
QString serviceKey() {
    const QByteArray holder =
        (TrimBlanks(Settings.Vorname) + QLatin1Char(' ') + TrimBlanks(Settings.Name)).toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(holder, QCryptographicHash::Sha1).toHex().left(12));
}

QByteArray uid(const QString& what) {
    return (what + QLatin1Char('-') + serviceKey() + QStringLiteral("@pilgrast-counter")).toUtf8();
}

QString compactDay(qint64 day) {
    return CalendarDate(day).toString(QStringLiteral("yyyyMMdd"));
}

icaltimetype dateOf(qint64 day) {
    const QDate date = CalendarDate(day);
    icaltimetype value = icaltime_null_date();
    value.year = date.year();
    value.month = date.month();
    value.day = date.day();
    return value;
}

// The local time zone as the file names it, with its VTIMEZONE; none where libical does not know it.
struct LocalZone {
    QByteArray id;
    icaltimezone* zone = nullptr;
};

LocalZone localZone() {
    const QTimeZone system = QTimeZone::systemTimeZone();
    const QByteArray id = system.id();
    const bool universal =
        !system.hasDaylightTime() && system.offsetFromUtc(QDateTime::currentDateTimeUtc()) == 0;
    if (id.isEmpty() || universal)
        return {};
    return {id, icaltimezone_get_builtin_timezone(id.constData())};
}

// The wall clock's date and time of a value, in the local zone.
QDateTime wallClockOf(DateValue value) {
    const qint64 day = qint64(std::floor(value));
    return QDateTime(CalendarDate(day), QTime(0, 0).addSecs(int(std::lround((value - day) * 86400))));
}

// The date and time as libical holds them: as they read, or the instant in UTC.
icaltimetype icalTimeOf(const QDateTime& at, bool inUtc) {
    const QDateTime shown = inUtc ? at.toUTC() : at;
    icaltimetype time = icaltime_null_time();
    time.year = shown.date().year();
    time.month = shown.date().month();
    time.day = shown.date().day();
    time.hour = shown.time().hour();
    time.minute = shown.time().minute();
    time.second = shown.time().second();
    return inUtc ? icaltime_set_timezone(&time, icaltimezone_get_utc_timezone()) : time;
}

// A moment of the local wall clock: in the local time zone where it is known, else in UTC.
icalproperty* momentProperty(icalproperty* (*make)(icaltimetype), DateValue value, const LocalZone& local) {
    icalproperty* property = make(icalTimeOf(wallClockOf(value), !local.zone));
    if (local.zone)
        icalproperty_add_parameter(property, icalparameter_new_tzid(local.id.constData()));
    return property;
}

icaltimetype stamp() {
    return icalTimeOf(CurrentClock().currentDateTime(), true);
}

// The text as a calendar's TEXT value takes it: control characters, which it forbids, as blanks.
QByteArray calendarText(QString text) {
    for (QChar& character : text)
        if ((character.unicode() < 0x20 && character != QLatin1Char('\t')) || character.unicode() == 0x7F)
            character = QLatin1Char(' ');
    return text.toUtf8();
}

icalcomponent* event(const QString& what, const QString& summary) {
    icalcomponent* component = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    icalcomponent_add_property(component, icalproperty_new_uid(uid(what).constData()));
    icalcomponent_add_property(component, icalproperty_new_dtstamp(stamp()));
    icalcomponent_add_property(component, icalproperty_new_summary(calendarText(summary).constData()));
    return component;
}

// All days from the first to the last; the file's end day is the one after the last.
icalcomponent* allDayEvent(const QString& what, const QString& summary, qint64 first, qint64 last) {
    icalcomponent* component = event(what, summary);
    icalcomponent_add_property(component, icalproperty_new_dtstart(dateOf(first)));
    icalcomponent_add_property(component, icalproperty_new_dtend(dateOf(last + 1)));
    return component;
}

// A reminder on the morning of the first day, for the dates one wants to be told of.
void remindOnItsMorning(icalcomponent* component, const QString& summary) {
    icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icaltriggertype trigger{};
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_from_int(morningHour * 3600);
    icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
    icalcomponent_add_property(alarm, icalproperty_new_description(calendarText(summary).constData()));
    icalcomponent_add_property(component, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    icalcomponent_add_component(component, alarm);
}

QString slug(const QString& name) {
    return name.toLower().replace(QLatin1Char(' '), QLatin1Char('-'));
}

void addDates(icalcomponent* file, const ServiceCalendar& calendar, const LocalZone& local) {
    if (const std::optional<DateValue> end = calendar.endOfService()) {
        icalcomponent* component =
            event(QStringLiteral("pilgrast"), QStringLiteral("Pilgrast – Dienstzeitende"));
        icalcomponent_add_property(component, momentProperty(&icalproperty_new_dtstart, *end, local));
        // A moment, not an hour: calendars that give an event without an end a length of their own
        // show it at its time.
        icalcomponent_add_property(component, icalproperty_new_duration(icaldurationtype_null_duration()));
        icalcomponent_add_component(file, component);
    }
    for (const Milestone& milestone : calendar.milestones()) {
        icalcomponent* component =
            allDayEvent(slug(milestone.name), milestone.name, milestone.day, milestone.day);
        remindOnItsMorning(component, milestone.name);
        icalcomponent_add_component(file, component);
    }
    // Own dates on the same first day are told apart by their place among them, the first as ever.
    QHash<qint64, int> datesOnDay;
    for (const OwnDay& date : calendar.ownDates()) {
        const int place = ++datesOnDay[date.first];
        const QString what = QStringLiteral("termin-") + compactDay(date.first) +
                             (place > 1 ? QStringLiteral("-%1").arg(place) : QString());
        icalcomponent* component = allDayEvent(what, date.name, date.first, date.last);
        remindOnItsMorning(component, date.name);
        icalcomponent_add_component(file, component);
    }
    // The holidays that are free days: shown beside one's own dates, never as busy.
    for (const FreeDay& holiday : calendar.holidaysOfService()) {
        icalcomponent* component = allDayEvent(QStringLiteral("feiertag-") + compactDay(holiday.day),
                                               holiday.name, holiday.day, holiday.day);
        icalcomponent_add_property(component, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
        icalcomponent_add_property(component, icalproperty_new_categories("Feiertag"));
        icalcomponent_add_component(file, component);
    }
    for (const DayRange& range : calendar.leaveRanges())
        icalcomponent_add_component(
            file, allDayEvent(QStringLiteral("urlaub-") + compactDay(DayNumber(range.first)),
                              QStringLiteral("Urlaub"), DayNumber(range.first), DayNumber(range.last)));
    for (const DayRange& range : calendar.dayOffRanges())
        icalcomponent_add_component(
            file, allDayEvent(QStringLiteral("dienstfrei-") + compactDay(DayNumber(range.first)),
                              QStringLiteral("Dienstfrei"), DayNumber(range.first), DayNumber(range.last)));
    for (const DutySpan& span : calendar.extraDutyPeriods()) {
        const qint64 day = qint64(std::floor(span.start));
        const int minute = int(std::lround((span.start - day) * 1440));
        const QString start = compactDay(day) + QStringLiteral("T%1%2")
                                                    .arg(minute / 60, 2, 10, QLatin1Char('0'))
                                                    .arg(minute % 60, 2, 10, QLatin1Char('0'));
        icalcomponent* component = event(QStringLiteral("dienst-") + start, QStringLiteral("Dienst"));
        icalcomponent_add_property(component, momentProperty(&icalproperty_new_dtstart, span.start, local));
        icalcomponent_add_property(component, momentProperty(&icalproperty_new_dtend, span.end, local));
        icalcomponent_add_component(file, component);
    }
}

} // namespace

QByteArray EndOfServiceEventText(const ServiceCalendar& calendar) {
    const std::optional<DateValue> end = calendar.endOfService();
    if (!end)
        return {};
    const Component event(icalcomponent_new(ICAL_VEVENT_COMPONENT));
    icalcomponent_add_property(event.get(), icalproperty_new_summary("Pilgrast"));
    icalcomponent_add_property(event.get(), icalproperty_new_dtstart(icalTimeOf(wallClockOf(*end), true)));
    icalcomponent_add_property(event.get(), icalproperty_new_dtend(icalTimeOf(wallClockOf(*end), true)));
    // Told the day before, at the same hour.
    icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icaltriggertype trigger{};
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_from_int(-86400);
    icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
    icalcomponent_add_property(alarm, icalproperty_new_description("Ende der Dienstzeit"));
    icalcomponent_add_component(event.get(), alarm);
    return QByteArray(icalcomponent_as_ical_string(event.get()));
}

QByteArray CalendarFileText(const ServiceCalendar& calendar) {
    const Component file(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(file.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(file.get(),
                               icalproperty_new_prodid("-//Pilgrast Counter//Pilgrast Counter 2.0//DE"));
    icalcomponent_add_property(file.get(), icalproperty_new_calscale("GREGORIAN"));
    icalcomponent_add_property(file.get(), icalproperty_new_method(ICAL_METHOD_PUBLISH));
    icalproperty* name = icalproperty_new_x("Dienstzeit");
    icalproperty_set_x_name(name, "X-WR-CALNAME");
    icalcomponent_add_property(file.get(), name);
    const LocalZone local = localZone();
    if (local.zone) {
        icalcomponent* zone = icalcomponent_new_clone(icaltimezone_get_component(local.zone));
        icalproperty_set_tzid(icalcomponent_get_first_property(zone, ICAL_TZID_PROPERTY),
                              local.id.constData());
        icalcomponent_add_component(file.get(), zone);
    }
    addDates(file.get(), calendar, local);
    return QByteArray(icalcomponent_as_ical_string(file.get()));
}

void WriteCalendarFile(const QString& path, const ServiceCalendar& calendar) {
    WriteExportFile(path, CalendarFileText(calendar),
                    ExportFailureText(QStringLiteral("Der Kalender"), path));
}
