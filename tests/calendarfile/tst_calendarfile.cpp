// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The calendar file as a calendar program reads it: parsed back by libical.
#include "calendarfile/calendarexport.h"
#include "services/programerror.h"
#include "settings/fixedtext.h"
#include "support/fakes.h"

#include <QtTest>
#include <ctime>
#include <libical/ical.h>

namespace {

// One event as read back: its UID, summary, start and end as written, and its alarms' triggers.
struct Event {
    QString uid, summary, start, end, tzid;
    QStringList alarms;
};

QString timeText(const icaltimetype& time) {
    return QString::fromLatin1(icaltime_as_ical_string(time));
}

QList<Event> readBack(const QByteArray& text) {
    icalcomponent* file = icalparser_parse_string(text.constData());
    Q_ASSERT(file && icalcomponent_isa(file) == ICAL_VCALENDAR_COMPONENT);
    QList<Event> events;
    for (icalcomponent* event = icalcomponent_get_first_component(file, ICAL_VEVENT_COMPONENT); event;
         event = icalcomponent_get_next_component(file, ICAL_VEVENT_COMPONENT)) {
        Event read{QString::fromUtf8(icalcomponent_get_uid(event)),
                   QString::fromUtf8(icalcomponent_get_summary(event)),
                   timeText(icalcomponent_get_dtstart(event)),
                   QString(),
                   QString(),
                   {}};
        if (icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY))
            read.end = timeText(icalcomponent_get_dtend(event));
        icalproperty* start = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
        if (icalparameter* tzid = icalproperty_get_first_parameter(start, ICAL_TZID_PARAMETER))
            read.tzid = QString::fromUtf8(icalparameter_get_tzid(tzid));
        for (icalcomponent* alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT); alarm;
             alarm = icalcomponent_get_next_component(event, ICAL_VALARM_COMPONENT)) {
            const icaltriggertype trigger =
                icalproperty_get_trigger(icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY));
            read.alarms << QString::fromLatin1(icaldurationtype_as_ical_string(trigger.duration)) +
                               QLatin1Char(' ') +
                               QString::fromUtf8(icalproperty_get_description(
                                   icalcomponent_get_first_property(alarm, ICAL_DESCRIPTION_PROPERTY)));
        }
        events << read;
    }
    icalcomponent_free(file);
    return events;
}

Event eventCalled(const QList<Event>& events, const QString& summary, int which = 0) {
    for (const Event& event : events)
        if (event.summary == summary && which-- == 0)
            return event;
    return {};
}

// The local time zone of the test, set through TZ for the program's own reading of it.
class LocalTimeZone {
public:
    explicit LocalTimeZone(const QByteArray& zone) : m_previous(qgetenv("TZ")) {
        qputenv("TZ", zone);
        tzset();
    }
    ~LocalTimeZone() {
        qputenv("TZ", m_previous);
        tzset();
    }

private:
    QByteArray m_previous;
};

// Bavaria, service from 1 October 2026 to Wednesday 30 June 2027, with everything the file holds.
void buildTerm(const QString& end = QStringLiteral("30.06.2027")) {
    Settings = SampleSettings();
    SetText(&SettingsRecord::Pgr, Settings, end);
    WriteServiceFile({"Beginn=1.10.2026", "Bundesland=BY", "Urlaub=21.12.2026-1.1.2027, 30.4.2027-2.5.2027",
                      "Dienst=12.6.2027 7:00-13.6.2027 7:00, 10.5.2027-14.5.2027", "Dienstfrei=2.4.2027", "",
                      "[Termine]", "12.3.2027=Gelöbnis", "5.5.2027-7.5.2027=Übung Wildflecken"});
    QCOMPARE(ReadServiceTerm(), QString());
    TermCalendar.build(Term, Settings);
}

} // namespace

class CalendarFileTest : public QObject {
    Q_OBJECT
private slots:
    void everyKindOfEvent() {
        const LocalTimeZone berlin("Europe/Berlin");
        TestWorld world(QStringLiteral("2027-03-01 10:00:00"));
        buildTerm();
        const QByteArray text = CalendarFileText(TermCalendar);
        QVERIFY(text.startsWith("BEGIN:VCALENDAR\r\n"));
        QVERIFY(text.contains("VERSION:2.0\r\n"));
        QVERIFY(text.contains("BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\n"));
        const QList<Event> events = readBack(text);

        const Event end = eventCalled(events, QStringLiteral("Pilgrast – Dienstzeitende"));
        QCOMPARE(end.start, QStringLiteral("20270630T163000"));
        QCOMPARE(end.tzid, QStringLiteral("Europe/Berlin"));
        QCOMPARE(end.end, QString()); // an event at its moment
        const QList<std::pair<const char*, const char*>> milestones = {{"Bergfest", "20270214"},
                                                                       {"Noch 150 Tage", "20270131"},
                                                                       {"Noch 100 Tage", "20270322"},
                                                                       {"Letzte Woche", "20270623"},
                                                                       {"Letzter Tag", "20270630"}};
        for (const auto& [name, day] : milestones) {
            const Event milestone = eventCalled(events, QString::fromUtf8(name));
            QCOMPARE(milestone.start, QString::fromLatin1(day));
            QCOMPARE(milestone.end, QDate::fromString(QString::fromLatin1(day), QStringLiteral("yyyyMMdd"))
                                        .addDays(1)
                                        .toString(QStringLiteral("yyyyMMdd")));
            QCOMPARE(milestone.alarms, QStringList{QStringLiteral("PT8H ") + QString::fromUtf8(name)});
        }
        const Event pledge = eventCalled(events, QStringLiteral("Gelöbnis"));
        QCOMPARE(pledge.start, QStringLiteral("20270312"));
        QCOMPARE(pledge.end, QStringLiteral("20270313"));
        QCOMPARE(pledge.alarms, QStringList{"PT8H Gelöbnis"});
        const Event exercise = eventCalled(events, QStringLiteral("Übung Wildflecken"));
        QCOMPARE(exercise.start + QLatin1Char('-') + exercise.end, QStringLiteral("20270505-20270508"));

        // All-day ranges end on the day after: over New Year, over a month's end.
        const Event christmas = eventCalled(events, QStringLiteral("Urlaub"));
        QCOMPARE(christmas.start + QLatin1Char('-') + christmas.end, QStringLiteral("20261221-20270102"));
        QVERIFY(christmas.alarms.isEmpty());
        const Event may = eventCalled(events, QStringLiteral("Urlaub"), 1);
        QCOMPARE(may.start + QLatin1Char('-') + may.end, QStringLiteral("20270430-20270503"));
        const Event dayOff = eventCalled(events, QStringLiteral("Dienstfrei"));
        QCOMPARE(dayOff.start + QLatin1Char('-') + dayOff.end, QStringLiteral("20270402-20270403"));

        // Duty periods with their times: an exercise week, a guard duty.
        const Event week = eventCalled(events, QStringLiteral("Dienst"));
        QCOMPARE(week.start + QLatin1Char('-') + week.end, QStringLiteral("20270510T070000-20270514T120000"));
        QCOMPARE(week.tzid, QStringLiteral("Europe/Berlin"));
        const Event guard = eventCalled(events, QStringLiteral("Dienst"), 1);
        QCOMPARE(guard.start + QLatin1Char('-') + guard.end,
                 QStringLiteral("20270612T070000-20270613T070000"));
        QCOMPARE(events.size(), 1 + 5 + 2 + 2 + 1 + 2);
    }

    // Where the local time is UTC, the moments are written in UTC.
    void universalTime() {
        const LocalTimeZone utc("UTC");
        TestWorld world(QStringLiteral("2027-03-01 10:00:00"));
        buildTerm();
        const QByteArray text = CalendarFileText(TermCalendar);
        QVERIFY(!text.contains("VTIMEZONE"));
        QCOMPARE(eventCalled(readBack(text), QStringLiteral("Pilgrast – Dienstzeitende")).start,
                 QStringLiteral("20270630T163000Z"));
    }

    // Written twice the file differs in its time stamps only; a moved end keeps the UIDs.
    void stableUids() {
        const LocalTimeZone berlin("Europe/Berlin");
        TestWorld world(QStringLiteral("2027-03-01 10:00:00"));
        buildTerm();
        const QByteArray first = CalendarFileText(TermCalendar);
        world.clock.advance(3600);
        const QByteArray second = CalendarFileText(TermCalendar);
        QVERIFY(first != second);
        static const QRegularExpression stamp(QStringLiteral("DTSTAMP:[0-9TZ]+"));
        QCOMPARE(QString::fromUtf8(second).remove(stamp), QString::fromUtf8(first).remove(stamp));

        buildTerm(QStringLiteral("31.07.2027"));
        const QList<Event> before = readBack(first);
        const QList<Event> after = readBack(CalendarFileText(TermCalendar));
        for (const char* name : {"Pilgrast – Dienstzeitende", "Bergfest", "Noch 150 Tage", "Noch 100 Tage",
                                 "Letzte Woche", "Letzter Tag"}) {
            const Event was = eventCalled(before, QString::fromUtf8(name));
            const Event is = eventCalled(after, QString::fromUtf8(name));
            QCOMPARE(is.uid, was.uid);
            QVERIFY2(is.start != was.start, name);
        }
        QSet<QString> uids;
        for (const Event& event : after)
            uids.insert(event.uid);
        QCOMPARE(uids.size(), after.size()); // each its own
    }

    void failedWrite_data() {
        QTest::addColumn<QString>("place");
        QTest::addColumn<QString>("cause");
        QTest::newRow("a folder that cannot be written") << "geschützt/dienstzeit.ics"
                                                         << "Zugriff verweigert";
        QTest::newRow("a folder that is not there") << "fehlt/dienstzeit.ics"
                                                    << "nicht mehr vorhanden";
    }
    void failedWrite() {
        QFETCH(QString, place);
        QFETCH(QString, cause);
        TestWorld world(QStringLiteral("2027-03-01 10:00:00"));
        buildTerm();
        QVERIFY(QDir().mkdir(QStringLiteral("geschützt")));
        const WriteProtected protection(QStringLiteral("geschützt"));
        if (place.startsWith(QStringLiteral("geschützt")) && !protection.active())
            QSKIP("the folder cannot be write-protected here");
        try {
            WriteCalendarFile(place, TermCalendar);
            QFAIL("written");
        } catch (const ProgramError& error) {
            QVERIFY2(error.description().startsWith(
                         QStringLiteral("Der Kalender „%1“ kann nicht gespeichert werden: ").arg(place)),
                     qPrintable(error.description()));
            QVERIFY2(error.description().contains(cause), qPrintable(error.description()));
        }
        QVERIFY(QDir(QStringLiteral("geschützt")).isEmpty()); // no part of a file left
    }
};

QTEST_GUILESS_MAIN(CalendarFileTest)
#include "tst_calendarfile.moc"
