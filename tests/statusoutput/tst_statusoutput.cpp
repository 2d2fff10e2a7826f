// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The status output for bars: its formats at instants of the day, when it next changes,
// and the program's --status as a bar runs it, in a process of its own without a display.
#include "settings/fixedtext.h"
#include "statusoutput/statusline.h"
#include "support/fakes.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QTimeZone>
#include <QtTest>

namespace {

// Duty-time mode, Bavaria, service from 1 October 2026 to Wednesday 30 June 2027, a guard duty in June.
void counterAt(TestWorld& world, const QString& instant, qint16 unit = Unit::Days, int dutyTimeOnly = 1) {
    world.clock.set(instant);
    SettingsRecord record = SampleSettings();
    SetText(&SettingsRecord::Pgr, record, QStringLiteral("30.06.2027"));
    record.Anzeige = unit;
    record.nd = qint16(dutyTimeOnly);
    WriteSettingsFile(record);
    Settings = record;
    WriteServiceFile({"Beginn=1.10.2026", "Bundesland=BY", "Dienst=12.6.2027 7:00-13.6.2027 7:00"});
    LoadServiceTerm();
}

// A term with every kind of change: duty-time mode, Bavaria, service from 1 October 2026 to
// Wednesday 30 June 2027 (both clock changes inside), leave, a day off, an exercise week, a night
// guard ending at the usual start of duty and a guard duty over a weekend.
const QStringList busyTerm{"Beginn=1.10.2026", "Bundesland=BY", "Urlaub=21.12.2026-1.1.2027, 15.3.2027",
                           "Dienstfrei=2.4.2027",
                           "Dienst=12.6.2027 7:00-13.6.2027 7:00, 10.6.2027 20:00-11.6.2027 7:00, "
                           "10.5.2027-14.5.2027, 27.3.2027 22:00-28.3.2027 6:00"};
// The wall-clock instants of the busy term's duty periods, where its output changes.
const QStringList busyTermPeriodBounds{"2027-06-12 07:00:00", "2027-06-13 07:00:00", "2027-06-10 20:00:00",
                                       "2027-06-11 07:00:00", "2027-05-10 07:00:00", "2027-05-14 12:00:00",
                                       "2027-03-27 22:00:00", "2027-03-28 06:00:00"};

// The instant the zone's wall clock reads "yyyy-MM-dd hh:mm:ss".
QDateTime wallClock(const QString& text, const QTimeZone& zone) {
    const QDateTime read = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    return QDateTime(read.date(), read.time(), zone);
}

// Every instant where the output may change, as a user would list them, and a second either side:
// midnight, the start and end of duty, the duty periods' bounds, the zone's clock changes; and
// random instants, drawn from the generator.
QList<QDateTime> checkInstants(const QDateTime& from, const QDateTime& to, QRandomGenerator& random) {
    QList<QDateTime> instants;
    const QTimeZone zone = from.timeZone();
    QList<QDateTime> points;
    for (QDate day = from.date(); day <= to.date(); day = day.addDays(1))
        for (const char* time : {"00:00:00", "07:00:00", "16:30:00", "12:00:00"})
            points << QDateTime(day, QTime::fromString(QString::fromLatin1(time)), zone);
    for (const QString& bound : busyTermPeriodBounds)
        points << wallClock(bound, zone);
    for (const QTimeZone::OffsetData& change : zone.transitions(from, to))
        points << change.atUtc.toTimeZone(zone);
    for (const QDateTime& point : points)
        for (int offset : {-1, 0, 1})
            instants << point.addSecs(offset);
    const qint64 span = from.secsTo(to);
    for (int i = 0; i < 2000; ++i)
        instants << from.addSecs(qint64(random.bounded(double(span)))).toTimeZone(zone);
    instants.removeIf(
        [&](const QDateTime& instant) { return !instant.isValid() || instant < from || instant >= to; });
    return instants;
}

QString programPath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/pilgrast");
}

// The program as a bar starts it: in the folder, with no display and no session bus.
void prepare(QProcess& process) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS"})
        environment.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QDir::currentPath());
}

struct Run {
    int exitStatus;
    QString out, err;
};

Run run(const QStringList& arguments, const QString& configHome = {}) {
    QProcess process;
    prepare(process);
    if (!configHome.isEmpty()) {
        QProcessEnvironment environment = process.processEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
        process.setProcessEnvironment(environment);
    }
    process.start(programPath(), arguments);
    if (!process.waitForFinished(10000)) {
        process.kill();
        return {-1, {}, {}};
    }
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// The libraries of the windows, which no job of the command line that needs none may load.
const QRegularExpression windowLibrary(QStringLiteral("libQt6(Gui|Widgets|DBus)\\.so"));

struct Job {
    Run run;
    bool windowLibrariesLoaded;
};

// A job of the command line, as run() does it, also telling whether it loaded a library of
// the windows: the dynamic loader reports each file it loads; a follower, which does not end
// by itself, is looked at while it runs, after its first line, and then ended.
Job runJob(const QString& program, const QStringList& arguments) {
    QProcess process;
    prepare(process);
    QProcessEnvironment environment = process.processEnvironment();
    environment.insert(QStringLiteral("LD_DEBUG"), QStringLiteral("files"));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (arguments.contains(QStringLiteral("--follow"))) {
        QDeadlineTimer deadline(5000);
        while (!process.canReadLine() && !deadline.hasExpired())
            process.waitForReadyRead(100);
        QFile maps(QStringLiteral("/proc/%1/maps").arg(process.processId()));
        const bool loaded =
            maps.open(QIODevice::ReadOnly) && QString::fromUtf8(maps.readAll()).contains(windowLibrary);
        const QString firstLine = QString::fromUtf8(process.readLine());
        process.kill();
        process.waitForFinished();
        return {{firstLine.isEmpty() ? -1 : 0, firstLine, {}}, loaded};
    }
    if (!process.waitForFinished(10000)) {
        process.kill();
        return {{-1, {}, {}}, false};
    }
    QStringList messages;
    bool loaded = false;
    for (const QString& line : QString::fromUtf8(process.readAllStandardError()).split(QLatin1Char('\n'))) {
        if (line.contains(QStringLiteral("file=")))
            loaded = loaded || line.contains(windowLibrary);
        else if (!line.isEmpty() && !line.startsWith(QLatin1Char(' ')))
            messages << line; // the loader's own lines start with blanks and its process number
    }
    return {{process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
             messages.join(QLatin1Char('\n'))},
            loaded};
}

// A calendar file without the instant it was written.
QString withoutStamps(QString calendar) {
    return calendar.remove(QRegularExpression(QStringLiteral("DTSTAMP:[^\n]*\n")));
}

} // namespace

class StatusOutputTest : public QObject {
    Q_OBJECT
private slots:
    // Each format at instants on duty, off duty, on a free day, in a duty period and after the end.
    void formats_data() {
        QTest::addColumn<QString>("instant");
        QTest::addColumn<QString>("countsAt"); // the instant whose plain counts are shown
        QTest::addColumn<QString>("status");
        QTest::newRow("on duty") << "2027-05-05 10:00:00"
                                 << "2027-05-05 10:00:00"
                                 << "dienst";
        QTest::newRow("off duty") << "2027-05-05 20:00:00"
                                  << "2027-05-07 07:00:00"
                                  << "frei";
        QTest::newRow("a free day") << "2027-05-06 12:00:00"
                                    << "2027-05-07 07:00:00"
                                    << "frei";
        QTest::newRow("in a duty period") << "2027-06-13 03:00:00"
                                          << "2027-06-13 03:00:00"
                                          << "dienst";
        QTest::newRow("after the end") << "2027-07-01 10:00:00"
                                       << "2027-07-01 10:00:00"
                                       << "ende";
    }
    void formats() {
        QFETCH(QString, instant);
        QFETCH(QString, countsAt);
        QFETCH(QString, status);
        TestWorld world;
        counterAt(world, instant);
        OffDutyShown = True; // the main window's standing counts are on screen
        const CountReport report = FreshCounterView().report;
        QCOMPARE(OffDutyShown, True); // a fresh count for the bar leaves them standing
        const QString days = PlainCountsAt(world.clock, countsAt).at(1);
        const QString figure =
            (days.toInt() < 0 ? QString::number(days.toInt()) : days) + QStringLiteral(" Tage");
        QCOMPARE(StatusOutput(report, StatusFormat::Text), figure + QLatin1Char('\n'));
        QCOMPARE(StatusOutput(report, StatusFormat::I3blocks), figure + QLatin1Char('\n') +
                                                                   figure.section(QLatin1Char(' '), 0, 0) +
                                                                   QStringLiteral("\n\n"));
        QCOMPARE(StatusOutput(report, StatusFormat::I3blocks, true), figure + QLatin1Char('\n'));

        const QString json = StatusOutput(report, StatusFormat::Json);
        QCOMPARE(json.count(QLatin1Char('\n')), 1);
        QJsonParseError error{};
        const QJsonObject object = QJsonDocument::fromJson(json.toUtf8(), &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(object.keys(), (QStringList{"alt", "class", "percentage", "text", "tooltip"}));
        QCOMPARE(object.value("text").toString(), figure);
        QCOMPARE(object.value("class").toString(), status);
        QCOMPARE(object.value("alt").toString(), status);
        QCOMPARE(object.value("percentage").toInt(), SharePercent(*report.share));
        if (status == QLatin1String("ende"))
            QCOMPARE(report.days, std::optional<qint64>(0)); // the dock and notifications never go below zero
        const QStringList tooltip = object.value("tooltip").toString().split(QLatin1Char('\n'));
        QCOMPARE(tooltip.mid(0, 3),
                 (QStringList{"Pilgrast Counter", figure, "Pilgrast: 30.06.2027 16:30 Uhr"}));
        QCOMPARE(tooltip.size(), 4);

        const QString genmon = StatusOutput(report, StatusFormat::Genmon);
        QVERIFY(genmon.startsWith(QStringLiteral("<txt>%1</txt><tool>Pilgrast Counter\n%1\n").arg(figure)));
        QVERIFY(genmon.endsWith(QStringLiteral("</tool><bar>%1</bar>\n").arg(SharePercent(*report.share))));
    }

    // Without a start of service there is no share: no percentage, no bar.
    void withoutStart() {
        TestWorld world;
        counterAt(world, QStringLiteral("2027-05-05 10:00:00"));
        WriteServiceFile({"Bundesland=BY"});
        LoadServiceTerm();
        const CountReport report = FreshCounterView().report;
        QVERIFY(!QJsonDocument::fromJson(StatusOutput(report, StatusFormat::Json).toUtf8())
                     .object()
                     .contains(QStringLiteral("percentage")));
        QVERIFY(!StatusOutput(report, StatusFormat::Genmon).contains(QStringLiteral("<bar>")));
        QCOMPARE(ReadStatusFormat(QStringLiteral("xml")), std::nullopt);
    }

    // The output wakes no more often than it can change.
    void nextChange_data() {
        QTest::addColumn<QString>("instant");
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("dutyTimeOnly");
        QTest::addColumn<QString>("next");
        QTest::newRow("seconds, on duty")
            << "2027-05-05 10:00:00" << int(Unit::Seconds) << 1 << "2027-05-05 10:00:01";
        QTest::newRow("minutes, on duty")
            << "2027-05-05 10:00:30" << int(Unit::Minutes) << 1 << "2027-05-05 10:01:00";
        QTest::newRow("hours, on duty")
            << "2027-05-05 10:20:00" << int(Unit::Hours) << 1 << "2027-05-05 11:00:00";
        QTest::newRow("seconds, standing to the next start")
            << "2027-05-05 20:00:00" << int(Unit::Seconds) << 1 << "2027-05-06 00:00:00";
        QTest::newRow("seconds, standing in the night: the start of duty")
            << "2027-05-05 02:00:00" << int(Unit::Seconds) << 1 << "2027-05-05 07:00:00";
        QTest::newRow("days, on duty: the end of duty")
            << "2027-05-05 15:00:00" << int(Unit::Days) << 1 << "2027-05-05 16:30:00";
        QTest::newRow("days, in the guard's night: its end")
            << "2027-06-13 03:00:00" << int(Unit::Days) << 1 << "2027-06-13 07:00:00";
        QTest::newRow("days, simple mode: midnight or the next per cent")
            << "2027-05-05 20:00:00" << int(Unit::Days) << 0 << "2027-05-06 00:00:00";
        QTest::newRow("days, the next whole per cent")
            << "2027-05-07 04:30:00" << int(Unit::Days) << 0 << "2027-05-07 05:00:00";
    }
    void nextChange() {
        QFETCH(QString, instant);
        QFETCH(int, unit);
        QFETCH(int, dutyTimeOnly);
        TestWorld world;
        counterAt(world, instant, qint16(unit), dutyTimeOnly);
        const CounterView view = FreshCounterView();
        const DateValue next = NextChangeAt(view, Now());
        const qint64 day = qint64(std::floor(next));
        const QString shown =
            QDateTime(CalendarDate(day), QTime(0, 0).addSecs(int(std::lround((next - day) * 86400))))
                .toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        QTEST(shown, "next");
    }

    // Followed over a span of simulated time, the bar shows at every second what --status would
    // print at that second: the follower never sleeps past a change.
    void followedIsTheStatus_data() {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("dutyTimeOnly");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        const QString serviceFrom = QStringLiteral("2026-09-30 12:00:00");
        const QString serviceTo = QStringLiteral("2027-07-02 12:00:00");
        QTest::newRow("Berlin, minutes, duty time, the whole service")
            << QByteArray("Europe/Berlin") << int(Unit::Minutes) << 1 << serviceFrom << serviceTo;
        QTest::newRow("Berlin, days, duty time, the whole service")
            << QByteArray("Europe/Berlin") << int(Unit::Days) << 1 << serviceFrom << serviceTo;
        QTest::newRow("Berlin, hours, every hour, the whole service")
            << QByteArray("Europe/Berlin") << int(Unit::Hours) << 0 << serviceFrom << serviceTo;
        QTest::newRow("Tokyo, minutes, duty time, the whole service")
            << QByteArray("Asia/Tokyo") << int(Unit::Minutes) << 1 << serviceFrom << serviceTo;
        QTest::newRow("Berlin, seconds, every second, the autumn night")
            << QByteArray("Europe/Berlin") << int(Unit::Seconds) << 0 << "2026-10-24 23:00:00"
            << "2026-10-25 04:00:00";
        QTest::newRow("Berlin, seconds, duty time, the spring night's guard")
            << QByteArray("Europe/Berlin") << int(Unit::Seconds) << 1 << "2027-03-27 21:00:00"
            << "2027-03-28 07:00:00";
        QTest::newRow("Berlin, seconds, duty time, a duty day")
            << QByteArray("Europe/Berlin") << int(Unit::Seconds) << 1 << "2027-03-11 06:00:00"
            << "2027-03-11 17:00:00";
        QTest::newRow("Berlin, seconds, duty time, the night guard into the day")
            << QByteArray("Europe/Berlin") << int(Unit::Seconds) << 1 << "2027-06-10 19:00:00"
            << "2027-06-11 17:00:00";
    }
    void followedIsTheStatus() {
        QFETCH(QByteArray, zone);
        QFETCH(int, unit);
        QFETCH(int, dutyTimeOnly);
        const QTimeZone timeZone(zone);
        QVERIFY2(timeZone.isValid(), zone.constData());
        QFETCH(QString, from);
        QFETCH(QString, to);
        const QDateTime start = wallClock(from, timeZone), end = wallClock(to, timeZone);
        TestWorld world;
        counterAt(world, from, qint16(unit), dutyTimeOnly);
        WriteServiceFile(busyTerm);
        world.clock.now = start;
        LoadServiceTerm();

        // The follower's lines and wake-ups, as it runs.
        std::vector<qint64> wakes;
        QStringList lines;
        for (QDateTime now = start; now < end;) {
            world.clock.now = now;
            const FollowedStatus status = FollowedStatusNow(StatusFormat::Json);
            QVERIFY2(status.wakeAt > now, qPrintable(now.toString(Qt::ISODate)));
            wakes.push_back(now.toMSecsSinceEpoch());
            lines << status.text;
            now = status.wakeAt;
        }
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        for (const QDateTime& instant : checkInstants(start, end, random)) {
            world.clock.now = instant;
            const qsizetype shown =
                std::upper_bound(wakes.begin(), wakes.end(), instant.toMSecsSinceEpoch()) - wakes.begin() - 1;
            const QString status = StatusOutput(FreshCounterView().report, StatusFormat::Json);
            QVERIFY2(lines.at(shown) == status,
                     qPrintable(QStringLiteral("at %1 (seed %2): shown %3 %4, --status %5")
                                    .arg(instant.toString(Qt::ISODateWithMs))
                                    .arg(seed)
                                    .arg(QDateTime::fromMSecsSinceEpoch(wakes[size_t(shown)], timeZone)
                                             .toString(Qt::ISODate),
                                         lines.at(shown), status)));
        }
    }

    // As a bar runs it: no display, no session bus, nothing written, exit statuses by cause.
    void program() {
        TestWorld world;
        counterAt(world, QStringLiteral("2027-05-05 10:00:00"));
        const Run text = run({QStringLiteral("--status")});
        QCOMPARE(text.exitStatus, 0);
        QVERIFY2(QRegularExpression(QStringLiteral("^-?\\d+ Tage\n$")).match(text.out).hasMatch(),
                 qPrintable(text.out));
        QCOMPARE(text.err, QString());
        const Run json = run({QStringLiteral("--status=json")});
        QCOMPARE(json.exitStatus, 0);
        QVERIFY(QJsonDocument::fromJson(json.out.toUtf8()).isObject());
        QCOMPARE(QDir::current().entryList(QDir::Files | QDir::Hidden).size(), 2); // pgr.dat, pilgrast.ini

        const Run unknown = run({QStringLiteral("--status=xml")});
        QCOMPARE(unknown.exitStatus, 1);
        QCOMPARE(unknown.out, QString());
        QCOMPARE(unknown.err.count(QLatin1Char('\n')), 1);
        QVERIFY(unknown.err.contains(QStringLiteral("„xml“")));
        QCOMPARE(run({QStringLiteral("--status"), QStringLiteral("--bunt")}).exitStatus, 2);
        QCOMPARE(run({QStringLiteral("--follow")}).exitStatus, 2);

        QFile::remove(QStringLiteral("pgr.dat"));
        const Run missing = run({QStringLiteral("--status")});
        QCOMPARE(missing.exitStatus, 1);
        QCOMPARE(missing.out, QString());
        QVERIFY(missing.err.contains(QStringLiteral("pgr.dat")));
        QCOMPARE(missing.err.count(QLatin1Char('\n')), 1);
        QVERIFY(!QFile::exists(QStringLiteral("pgr.dat")));
    }

    // A job typed in a folder without settings finds those the menu entry saved; a folder in
    // the settings' place, a full disk and standard output are told apart.
    void commandLineFindsTheSettings() {
        TestWorld world;
        counterAt(world, QStringLiteral("2027-05-05 10:00:00"));
        const QString expected = run({QStringLiteral("--status")}).out;
        QVERIFY(expected.endsWith(QStringLiteral(" Tage\n")));
        QVERIFY(QDir().mkpath(QStringLiteral("config/pilgrast")));
        for (const char* file : {"pgr.dat", "pilgrast.ini"})
            QVERIFY(QFile::rename(QString::fromLatin1(file),
                                  QStringLiteral("config/pilgrast/") + QLatin1String(file)));
        const QString configHome = QDir::current().filePath(QStringLiteral("config"));
        QCOMPARE(run({QStringLiteral("--status")}, configHome).out, expected);
        const Run picture = run({QStringLiteral("--export-png"), QStringLiteral("-")}, configHome);
        QCOMPARE(picture.exitStatus, 0);
        QCOMPARE(picture.out.mid(1, 3), QStringLiteral("PNG"));
        QVERIFY(!QFile::exists(QStringLiteral("-")));
        // The settings folder is only read: asked for where there is none, none is made.
        const QString emptyHome = QDir::current().filePath(QStringLiteral("leer"));
        QCOMPARE(run({QStringLiteral("--user-folder"), QStringLiteral("--status")}, emptyHome).exitStatus, 1);
        QVERIFY(!QFileInfo::exists(emptyHome + QStringLiteral("/pilgrast")));

        QVERIFY(QDir().mkdir(QStringLiteral("pgr.dat")));
        const Run folder = run({QStringLiteral("--status")}, configHome);
        QCOMPARE(folder.exitStatus, 1);
        QVERIFY2(folder.err.contains(QStringLiteral("an ihrer Stelle steht ein Ordner")),
                 qPrintable(folder.err));
        QVERIFY(QDir().rmdir(QStringLiteral("pgr.dat")));

        QProcess full;
        prepare(full);
        QProcessEnvironment environment = full.processEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
        full.setProcessEnvironment(environment);
        full.setStandardOutputFile(QStringLiteral("/dev/full"));
        full.start(programPath(), {QStringLiteral("--status")});
        QVERIFY(full.waitForFinished(10000));
        QCOMPARE(full.exitCode(), 1);
        QVERIFY2(QString::fromUtf8(full.readAllStandardError())
                     .contains(QStringLiteral("der Datenträger ist voll")),
                 "no cause");

        QProcess closed;
        prepare(closed);
        closed.setProcessEnvironment(environment);
        closed.start(QStringLiteral("sh"),
                     {QStringLiteral("-c"), QStringLiteral("'%1' --export-ics - >&-").arg(programPath())});
        QVERIFY(closed.waitForFinished(10000));
        QCOMPARE(closed.exitCode(), 1);
        const QString closedCause = QString::fromUtf8(closed.readAllStandardError());
        QVERIFY2(closedCause.contains(QStringLiteral("die Ausgabe ist geschlossen")),
                 qPrintable(closedCause));
    }

    // The status, its follower and the calendar file load no library of the windows and need
    // not their module: the program alone does them alike. The picture and the code need it
    // and say so without it.
    void jobsWithoutWindows_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("status") << QStringList{QStringLiteral("--status")} << false;
        QTest::newRow("json") << QStringList{QStringLiteral("--status=json")} << false;
        QTest::newRow("follow") << QStringList{QStringLiteral("--status=i3blocks"),
                                               QStringLiteral("--follow")}
                                << false;
        QTest::newRow("calendar file")
            << QStringList{QStringLiteral("--export-ics"), QStringLiteral("-")} << false;
        QTest::newRow("picture") << QStringList{QStringLiteral("--export-png"), QStringLiteral("-")} << true;
        QTest::newRow("code") << QStringList{QStringLiteral("--export-qr"), QStringLiteral("-")} << true;
    }

    void jobsWithoutWindows() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, drawn);
        TestWorld world;
        counterAt(world, QStringLiteral("2027-05-05 10:00:00"));
        const Job installed = runJob(programPath(), arguments);
        QCOMPARE(installed.run.exitStatus, 0);
        QVERIFY(!installed.run.out.isEmpty());
        QCOMPARE(installed.windowLibrariesLoaded, drawn);

        QTemporaryDir alone;
        const QString program = alone.filePath(QStringLiteral("pilgrast"));
        QVERIFY(QFile::copy(programPath(), program));
        const Job withoutModule = runJob(program, arguments);
        if (drawn) {
            QCOMPARE(withoutModule.run.exitStatus, 1);
            QCOMPARE(withoutModule.run.out, QString());
            QVERIFY2(withoutModule.run.err.startsWith(
                         QStringLiteral("pilgrast: Die Fenster lassen sich nicht laden")),
                     qPrintable(withoutModule.run.err));
            QCOMPARE(withoutModule.run.err.count(QLatin1Char('\n')), 0);
        } else {
            QCOMPARE(installed.run.err, QString());
            QCOMPARE(withoutModule.run.exitStatus, 0);
            QCOMPARE(withoutStamps(withoutModule.run.out), withoutStamps(installed.run.out));
            QVERIFY(!withoutModule.windowLibrariesLoaded);
        }
    }

    // Followed, a line comes with each change, and the program ends when its reader goes.
    void follow() {
        TestWorld world;
        counterAt(world, QStringLiteral("2027-05-05 10:00:00"), Unit::Seconds, 0); // changes every second
        QProcess process;
        prepare(process);
        process.start(programPath(), {QStringLiteral("--status"), QStringLiteral("--follow")});
        QVERIFY(process.waitForStarted());
        QStringList lines;
        QDeadlineTimer deadline(5000);
        while (lines.size() < 3 && !deadline.hasExpired() && process.waitForReadyRead(2000))
            while (process.canReadLine())
                lines << QString::fromUtf8(process.readLine()).trimmed();
        QVERIFY2(lines.size() >= 3, qPrintable(lines.join(QLatin1Char('|'))));
        QVERIFY(lines[0] != lines[1] && lines[1] != lines[2]);
        QCOMPARE(lines[1].section(QLatin1Char(' '), 0, 0).toLongLong(),
                 lines[0].section(QLatin1Char(' '), 0, 0).toLongLong() - 1);

        // A change of the settings shows at once: the unit.
        SettingsRecord record = Settings;
        record.Anzeige = Unit::Days;
        WriteSettingsFile(record);
        QByteArray later;
        QTRY_VERIFY2_WITH_TIMEOUT((later += process.readAll()).contains(" Tage\n"),
                                  later.right(200).constData(), 3000);

        process.kill();
        process.waitForFinished();

        // A pilgrast.ini made while it follows counts at once, not at the next change (midnight, in days).
        QFile::remove(QStringLiteral("pilgrast.ini"));
        QProcess json;
        prepare(json);
        json.start(programPath(), {QStringLiteral("--status=json"), QStringLiteral("--follow")});
        QVERIFY(json.waitForReadyRead(5000));
        QByteArray followed = json.readAll();
        QVERIFY2(!followed.contains("percentage"), followed.constData());
        WriteServiceFile({"Beginn=1.10.2026"});
        QTRY_VERIFY2_WITH_TIMEOUT((followed += json.readAll()).contains("\"percentage\""),
                                  followed.constData(), 5000);
        json.kill();
        json.waitForFinished();

        // A reader that goes is noticed at once, not at the next change (midnight, in days).
        QProcess pipeline;
        prepare(pipeline);
        pipeline.start(
            QStringLiteral("sh"),
            {QStringLiteral("-c"), QStringLiteral("'%1' --status --follow | head -n 1").arg(programPath())});
        QVERIFY(pipeline.waitForFinished(3000));
        QVERIFY(pipeline.readAll().endsWith(" Tage\n"));
        QCOMPARE(pipeline.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(StatusOutputTest)
#include "tst_statusoutput.moc"
