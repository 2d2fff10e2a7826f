// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "serviceterm/announcements.h"
#include "serviceterm/servicecalendar.h"
#include "serviceterm/termoverview.h"
#include "support/fakes.h"

#include <QtTest>

Q_DECLARE_METATYPE(TermList)

namespace {

DateValue at(const QString& instant) {
    const QDateTime moment = QDateTime::fromString(instant, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    return DateValue(QDate(1899, 12, 30).daysTo(moment.date())) +
           moment.time().msecsSinceStartOfDay() / 86400000.0;
}

QString instantOf(DateValue value) {
    const qint64 day = qint64(std::floor(value));
    const int second = int(std::lround((value - day) * 86400));
    return QDateTime(QDate(1899, 12, 30).addDays(day), QTime(0, 0).addSecs(second))
        .toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

// Bavaria, service from 1 October 2026 to Wednesday 30 June 2027 at 16:30, with the leave given.
void buildTerm(const QString& leave, const QString& end = QStringLiteral("30.06.2027"),
               const QString& region = QStringLiteral("BY"), QDate start = QDate(2026, 10, 1)) {
    Settings = SampleSettings();
    SetText(&SettingsRecord::Pgr, Settings, end);
    ServiceTerm term;
    term.start = start;
    term.region = region;
    for (const QString& entry : leave.split(QLatin1Char(','), Qt::SkipEmptyParts))
        term.leave << *ReadDayRange(entry);
    TermCalendar.build(term, Settings);
}

// Bavaria, service from 1 October 2026 to Wednesday 30 June 2027 at 16:30, with the
// further lines of [Dienstzeit] read from pilgrast.ini as the program reads them.
void buildFromFile(const QStringList& lines) {
    Settings = SampleSettings();
    SetText(&SettingsRecord::Pgr, Settings, QStringLiteral("30.06.2027"));
    WriteServiceFile(QStringList{"Beginn=1.10.2026", "Bundesland=BY"} + lines);
    QCOMPARE(ReadServiceTerm(), QString());
    TermCalendar.build(Term, Settings);
}

QString shownInstant(const std::optional<DateValue>& value) {
    return value ? instantOf(*value) : QStringLiteral("none");
}

qint64 dayOf(const QString& date) {
    return QDate(1899, 12, 30).daysTo(QDate::fromString(date, QStringLiteral("yyyy-MM-dd")));
}

} // namespace

class ServiceCalendarTest : public QObject {
    Q_OBJECT
private slots:
    void nextDutyStart_data() {
        QTest::addColumn<QString>("leave");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("now");
        QTest::addColumn<QString>("nextStart");
        QTest::addColumn<bool>("beyondFreeDays");
        QTest::newRow("Wednesday before Ascension") << ""
                                                    << "30.06.2027"
                                                    << "2027-05-05 17:00:00"
                                                    << "2027-05-07 07:00:00" << true;
        QTest::newRow("on Ascension Day") << ""
                                          << "30.06.2027"
                                          << "2027-05-06 10:00:00"
                                          << "2027-05-07 07:00:00" << true;
        QTest::newRow("Ascension, before the start of duty") << ""
                                                             << "30.06.2027"
                                                             << "2027-05-06 06:00:00"
                                                             << "2027-05-07 07:00:00" << true;
        QTest::newRow("Thursday before Good Friday") << ""
                                                     << "30.06.2027"
                                                     << "2027-03-25 17:00:00"
                                                     << "2027-03-30 07:00:00" << true;
        QTest::newRow("leave week, Friday before") << "10.5.2027-14.5.2027"
                                                   << "30.06.2027"
                                                   << "2027-05-07 17:00:00"
                                                   << "2027-05-18 07:00:00" << true;
        QTest::newRow("leave week ending before Whit Monday") << "10.5.2027-14.5.2027"
                                                              << "30.06.2027"
                                                              << "2027-05-14 12:00:00"
                                                              << "2027-05-18 07:00:00" << true;
        QTest::newRow("free Monday after a weekend") << "7.6.2027"
                                                     << "30.06.2027"
                                                     << "2027-06-05 10:00:00"
                                                     << "2027-06-08 07:00:00" << true;
        QTest::newRow("holiday as the end of service") << ""
                                                       << "06.05.2027"
                                                       << "2027-05-05 17:00:00"
                                                       << "2027-05-06 07:00:00" << false;
        QTest::newRow("ordinary evening") << ""
                                          << "30.06.2027"
                                          << "2027-05-03 17:00:00"
                                          << "2027-05-04 07:00:00" << false;
        QTest::newRow("ordinary weekend") << ""
                                          << "30.06.2027"
                                          << "2027-05-08 10:00:00"
                                          << "2027-05-10 07:00:00" << false;
        QTest::newRow("exactly at the start of duty") << ""
                                                      << "30.06.2027"
                                                      << "2027-05-07 07:00:00"
                                                      << "2027-05-07 07:00:00" << false;
    }
    void nextDutyStart() {
        QFETCH(QString, leave);
        QFETCH(QString, end);
        QFETCH(QString, now);
        TestWorld world(now);
        buildTerm(leave, end);
        QFETCH(QString, nextStart);
        QFETCH(bool, beyondFreeDays);
        const DateValue dutyStart = CDate(QStringLiteral("07:00"));
        QCOMPARE(instantOf(TermCalendar.nextDutyStart(at(now), dutyStart)), nextStart);
        QCOMPARE(TermCalendar.freeDayBeforeNextDutyStart(at(now), dutyStart), beyondFreeDays);
    }

    void freeDays() {
        TestWorld world(QStringLiteral("2027-05-01 10:00:00"));
        buildTerm(QStringLiteral("13.5.2027-18.5.2027,29.5.2027"));
        QVERIFY(TermCalendar.isFreeDay(dayOf("2027-05-06")));
        QVERIFY(!TermCalendar.isFreeDay(dayOf("2027-05-15"))); // a Saturday of the leave
        QVERIFY(!TermCalendar.isFreeDay(dayOf("2027-06-30"))); // the end of service
        QStringList ahead;
        for (const FreeDay& day : TermCalendar.freeDaysFrom(dayOf("2027-05-06")))
            ahead << QDate(1899, 12, 30).addDays(day.day).toString(QStringLiteral("d.M. ")) + day.name;
        QCOMPARE(ahead, (QStringList{"6.5. Christi Himmelfahrt", "13.5. Urlaub", "14.5. Urlaub",
                                     "17.5. Pfingstmontag", "18.5. Urlaub", "27.5. Fronleichnam"}));
    }

    void dutyDaysLeft_data() {
        QTest::addColumn<QString>("leave");
        QTest::addColumn<QString>("now");
        QTest::addColumn<int>("days");
        QTest::newRow("Monday morning") << ""
                                        << "2027-06-28 10:00:00" << 3;
        QTest::newRow("a second before the end of duty") << ""
                                                         << "2027-06-28 16:29:59" << 3;
        QTest::newRow("at the end of duty") << ""
                                            << "2027-06-28 16:30:00" << 2;
        QTest::newRow("the Saturday before") << ""
                                             << "2027-06-26 10:00:00" << 3;
        QTest::newRow("Friday before its end of duty") << ""
                                                       << "2027-06-25 11:59:59" << 4;
        QTest::newRow("Friday after its end of duty") << ""
                                                      << "2027-06-25 12:00:00" << 3;
        QTest::newRow("with a leave day") << "29.6.2027"
                                          << "2027-06-28 10:00:00" << 2;
        QTest::newRow("the last day") << ""
                                      << "2027-06-30 16:29:59" << 1;
        QTest::newRow("after the end") << ""
                                       << "2027-06-30 16:30:00" << 0;
        QTest::newRow("a month later") << ""
                                       << "2027-07-30 10:00:00" << 0;
        QTest::newRow("the last five weeks") << ""
                                             << "2027-05-31 06:00:00" << 23;
    }
    void dutyDaysLeft() {
        QFETCH(QString, leave);
        QFETCH(QString, now);
        QFETCH(int, days);
        TestWorld world(QStringLiteral("2027-05-01 10:00:00"));
        buildTerm(leave);
        QCOMPARE(TermCalendar.dutyDaysLeft(at(now)), days);
    }

    void shareDone_data() {
        QTest::addColumn<QString>("now");
        QTest::addColumn<QString>("share");
        QTest::addColumn<QString>("trayLine");
        QTest::newRow("before the start") << "2026-09-30 10:00:00"
                                          << "0,0 % geschafft"
                                          << "0 % geschafft, noch 185 Diensttage"; // 24 and 31 December free
        QTest::newRow("at the start of duty")
            << "2026-10-01 07:00:00"
            << "0,0 % geschafft"
            << "0 % geschafft, noch 185 Diensttage"; // 24 and 31 December free
        QTest::newRow("half time") << "2027-02-14 11:45:00"
                                   << "50,0 % geschafft"
                                   << "50 % geschafft, noch 93 Diensttage";
        QTest::newRow("a second before half time") << "2027-02-14 11:44:59"
                                                   << "49,9 % geschafft"
                                                   << "49 % geschafft, noch 93 Diensttage";
        QTest::newRow("at the end") << "2027-06-30 16:30:00"
                                    << "100,0 % geschafft"
                                    << "100 % geschafft, noch 0 Diensttage";
        QTest::newRow("after the end") << "2027-08-01 10:00:00"
                                       << "100,0 % geschafft"
                                       << "100 % geschafft, noch 0 Diensttage";
    }
    void shareDone() {
        QFETCH(QString, now);
        TestWorld world(now);
        buildTerm(QString());
        QFETCH(QString, share);
        QFETCH(QString, trayLine);
        QCOMPARE(ShareDoneText(*TermCalendar.shareDone(at(now))), share);
        QCOMPARE(TermProgressLine(at(now)), trayLine);
    }

    void withoutStart() {
        TestWorld world(QStringLiteral("2027-05-01 10:00:00"));
        buildTerm(QString(), QStringLiteral("30.06.2027"), QStringLiteral("BY"), QDate());
        QVERIFY(!TermCalendar.shareDone(at("2027-05-01 10:00:00")));
        QCOMPARE(TermProgressLine(at("2027-05-01 10:00:00")), QString());
        QCOMPARE(TermCalendar.milestones().size(), 4); // no Bergfest without a start
        QCOMPARE(DutyDaysText(1), QStringLiteral("noch 1 Diensttag"));
    }

    void milestones_data() {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QString>("expected");
        QTest::newRow("nine months")
            << QDate(2026, 10, 1)
            << "Noch 150 Tage 31.01.2027, Bergfest 14.02.2027, Noch 100 Tage 22.03.2027, "
               "Letzte Woche 23.06.2027, Letzter Tag 30.06.2027";
        QTest::newRow("two months") << QDate(2027, 5, 1)
                                    << "Bergfest 31.05.2027, Letzte Woche 23.06.2027, Letzter Tag 30.06.2027";
    }
    void milestones() {
        QFETCH(QDate, start);
        TestWorld world(QStringLiteral("2027-05-01 10:00:00"));
        buildTerm(QString(), QStringLiteral("30.06.2027"), QStringLiteral("BY"), start);
        QStringList shown;
        for (const Milestone& milestone : TermCalendar.milestones())
            shown << milestone.name + QLatin1Char(' ') +
                         QDate(1899, 12, 30).addDays(milestone.day).toString(QStringLiteral("dd.MM.yyyy"));
        QFETCH(QString, expected);
        QCOMPARE(shown.join(QStringLiteral(", ")), expected);
    }

    // On duty strictly inside a period; off duty the next period's start and the end of the last.
    void dutyPeriods_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("now");
        QTest::addColumn<bool>("onDuty");
        QTest::addColumn<bool>("followsPeriods");
        QTest::addColumn<QString>("boundary"); // on duty: the period's end; off duty: the next start
        const QStringList guard{"Dienst=12.6.2027 7:00-13.6.2027 7:00"};
        const QStringList exercise{"Dienst=10.5.2027-14.5.2027"};
        QTest::newRow("guard: the evening before")
            << guard << "2027-06-11 17:00:00" << false << true << "2027-06-12 07:00:00";
        QTest::newRow("guard: at its start")
            << guard << "2027-06-12 07:00:00" << false << true << "2027-06-12 07:00:00";
        QTest::newRow("guard: in the night")
            << guard << "2027-06-13 03:00:00" << true << true << "2027-06-13 07:00:00";
        QTest::newRow("guard: at its end")
            << guard << "2027-06-13 07:00:00" << false << true << "2027-06-14 07:00:00";
        QTest::newRow("guard: Monday on duty")
            << guard << "2027-06-14 10:00:00" << true << false << "2027-06-14 16:30:00";
        QTest::newRow("exercise: Monday night")
            << exercise << "2027-05-10 23:00:00" << true << true << "2027-05-14 12:00:00";
        QTest::newRow("exercise: Wednesday at the usual end")
            << exercise << "2027-05-12 16:30:00" << true << true << "2027-05-14 12:00:00";
        QTest::newRow("exercise: Friday after")
            << exercise << "2027-05-14 12:00:01" << false << true << "2027-05-18 07:00:00";
        QTest::newRow("Saturday after a holiday Friday")
            << QStringList{"Dienst=27.3.2027"} << "2027-03-25 17:00:00" << false << true
            << "2027-03-27 07:00:00";
        QTest::newRow("that Saturday until the usual end")
            << QStringList{"Dienst=27.3.2027"} << "2027-03-27 10:00:00" << true << true
            << "2027-03-27 16:30:00";
        QTest::newRow("duty on a leave day")
            << QStringList{"Urlaub=19.4.2027-23.4.2027", "Dienst=21.4.2027"} << "2027-04-20 10:00:00" << false
            << true << "2027-04-21 07:00:00";
        QTest::newRow("a day off before a weekend")
            << QStringList{"Dienstfrei=2.4.2027"} << "2027-04-01 17:00:00" << false << false
            << "2027-04-05 07:00:00";
        QTest::newRow("touching periods are one")
            << QStringList{"Dienst=3.7.2027, 3.7.2027 16:30-3.7.2027 20:00"} << "2027-07-03 16:30:00" << true
            << true << "2027-07-03 20:00:00";
        QTest::newRow("duty after the usual day joins it")
            << QStringList{"Dienst=16.6.2027 16:30-16.6.2027 22:00"} << "2027-06-16 16:30:00" << true << true
            << "2027-06-16 22:00:00";
        QTest::newRow("evening duty apart from the day")
            << QStringList{"Dienst=16.6.2027 18:00-16.6.2027 22:00"} << "2027-06-16 17:00:00" << false << true
            << "2027-06-16 18:00:00";
        QTest::newRow("far away: the usual week")
            << guard << "2027-05-04 17:00:00" << false << false << "2027-05-05 07:00:00";
        // Edges: a night guard ending at the usual start runs into the day's hours.
        QTest::newRow("night guard ending at the start of duty: on through it")
            << QStringList{"Dienst=10.6.2027 20:00-11.6.2027 7:00"} << "2027-06-11 07:00:00" << true << true
            << "2027-06-11 12:00:00";
        QTest::newRow("night guard ending a minute before: off at the start")
            << QStringList{"Dienst=10.6.2027 20:00-11.6.2027 6:59"} << "2027-06-11 07:00:00" << false << true
            << "2027-06-11 07:00:00";
        QTest::newRow("duty on a holiday") << QStringList{"Dienst=26.3.2027"} << "2027-03-26 10:00:00" << true
                                           << true << "2027-03-26 12:00:00";
        QTest::newRow("the same entry twice is one period")
            << QStringList{"Dienst=19.6.2027, 19.6.2027"} << "2027-06-19 10:00:00" << true << true
            << "2027-06-19 16:30:00";
    }
    void dutyPeriods() {
        QFETCH(QStringList, lines);
        QFETCH(QString, now);
        TestWorld world(QStringLiteral("2027-03-01 10:00:00"));
        buildFromFile(lines);
        const DutyMoment moment = TermCalendar.dutyMomentAt(at(now));
        QTEST(moment.onDuty, "onDuty");
        QTEST(moment.followsPeriods, "followsPeriods");
        QTEST(moment.onDuty ? shownInstant(moment.period->end) : shownInstant(moment.nextStart), "boundary");
    }

    // A day with any duty is a duty day, also a weekend day; a day off is none.
    void dutyDaysWithPeriods_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("now");
        QTest::addColumn<int>("days");
        QTest::newRow("plain") << QStringList() << "2027-06-11 17:00:00" << 13;
        QTest::newRow("a guard Saturday adds one")
            << QStringList{"Dienst=12.6.2027 7:00-13.6.2027 7:00"} << "2027-06-11 17:00:00" << 14;
        QTest::newRow("still ahead in its night")
            << QStringList{"Dienst=12.6.2027 7:00-13.6.2027 7:00"} << "2027-06-13 06:59:59" << 14;
        QTest::newRow("done at its end")
            << QStringList{"Dienst=12.6.2027 7:00-13.6.2027 7:00"} << "2027-06-13 07:00:00" << 13;
        QTest::newRow("a weekend exercise adds two")
            << QStringList{"Dienst=19.6.2027-20.6.2027"} << "2027-06-11 17:00:00" << 15;
        QTest::newRow("a day off is none")
            << QStringList{"Dienstfrei=14.6.2027"} << "2027-06-11 17:00:00" << 12;
        QTest::newRow("duty on a day off")
            << QStringList{"Dienstfrei=14.6.2027", "Dienst=14.6.2027"} << "2027-06-11 17:00:00" << 13;
    }
    void dutyDaysWithPeriods() {
        QFETCH(QStringList, lines);
        QFETCH(QString, now);
        TestWorld world(QStringLiteral("2027-03-01 10:00:00"));
        buildFromFile(lines);
        QTEST(TermCalendar.dutyDaysLeft(at(now)), "days");
    }

    // Leave days of the service from Monday to Friday, without holidays and duty, against the entitlement.
    void leaveAccount_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("planned");
        QTest::newRow("a week with a weekend") << QStringList{"Urlaub=8.3.2027-16.3.2027"} << 7;
        QTest::newRow("holidays inside") << QStringList{"Urlaub=21.12.2026-1.1.2027"} << 6;
        QTest::newRow("a volunteer's Christmas")
            << QStringList{"Urlaub=21.12.2026-1.1.2027", "Dienstart=Freiwilligendienst"} << 8;
        QTest::newRow("an Austrian soldier's Christmas")
            << QStringList{"Urlaub=21.12.2026-1.1.2027", "Bundesland=AT-9", "Dienstart=Grundwehrdienst"} << 8;
        QTest::newRow("overlapping ranges count once")
            << QStringList{"Urlaub=8.3.2027-12.3.2027, 10.3.2027-11.3.2027"} << 5;
        QTest::newRow("outside the service")
            << QStringList{"Urlaub=28.9.2026-2.10.2026, 30.6.2027-2.7.2027"} << 3;
        QTest::newRow("duty on a leave day")
            << QStringList{"Urlaub=8.3.2027-12.3.2027", "Dienst=10.3.2027"} << 4;
        QTest::newRow("days off are not leave") << QStringList{"Dienstfrei=8.3.2027-12.3.2027"} << 0;
        QTest::newRow("ranges that touch")
            << QStringList{"Urlaub=1.3.2027-5.3.2027, 6.3.2027-10.3.2027"} << 8;
        QTest::newRow("past the end, the end day counted") << QStringList{"Urlaub=28.6.2027-5.7.2027"} << 3;
    }
    void leaveAccount() {
        QFETCH(QStringList, lines);
        TestWorld world(QStringLiteral("2027-03-01 10:00:00"));
        buildFromFile(lines + QStringList{"Urlaubsanspruch=24"});
        QTEST(TermCalendar.leaveAccount()->planned, "planned");
        QCOMPARE(TermCalendar.leaveAccount()->entitled, 24.0);
        // Ranges that overlap or touch are one.
        for (qsizetype i = 1; i < TermCalendar.leaveRanges().size(); ++i)
            QVERIFY(TermCalendar.leaveRanges()[i - 1].last.addDays(1) < TermCalendar.leaveRanges()[i].first);
    }

    // The account's line in whole and half days.
    void leaveAccountText_data() {
        QTest::addColumn<int>("planned");
        QTest::addColumn<double>("entitled");
        QTest::addColumn<QString>("line");
        QTest::newRow("some left") << 18 << 24.0 << "Urlaub: 18 von 24 Tagen verplant, noch 6 Tage";
        QTest::newRow("half a day left") << 25 << 27.5 << "Urlaub: 25 von 27,5 Tagen verplant, noch 2,5 Tage";
        QTest::newRow("one left") << 26 << 27.0 << "Urlaub: 26 von 27 Tagen verplant, noch 1 Tag";
        QTest::newRow("none left") << 15 << 15.0 << "Urlaub: 15 von 15 Tagen verplant, noch 0 Tage";
        QTest::newRow("half a day too many")
            << 16 << 15.5 << "Urlaub: 16 von 15,5 Tagen verplant, 0,5 Tage zu viel";
        QTest::newRow("one too many") << 2 << 1.0 << "Urlaub: 2 von 1 Tag verplant, 1 Tag zu viel";
        QTest::newRow("entitled to half a day")
            << 0 << 0.5 << "Urlaub: 0 von 0,5 Tagen verplant, noch 0,5 Tage";
    }
    void leaveAccountText() {
        QFETCH(int, planned);
        QFETCH(double, entitled);
        QTEST(LeaveAccountText({planned, entitled}), "line");
    }

    // 24 and 31 December 2026, both Thursdays: free days of a German soldier wherever German
    // holidays count, duty where a Dienst entry says so, leave that takes none of the account.
    void christmasAndNewYearsEve_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("christmasEve"); // name | free | duty
        QTest::addColumn<QString>("newYearsEve");
        QTest::newRow("a soldier in Bavaria") << QStringList{} << "Heiligabend|free|"
                                              << "Silvester|free|";
        QTest::newRow("Soldat auf Zeit, nationwide days")
            << QStringList{"Bundesland=DE", "Dienstart=Soldat auf Zeit"} << "Heiligabend|free|"
            << "Silvester|free|";
        QTest::newRow("duty on Christmas Eve") << QStringList{"Dienst=24.12.2026"} << "Heiligabend||duty"
                                               << "Silvester|free|";
        QTest::newRow("inside leave") << QStringList{"Urlaub=21.12.2026-1.1.2027"} << "Heiligabend|free|"
                                      << "Silvester|free|";
        QTest::newRow("a volunteer") << QStringList{"Dienstart=Freiwilligendienst"} << "||duty"
                                     << "||duty";
        QTest::newRow("a soldier in Vienna") << QStringList{"Bundesland=AT-9"} << "||duty"
                                             << "||duty";
        QTest::newRow("a Swiss recruit")
            << QStringList{"Bundesland=CH-GE", "Dienstart=Rekrutenschule"} << "||duty"
            << "Wiederherstellung der Republik|free|";
        QTest::newRow("no holidays") << QStringList{"Bundesland="} << "||duty"
                                     << "||duty";
    }
    void christmasAndNewYearsEve() {
        QFETCH(QStringList, lines);
        TestWorld world(QStringLiteral("2026-12-01 10:00:00"));
        buildFromFile(lines);
        const auto shown = [](const char* date) {
            const DayInfo info = TermCalendar.dayInfo(dayOf(QString::fromLatin1(date)));
            return QStringList{info.holiday, info.freeDay ? "free" : "", info.dutyDay ? "duty" : ""}.join(
                '|');
        };
        QTEST(shown("2026-12-24"), "christmasEve");
        QTEST(shown("2026-12-31"), "newYearsEve");
    }

    // Every day of the service, what is told that day, against the days written out by hand:
    // each milestone on its day, each own date on its first day only, nothing on any other day.
    void announcementsEveryDay() {
        TestWorld world(QStringLiteral("2026-10-01 10:00:00"));
        buildFromFile(
            {"", "[Termine]", "12.3.2027=Gelöbnis", "5.5.2027-7.5.2027=Übung", "14.2.2027=Fasching"});
        const QMap<QString, QStringList> told = {
            {"31.1.2027",
             {"Noch 150 Tage 31.1.2027|Noch 150 Tage!|Ab heute zählt das Maßband – noch 150 Tage bis "
              "zum Pilgrast."}},
            {"14.2.2027",
             {"Bergfest 14.2.2027|Bergfest!|Die Hälfte ist geschafft – noch 136 Tage.",
              "Fasching 14.2.2027|Fasching|Heute ist es so weit – noch 136 Tage bis zum Pilgrast."}},
            {"12.3.2027",
             {"Gelöbnis 12.3.2027|Gelöbnis|Heute ist es so weit – noch 110 Tage bis zum Pilgrast."}},
            {"22.3.2027", {"Noch 100 Tage 22.3.2027|Noch 100 Tage!|Nur noch 100 Tage bis zum Pilgrast."}},
            {"5.5.2027",
             {"Übung 5.5.2027|Übung|Heute beginnt es, bis 7.5.2027 – noch 56 Tage bis zum Pilgrast."}},
            {"23.6.2027",
             {"Letzte Woche 23.6.2027|Letzte Woche!|Die letzte Woche beginnt – noch 7 Tage bis zum "
              "Pilgrast."}},
            {"29.6.2027", {}},
            {"30.6.2027",
             {"Letzter Tag 30.6.2027|Letzter Tag!|Heute ist Pilgrast – der letzte Tag Ihrer Dienstzeit."}},
        };
        const qint64 endDay = dayOf("2027-06-30");
        for (qint64 day = dayOf("2026-09-30"); day <= endDay + 1; ++day) {
            QStringList shown;
            for (const Announcement& announcement : AnnouncementsOn(TermCalendar, day, endDay - day))
                shown << announcement.key + QLatin1Char('|') + announcement.summary + QLatin1Char('|') +
                             announcement.body;
            const QString date = DayText(CalendarDate(day));
            QVERIFY2(shown == told.value(date),
                     qPrintable(date + QStringLiteral(": ") + shown.join(QLatin1Char('/'))));
        }
        QCOMPARE(DaysLeftText(1), QStringLiteral("noch 1 Tag"));
        QCOMPARE(DaysLeftText(0), QStringLiteral("noch 0 Tage"));
        // Without an end of service there are no milestones, and own dates are not told either.
        SetText(&SettingsRecord::Pgr, Settings, QStringLiteral("          "));
        TermCalendar.build(Term, Settings);
        QVERIFY(AnnouncementsOn(TermCalendar, dayOf("2027-03-12"), 0).isEmpty());
    }

    // What the Dienstzeit window shows of the term on a day, without the window: the free days
    // ahead, the milestones and own dates with their states, the next own date and leave, and
    // the leave outside the service.
    void overviewOnADay_data() {
        QTest::addColumn<QString>("today");
        QTest::addColumn<QString>("freeDays"); // the caption, then the first free day
        QTest::addColumn<QString>("dates");    // each line, "done:" before those done
        QTest::addColumn<QString>("nextDate");
        QTest::addColumn<QString>("nextLeave");
        const QString all = "Noch 150 Tage  So. 31.01.2027|Bergfest  So. 14.02.2027|Gelöbnis  Fr. 12.03.2027|"
                            "Noch 100 Tage  Mo. 22.03.2027|Übung  Mi. 05.05.2027 – Fr. 07.05.2027|"
                            "Letzte Woche  Mi. 23.06.2027|Letzter Tag  Mi. 30.06.2027";
        QTest::newRow("before Christmas")
            << "2026-12-09"
            << "noch 17 freie Tage:|Mo. 21.12.2026  Urlaub" << all << "Gelöbnis in 93 Tagen"
            << "nächster Urlaub: Mo. 21.12.2026 (in 12 Tagen)";
        QTest::newRow("the day before the pledge")
            << "2027-03-11"
            << "noch 6 freie Tage:|Mo. 15.03.2027  Urlaub"
            << "done:✓ Noch 150 Tage  So. 31.01.2027|done:✓ Bergfest  So. 14.02.2027|Gelöbnis  Fr. "
               "12.03.2027|"
               "Noch 100 Tage  Mo. 22.03.2027|Übung  Mi. 05.05.2027 – Fr. 07.05.2027|"
               "Letzte Woche  Mi. 23.06.2027|Letzter Tag  Mi. 30.06.2027"
            << "Gelöbnis in 1 Tag"
            << "nächster Urlaub: Mo. 15.03.2027 (in 4 Tagen)";
        QTest::newRow("inside the exercise")
            << "2027-05-06"
            << "noch 3 freie Tage:|Do. 06.05.2027  Christi Himmelfahrt"
            << "done:✓ Noch 150 Tage  So. 31.01.2027|done:✓ Bergfest  So. 14.02.2027|"
               "done:✓ Gelöbnis  Fr. 12.03.2027|done:✓ Noch 100 Tage  Mo. 22.03.2027|"
               "heute: Übung  Mi. 05.05.2027 – Fr. 07.05.2027|Letzte Woche  Mi. 23.06.2027|"
               "Letzter Tag  Mi. 30.06.2027"
            << "heute: Übung"
            << "";
        QTest::newRow("the last day")
            << "2027-06-30"
            << "keine freien Tage mehr|"
            << "done:✓ Noch 150 Tage  So. 31.01.2027|done:✓ Bergfest  So. 14.02.2027|"
               "done:✓ Gelöbnis  Fr. 12.03.2027|done:✓ Noch 100 Tage  Mo. 22.03.2027|"
               "done:✓ Übung  Mi. 05.05.2027 – Fr. 07.05.2027|done:✓ Letzte Woche  Mi. 23.06.2027|"
               "heute: Letzter Tag  Mi. 30.06.2027"
            << ""
            << "";
    }
    void overviewOnADay() {
        QFETCH(QString, today);
        TestWorld world(today + QStringLiteral(" 10:00:00"));
        buildFromFile({"Urlaub=1.9.2026, 21.12.2026-1.1.2027, 15.3.2027", "", "[Termine]",
                       "12.3.2027=Gelöbnis", "5.5.2027-7.5.2027=Übung"});
        const TermOverview overview = OverviewOn(TermCalendar, Term, dayOf(today));
        QTEST(overview.freeDaysCaption + QLatin1Char('|') + overview.freeDays.value(0), "freeDays");
        QStringList dates;
        for (const OverviewLine& line : overview.dates)
            dates << (line.done ? QStringLiteral("done:") : QString()) + line.text;
        QTEST(dates.join(QLatin1Char('|')), "dates");
        QTEST(overview.nextDate, "nextDate");
        QTEST(overview.nextLeave, "nextLeave");
        QCOMPARE(overview.leaveOutside, QStringLiteral("außerhalb der Dienstzeit: 1.9.2026"));
    }

    // What is typed into a list's box, added as the window adds it: the edges of each kind of
    // entry, what joins and what is refused (the term then as it was).
    void entriesAsTyped_data() {
        QTest::addColumn<TermList>("list");
        QTest::addColumn<QStringList>("typed"); // added one after the other; "text|name" for own dates
        QTest::addColumn<QString>("shown");     // the list afterwards
        QTest::addColumn<QString>("refused");   // the last one's reason, "name:" when the name is to mend
        QTest::newRow("ranges that touch join")
            << TermList::Leave << QStringList{"1.3.2027-5.3.2027", "6.3.2027-10.3.2027"}
            << "1.3.2027-10.3.2027"
            << "";
        QTest::newRow("a day inside a range")
            << TermList::Leave << QStringList{"1.3.2027-5.3.2027", "3.3.2027"} << "1.3.2027-5.3.2027"
            << "";
        QTest::newRow("a gap of a day stays")
            << TermList::DaysOff << QStringList{"1.3.2027", "3.3.2027"} << "1.3.2027|3.3.2027"
            << "";
        QTest::newRow("the same duty twice")
            << TermList::Duty << QStringList{"3.7.2027", "3.7.2027"} << "3.7.2027"
            << "";
        QTest::newRow("duty with times") << TermList::Duty << QStringList{"12.6.2027 7:00-13.6.2027 7:00"}
                                         << "12.6.2027 7:00-13.6.2027 7:00"
                                         << "";
        QTest::newRow("minutes of one digit")
            << TermList::Duty << QStringList{"12.6.2027 7:5-13.6.2027 7:00"} << ""
            << "Datum ungültig: „12.6.2027 7:5-13.6.2027 7:00“ unter Dienst außer der Reihe – einzutragen "
               "als "
               "T.M.JJJJ, T.M.JJJJ-T.M.JJJJ oder T.M.JJJJ h:mm-T.M.JJJJ h:mm.";
        QTest::newRow("a day that is none")
            << TermList::Leave << QStringList{"15.3.2027", "29.2.2027"} << "15.3.2027"
            << "Datum ungültig: „29.2.2027“ unter Urlaub – den Tag „29.2.2027“ gibt es nicht.";
        QTest::newRow("ends before it starts") << TermList::DaysOff << QStringList{"10.3.2027-3.3.2027"} << ""
                                               << "Die dienstfreie Zeit endet vor ihrem ersten Tag!";
        QTest::newRow("an own date over days")
            << TermList::OwnDates << QStringList{"5.5.2027-7.5.2027| Übung "} << "5.5.2027-7.5.2027  Übung"
            << "";
        QTest::newRow("an own date replaced on its days")
            << TermList::OwnDates << QStringList{"12.3.2027|Gelöbnis", "12.3.2027|Vereidigung"}
            << "12.3.2027  Vereidigung"
            << "";
        QTest::newRow("an own date without a name") << TermList::OwnDates << QStringList{"12.3.2027|  "} << ""
                                                    << "name:Bitte geben Sie dem Termin einen Namen!";
    }
    void entriesAsTyped() {
        QFETCH(TermList, list);
        QFETCH(QStringList, typed);
        ServiceTerm term;
        std::optional<TermEntryRefusal> refusal;
        for (const QString& entry : typed) {
            const ServiceTerm before = term;
            refusal = AddTermEntry(term, list, entry.section(QLatin1Char('|'), 0, 0),
                                   entry.section(QLatin1Char('|'), 1));
            if (refusal)
                QCOMPARE(term, before);
        }
        QTEST(EntryTexts(term, list).join(QLatin1Char('|')), "shown");
        QTEST(refusal ? (refusal->inName ? QStringLiteral("name:") : QString()) + refusal->problem
                      : QString(),
              "refused");
    }

    // The leave account's line with the entitlement as typed.
    void leaveAccountLine_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("warning");
        QTest::newRow("none typed, none saved") << ""
                                                << "" << false;
        QTest::newRow("the saved one") << "24"
                                       << "Urlaub: 7 von 24 Tagen verplant, noch 17 Tage" << false;
        QTest::newRow("too little") << "6,5"
                                    << "Urlaub: 7 von 24 Tagen verplant, noch 17 Tage" << false;
        QTest::newRow("not a number")
            << "viel"
            << "Urlaubsanspruch „viel“: bitte eine Zahl von 0 bis 999, ganze oder halbe Tage" << true;
    }
    void leaveAccountLine() {
        QFETCH(QString, typed);
        TestWorld world(QStringLiteral("2026-12-09 10:00:00"));
        buildFromFile(
            {"Urlaub=21.12.2026-1.1.2027, 15.3.2027", typed.isEmpty() ? QString() : "Urlaubsanspruch=24"});
        const LeaveLine line = LeaveAccountLine(TermCalendar, typed);
        QTEST(line.text, "line");
        QTEST(line.warning, "warning");
    }

    void noLeaveAccountWithoutEntitlement() {
        TestWorld world(QStringLiteral("2027-03-01 10:00:00"));
        buildFromFile({"Urlaub=8.3.2027-12.3.2027"});
        QVERIFY(!TermCalendar.leaveAccount());
        QCOMPARE(CalendarDate(*TermCalendar.nextLeaveAfter(dayOf("2027-03-01"))), QDate(2027, 3, 8));
        QVERIFY(!TermCalendar.nextLeaveAfter(dayOf("2027-03-08")));
        buildFromFile({"Urlaubsanspruch=0"});
        QCOMPARE(TermCalendar.leaveAccount()->entitled, 0.0);
        QCOMPARE(TermCalendar.leaveAccount()->planned, 0);
    }
};

QTEST_GUILESS_MAIN(ServiceCalendarTest)
#include "tst_servicecalendar.moc"
