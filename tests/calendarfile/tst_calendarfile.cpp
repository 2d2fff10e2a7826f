// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The calendar file as a calendar program reads it: parsed back by libical.
#include "calendarfile/calendarexport.h"
#include "services/programerror.h"
#include "serviceterm/servicecalendar.h"
#include "settings/fixedtext.h"
#include "support/fakes.h"

#include <QImage>
#include <QProcess>
#include <QtTest>
#include <atomic>
#include <ctime>
#include <fcntl.h>
#include <libical/ical.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {

// One event as read back: its UID, summary, start and end as written, and its alarms' triggers.
struct Event {
    QString uid, summary, start, end, tzid;
    QStringList alarms;
    QString categories;
    bool transparent = false;
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
                   {},
                   QString(),
                   false};
        if (icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY))
            read.end = timeText(icalcomponent_get_dtend(event));
        if (icalproperty* categories = icalcomponent_get_first_property(event, ICAL_CATEGORIES_PROPERTY))
            read.categories = QString::fromUtf8(icalproperty_get_categories(categories));
        if (icalproperty* transp = icalcomponent_get_first_property(event, ICAL_TRANSP_PROPERTY))
            read.transparent = icalproperty_get_transp(transp) == ICAL_TRANSP_TRANSPARENT;
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

// A random term of every kind of entry, own dates often on the same first day, their names
// of every kind of character, as the window would save it.
ServiceTerm randomTerm(QRandomGenerator& random) {
    const QDate first(2026, 10, 1);
    const auto day = [&] { return first.addDays(random.bounded(270)); };
    const auto range = [&] {
        const QDate from = day();
        return DayRange{from, from.addDays(random.bounded(6))};
    };
    static const QString characters = QStringLiteral("aZ ß€Ä;,:\\\"=[]#%&<>'\t\x01\x1f\x7f/äöü!?");
    const auto name = [&] {
        QString text = QStringLiteral("T");
        for (int i = random.bounded(1, 12); i > 0; --i)
            text += characters.at(random.bounded(characters.size()));
        return text.trimmed(); // as typed into the window, which takes no blanks around
    };
    ServiceTerm term;
    term.start = first;
    term.region = QStringLiteral("BY");
    for (int i = random.bounded(4); i > 0; --i)
        term.leave << range();
    for (int i = random.bounded(3); i > 0; --i)
        term.daysOff << range();
    for (int i = random.bounded(4); i > 0; --i) {
        const DayRange days = range();
        term.duty << (random.bounded(2)
                          ? DutyEntry{days.first, days.last, {}, {}}
                          : DutyEntry{days.first, days.last.addDays(1), QTime(20, 0), QTime(6, 30)});
    }
    // Several on one first day, but never two on the same days: the file keys them by their days.
    const QDate crowded = day();
    for (int i = random.bounded(1, 7); i > 0; --i) {
        const DayRange days = i < 4 ? DayRange{crowded, crowded.addDays(i - 1)} : range();
        if (std::none_of(term.ownDates.begin(), term.ownDates.end(),
                         [&](const OwnDate& date) { return date.days == days; }))
            term.ownDates << OwnDate{days, name()};
    }
    std::stable_sort(term.ownDates.begin(), term.ownDates.end(),
                     [](const OwnDate& a, const OwnDate& b) { return a.days.first < b.days.first; });
    return term;
}

QSet<QString> ownDateTexts(const ServiceTerm& term) {
    QSet<QString> texts;
    for (const OwnDate& date : term.ownDates)
        texts.insert(DayRangeText(date.days) + QLatin1Char('=') + date.name);
    return texts;
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
        // The holidays that free a weekday of the service, 24 and 31 December a soldier's among them;
        // none that falls on a weekend (3.10., 1.11., 26.12., 1.5.).
        QStringList holidays;
        for (const Event& event : events)
            if (event.categories == QLatin1String("Feiertag")) {
                QVERIFY(event.transparent);
                QVERIFY(event.alarms.isEmpty());
                QVERIFY(event.uid.startsWith(QStringLiteral("feiertag-") + event.start + QLatin1Char('-')));
                QCOMPARE(event.end, QDate::fromString(event.start, QStringLiteral("yyyyMMdd"))
                                        .addDays(1)
                                        .toString(QStringLiteral("yyyyMMdd")));
                holidays << event.start.mid(6, 2) + QLatin1Char('.') + event.start.mid(4, 2) +
                                QLatin1Char(' ') + event.summary;
            }
        QCOMPARE(holidays, (QStringList{"24.12 Heiligabend", "25.12 1. Weihnachtstag", "31.12 Silvester",
                                        "01.01 Neujahr", "06.01 Heilige Drei Könige", "26.03 Karfreitag",
                                        "29.03 Ostermontag", "06.05 Christi Himmelfahrt",
                                        "17.05 Pfingstmontag", "27.05 Fronleichnam"}));
        QCOMPARE(events.size(), 1 + 5 + 2 + 2 + 1 + 2 + 10);
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

    // Random terms saved, read and exported: a calendar program reads every event, each with a
    // UID of its own, every own date under its name (control characters, which the format
    // forbids, as blanks).
    void randomTermsReadBack() {
        const LocalTimeZone berlin("Europe/Berlin");
        TestWorld world(QStringLiteral("2027-03-01 10:00:00"));
        Settings = SampleSettings();
        SetText(&SettingsRecord::Pgr, Settings, QStringLiteral("30.06.2027"));
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        for (int round = 0; round < 40; ++round) {
            const ServiceTerm term = randomTerm(random);
            WriteServiceTerm(term);
            QCOMPARE(ReadServiceTerm(), QString());
            QCOMPARE(ownDateTexts(Term), ownDateTexts(term));
            TermCalendar.build(Term, Settings);
            const QList<Event> events = readBack(CalendarFileText(TermCalendar));
            const qsizetype expected =
                1 + TermCalendar.milestones().size() + term.ownDates.size() +
                TermCalendar.leaveRanges().size() + TermCalendar.dayOffRanges().size() +
                qsizetype(TermCalendar.extraDutyPeriods().size()) + TermCalendar.holidaysOfService().size();
            QVERIFY2(events.size() == expected, qPrintable(QStringLiteral("seed %1").arg(seed)));
            QSet<QString> uids;
            QStringList summaries;
            for (const Event& event : events) {
                uids.insert(event.uid);
                summaries << event.summary.trimmed(); // blanks at the end are the parser's to keep
            }
            QVERIFY2(uids.size() == events.size(), qPrintable(QStringLiteral("seed %1").arg(seed)));
            // A duty period's UID names its start as the clock reads it.
            for (const Event& event : events)
                if (event.uid.startsWith(QStringLiteral("dienst-")))
                    QVERIFY2(event.uid.mid(7, 13) == event.start.left(13),
                             qPrintable(event.uid + QLatin1Char(' ') + event.start));
            for (const OwnDate& date : term.ownDates) {
                QString shown = date.name;
                shown.replace(QRegularExpression(QStringLiteral("[\\x00-\\x08\\x0a-\\x1f\\x7f]")),
                              QStringLiteral(" "));
                shown = shown.trimmed();
                QVERIFY2(summaries.removeOne(shown),
                         qPrintable(QStringLiteral("%1 (seed %2)").arg(shown).arg(seed)));
            }
        }
    }

    // The end of service is a moment; a duty period's UID names its start as the clock reads it.
    void momentsAsCalendarsShowThem() {
        const LocalTimeZone berlin("Europe/Berlin");
        TestWorld world(QStringLiteral("2027-03-01 10:00:00"));
        buildTerm();
        const QString text = QString::fromUtf8(CalendarFileText(TermCalendar));
        QVERIFY(text.contains(QStringLiteral("DURATION:PT0S")));
        // The calendar's name, and free time for the dates one is told of, busy time for the rest.
        icalcomponent* file = icalparser_parse_string(text.toUtf8().constData());
        QVERIFY(file);
        const auto cleanup = qScopeGuard([file] { icalcomponent_free(file); });
        icalproperty* name = icalcomponent_get_first_property(file, ICAL_X_PROPERTY);
        QCOMPARE(QString::fromLatin1(icalproperty_get_x_name(name)), QStringLiteral("X-WR-CALNAME"));
        QCOMPARE(QString::fromUtf8(icalproperty_get_x(name)), QStringLiteral("Dienstzeit"));
        int transparent = 0;
        for (icalcomponent* event = icalcomponent_get_first_component(file, ICAL_VEVENT_COMPONENT); event;
             event = icalcomponent_get_next_component(file, ICAL_VEVENT_COMPONENT)) {
            const QString summary = QString::fromUtf8(icalcomponent_get_summary(event));
            icalproperty* transp = icalcomponent_get_first_property(event, ICAL_TRANSP_PROPERTY);
            const bool told = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT) != nullptr;
            const bool holiday = icalcomponent_get_first_property(event, ICAL_CATEGORIES_PROPERTY) != nullptr;
            QVERIFY2((transp && icalproperty_get_transp(transp) == ICAL_TRANSP_TRANSPARENT) ==
                         (told || holiday),
                     qPrintable(summary));
            transparent += told || holiday;
        }
        QCOMPARE(transparent, TermCalendar.milestones().size() + TermCalendar.ownDates().size() +
                                  TermCalendar.holidaysOfService().size());
        const QList<Event> events = readBack(text.toUtf8());
        QVERIFY(eventCalled(events, QStringLiteral("Dienst"))
                    .uid.startsWith(QStringLiteral("dienst-20270510T0700-")));
    }

    // What stands at the name and is no regular file is never replaced: a pipe with a reader
    // and a device take the calendar as it is; a pipe nobody reads and a socket are refused.
    void neverOverAPipeOrADevice() {
        TestWorld world(QStringLiteral("2027-03-01 10:00:00"));
        buildTerm();
        const QByteArray pipe = QFile::encodeName(world.path(QStringLiteral("pipe")));
        QCOMPARE(mkfifo(pipe.constData(), 0600), 0);
        const auto failure = [](const QString& path) {
            try {
                WriteCalendarFile(path, TermCalendar);
            } catch (const ProgramError& error) {
                return error.description();
            }
            return QString();
        };
        QVERIFY(failure(QString::fromLocal8Bit(pipe))
                    .contains(QStringLiteral("niemand liest aus der benannten Pipe")));

        const int reader = ::open(pipe.constData(), O_RDONLY | O_NONBLOCK);
        QVERIFY(reader >= 0);
        QCOMPARE(failure(QString::fromLocal8Bit(pipe)), QString());
        QByteArray read(200, '\0');
        QVERIFY(::read(reader, read.data(), size_t(read.size())) > 0);
        QVERIFY(read.startsWith("BEGIN:VCALENDAR"));
        ::close(reader);

        QCOMPARE(failure(QStringLiteral("/dev/null")), QString());
        struct stat device {};
        QVERIFY(stat("/dev/null", &device) == 0 && S_ISCHR(device.st_mode));
        struct stat fifo {};
        QVERIFY(stat(pipe.constData(), &fifo) == 0 && S_ISFIFO(fifo.st_mode));

        const QString socketPath = world.path(QStringLiteral("socket"));
        const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, QFile::encodeName(socketPath).constData(), sizeof address.sun_path);
        QCOMPARE(bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        QVERIFY(failure(socketPath).contains(QStringLiteral("ist keine gewöhnliche Datei")));
        struct stat socketFile {};
        QVERIFY(stat(QFile::encodeName(socketPath).constData(), &socketFile) == 0 &&
                S_ISSOCK(socketFile.st_mode));
        ::close(socket);
    }

    // The end of service as a code to scan: the program writes it, a scanner (zbar) decodes it, and
    // the text is one calendar event at the moment in UTC, winter and summer, with its reminder.
    void codeToScan_data() {
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("utc");
        QTest::newRow("winter") << "27.01.2027"
                                << "20270127T153000Z";
        QTest::newRow("summer") << "30.06.2027"
                                << "20270630T143000Z";
    }
    void codeToScan() {
        QFETCH(QString, end);
        TestWorld world(QStringLiteral("2027-01-10 10:00:00"));
        SettingsRecord record = SampleSettings();
        SetText(&SettingsRecord::Pgr, record, end);
        WriteSettingsFile(record);
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TZ"), QStringLiteral("Europe/Berlin"));
        program.setProcessEnvironment(environment);
        program.setWorkingDirectory(QDir::currentPath());
        program.start(QCoreApplication::applicationDirPath() + QStringLiteral("/pilgrast"),
                      {QStringLiteral("--export-qr"), QStringLiteral("pilgrast.png")});
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitCode(), 0);
        const QImage code(QStringLiteral("pilgrast.png"));
        QVERIFY(code.width() >= 300 && code.width() == code.height()); // as a phone reads it from a screen

        // As a phone's photo of a screen holds it: smaller and smoothed.
        QVERIFY(code.scaled(code.size() * 0.7, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                    .save(QStringLiteral("photo.png")));
        QByteArray text;
        for (const char* picture : {"pilgrast.png", "photo.png"}) {
            QProcess scanner;
            scanner.start(QStringLiteral("zbarimg"),
                          {QStringLiteral("--raw"), QStringLiteral("-q"), QString::fromLatin1(picture)});
            QVERIFY2(scanner.waitForFinished(20000), "zbarimg (Debian zbar-tools) is needed");
            const QByteArray read = scanner.readAllStandardOutput().trimmed();
            QVERIFY2(text.isEmpty() || read == text, picture);
            text = read;
        }
        QVERIFY2(text.startsWith("BEGIN:VEVENT") && text.endsWith("END:VEVENT"), text.constData());
        icalcomponent* event = icalparser_parse_string(text.constData());
        QVERIFY(event);
        const auto cleanup = qScopeGuard([event] { icalcomponent_free(event); });
        QCOMPARE(QString::fromUtf8(icalcomponent_get_summary(event)), QStringLiteral("Pilgrast"));
        QTEST(timeText(icalcomponent_get_dtstart(event)), "utc");
        QTEST(timeText(icalcomponent_get_dtend(event)), "utc");
        icalcomponent* alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT);
        QVERIFY(alarm);
        const icaltriggertype trigger =
            icalproperty_get_trigger(icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY));
        QCOMPARE(icaldurationtype_as_int(trigger.duration), -86400);
    }

    // A reader that polls the file while it is written again and again never reads a part of it:
    // each read is a whole calendar, as a sync program carries it to the phone.
    void readerNeverSeesAPart() {
        TestWorld world(QStringLiteral("2027-03-01 10:00:00"));
        buildTerm();
        const QString path = world.path(QStringLiteral("dienstzeit.ics"));
        WriteCalendarFile(path, TermCalendar);
        std::atomic<bool> writing = true;
        std::atomic<int> reads = 0, parts = 0;
        std::thread reader([&] {
            while (writing) {
                QFile file(path);
                if (!file.open(QIODevice::ReadOnly))
                    continue;
                const QByteArray text = file.readAll();
                ++reads;
                if (!text.startsWith("BEGIN:VCALENDAR") || !text.endsWith("END:VCALENDAR\r\n"))
                    ++parts;
            }
        });
        for (int save = 0; save < 200; ++save) {
            world.clock.advance(1);
            WriteCalendarFile(path, TermCalendar);
        }
        writing = false;
        reader.join();
        QVERIFY(reads > 0);
        QCOMPARE(int(parts), 0);
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
