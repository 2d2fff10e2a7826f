// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "services/programerror.h"
#include "serviceterm/inifile.h"
#include "serviceterm/serviceterm.h"
#include "support/fakes.h"

#include <QSettings>
#include <QtTest>

Q_DECLARE_METATYPE(ServiceKind)

namespace {

QByteArray fileContent() {
    QFile file(QStringLiteral("pilgrast.ini"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

ServiceTerm sampleTerm() {
    ServiceTerm term;
    term.start = QDate(2026, 10, 1);
    term.region = QStringLiteral("DE-BY");
    term.leave = {{QDate(2026, 12, 21), QDate(2027, 1, 1)}, {QDate(2027, 3, 15), QDate(2027, 3, 15)}};
    return term;
}

} // namespace

class ServiceFileTest : public QObject {
    Q_OBJECT
private slots:
    void missingFileSetsNothing() {
        TestWorld world;
        Term = sampleTerm();
        QCOMPARE(ReadServiceTerm(), QString());
        QCOMPARE(Term, ServiceTerm{});
        QVERIFY(!QFile::exists(QStringLiteral("pilgrast.ini")));
    }

    void readsTheKeys() {
        TestWorld world;
        WriteServiceFile({"Beginn=1.10.2026", "Bundesland=BY", "Urlaub=21.12.2026-1.1.2027, 15.3.2027"});
        QCOMPARE(ReadServiceTerm(), QString());
        QCOMPARE(Term, sampleTerm());
    }

    // Each value that cannot be used is named with its key; everything else applies.
    void badValues_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("named");
        QTest::addColumn<bool>("startKept");
        QTest::addColumn<QString>("regionKept");
        QTest::addColumn<int>("leaveKept");
        QTest::newRow("start not a date")
            << QStringList{"Beginn=32.13.2026", "Bundesland=BY", "Urlaub=15.3.2027"} << "Beginn=32.13.2026"
            << false << "DE-BY" << 1;
        QTest::newRow("start with a time") << QStringList{"Beginn=1.10.2026 07:00", "Bundesland=BY"}
                                           << "Beginn=1.10.2026 07:00" << false << "DE-BY" << 0;
        QTest::newRow("no such canton") << QStringList{"Bundesland=CH-XY", "Dienstart=Soldat auf Zeit"}
                                        << "Bundesland=CH-XY" << false << "" << 0;
        QTest::newRow("unknown kind") << QStringList{"Bundesland=AT-9", "Dienstart=Marine"}
                                      << "Dienstart=Marine" << false << "AT-9" << 0;
        QTest::newRow("a local day the state has not")
            << QStringList{"Bundesland=DE-BY", "Ortsfeiertage=friedensfest, fronleichnam"}
            << "Ortsfeiertage=fronleichnam" << false << "DE-BY" << 0;
        QTest::newRow("a third of a day") << QStringList{"Bundesland=BY", "Urlaubsanspruch=27,3"}
                                          << "Urlaubsanspruch=27,3" << false << "DE-BY" << 0;
        QTest::newRow("unknown state")
            << QStringList{"Beginn=1.10.2026", "Bundesland=Bayern"} << "Bundesland=Bayern" << true << "" << 0;
        QTest::newRow("leave ends before it starts")
            << QStringList{"Beginn=1.10.2026", "Urlaub=15.3.2027, 10.5.2027-3.5.2027, 1.6.2027"}
            << "Urlaub=10.5.2027-3.5.2027" << true << "" << 2;
        QTest::newRow("leave not a date")
            << QStringList{"Urlaub=15.3.2027, Ostern"} << "Urlaub=Ostern" << false << "" << 1;
    }
    void badValues() {
        QFETCH(QStringList, lines);
        TestWorld world;
        WriteServiceFile(lines);
        const QByteArray before = fileContent();
        const QString message = ReadServiceTerm();
        QFETCH(QString, named);
        QVERIFY2(message.contains(QDir::current().absoluteFilePath(QStringLiteral("pilgrast.ini"))),
                 qPrintable(message));
        QVERIFY2(message.contains(named), qPrintable(message));
        QCOMPARE(message.count(QLatin1Char('=')), 1); // one value named
        QFETCH(bool, startKept);
        QFETCH(QString, regionKept);
        QFETCH(int, leaveKept);
        QCOMPARE(Term.start.isValid(), startKept);
        QCOMPARE(Term.region, regionKept);
        QCOMPARE(Term.leave.size(), leaveKept);
        QCOMPARE(fileContent(), before); // not rewritten by reading
    }

    void unreadableFile_data() {
        QTest::addColumn<QString>("cause");
        QTest::newRow("a folder in its place") << "an ihrer Stelle steht ein Ordner";
        QTest::newRow("input/output error") << "Ein-/Ausgabefehler des Datenträgers";
    }
    void unreadableFile() {
        QFETCH(QString, cause);
        TestWorld world;
        if (cause.startsWith(QStringLiteral("an ihrer")))
            QVERIFY(QDir().mkdir(QStringLiteral("pilgrast.ini")));
        else
            QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), QStringLiteral("pilgrast.ini")));
        const QString message = ReadServiceTerm();
        QCOMPARE(message, QStringLiteral("Die Dienstzeitdatei „%1“ kann nicht gelesen werden: %2.")
                              .arg(QDir::current().absoluteFilePath(QStringLiteral("pilgrast.ini")), cause));
        QCOMPARE(Term, ServiceTerm{});
    }

    // What is saved reads back the same, also through QSettings, and the user's other lines stay.
    void saveKeepsTheRest() {
        TestWorld world;
        QFile file(QStringLiteral("pilgrast.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("; meine Dienstzeit\n[Dienstzeit]\nBeginn=1.1.2026\nNotiz=Kaserne\n\n[Anderes]\nA=1\n");
        file.close();
        WriteServiceTerm(sampleTerm());
        QCOMPARE(Term, sampleTerm());
        Term = {};
        QCOMPARE(ReadServiceTerm(), QString());
        QCOMPARE(Term, sampleTerm());
        const QByteArray saved = fileContent();
        QVERIFY(saved.startsWith("; meine Dienstzeit\n"));
        QVERIFY(saved.contains("Urlaub=21.12.2026-1.1.2027, 15.3.2027\n"));

        const QSettings settings(QStringLiteral("pilgrast.ini"), QSettings::IniFormat);
        QCOMPARE(settings.value("Dienstzeit/Beginn").toString(), QStringLiteral("1.10.2026"));
        QCOMPARE(settings.value("Dienstzeit/Bundesland").toString(), QStringLiteral("DE-BY"));
        QCOMPARE(settings.value("Dienstzeit/Urlaub").toStringList(),
                 (QStringList{"21.12.2026-1.1.2027", "15.3.2027"}));
        QCOMPARE(settings.value("Dienstzeit/Notiz").toString(), QStringLiteral("Kaserne"));
        QCOMPARE(settings.value("Anderes/A").toString(), QStringLiteral("1"));
    }

    // A file as QSettings writes it, quotes and all.
    void readsWhatQSettingsWrites() {
        TestWorld world;
        {
            QSettings settings(QStringLiteral("pilgrast.ini"), QSettings::IniFormat);
            settings.setValue("Dienstzeit/Beginn", "1.10.2026");
            settings.setValue("Dienstzeit/Bundesland", "BY");
            settings.setValue("Dienstzeit/Urlaub", "21.12.2026-1.1.2027, 15.3.2027");
        }
        QVERIFY(fileContent().contains('"'));
        QCOMPARE(ReadServiceTerm(), QString());
        QCOMPARE(Term, sampleTerm());
    }

    void failedSaveKeepsTheOldFile() {
        TestWorld world;
        WriteServiceFile({"Beginn=1.1.2026"});
        const QByteArray before = fileContent();
        QCOMPARE(ReadServiceTerm(), QString());
        const ServiceTerm previous = Term;
        const WriteProtected protection(QDir::currentPath());
        if (!protection.active())
            QSKIP("the folder cannot be write-protected here");
        try {
            WriteServiceTerm(sampleTerm());
            QFAIL("the save was reported as done");
        } catch (const ProgramError& error) {
            QCOMPARE(error.description(),
                     QStringLiteral(
                         "Die Dienstzeitdatei „%1“ kann nicht gespeichert werden: Zugriff verweigert, es "
                         "fehlt die Berechtigung.")
                         .arg(QDir::current().absoluteFilePath(QStringLiteral("pilgrast.ini"))));
        }
        QCOMPARE(Term, previous);
        QCOMPARE(fileContent(), before);
    }

    void leaveTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("read");
        QTest::newRow("one day") << "15.3.2027"
                                 << "15.3.2027";
        QTest::newRow("padded digits") << " 05.03.2027 - 07.03.2027 "
                                       << "5.3.2027-7.3.2027";
        QTest::newRow("one-day range") << "5.3.2027-5.3.2027"
                                       << "5.3.2027";
        QTest::newRow("reversed") << "7.3.2027-5.3.2027"
                                  << "";
        QTest::newRow("29 February") << "29.2.2027"
                                     << "";
        QTest::newRow("leap day") << "29.2.2028"
                                  << "29.2.2028";
        QTest::newRow("three ends") << "1.3.2027-2.3.2027-3.3.2027"
                                    << "";
        QTest::newRow("two-digit year") << "1.3.27"
                                        << "";
    }
    void leaveTexts() {
        QFETCH(QString, text);
        QFETCH(QString, read);
        const std::optional<DayRange> period = ReadDayRange(text);
        QCOMPARE(period ? DayRangeText(*period) : QString(), read);
    }

    // Duty entries in their three forms, and what is none.
    void dutyTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("read");
        QTest::addColumn<bool>("endsBeforeStart");
        QTest::newRow("a day") << "3.7.2027"
                               << "3.7.2027" << false;
        QTest::newRow("days") << " 10.05.2027 - 14.5.2027 "
                              << "10.5.2027-14.5.2027" << false;
        QTest::newRow("with times") << "12.6.2027 07:00-13.6.2027 7:00"
                                    << "12.6.2027 7:00-13.6.2027 7:00" << false;
        QTest::newRow("within a day") << "16.6.2027 18:00-16.6.2027 22:30"
                                      << "16.6.2027 18:00-16.6.2027 22:30" << false;
        QTest::newRow("ends when it starts") << "16.6.2027 18:00-16.6.2027 18:00"
                                             << "" << true;
        QTest::newRow("days reversed") << "14.5.2027-10.5.2027"
                                       << "" << true;
        QTest::newRow("one time only") << "12.6.2027 7:00-13.6.2027"
                                       << "" << false;
        QTest::newRow("a day with a time") << "3.7.2027 7:00"
                                           << "" << false;
        QTest::newRow("no such hour") << "12.6.2027 24:00-13.6.2027 7:00"
                                      << "" << false;
        QTest::newRow("a word") << "Wache"
                                << "" << false;
    }
    void dutyTexts() {
        QFETCH(QString, text);
        QFETCH(QString, read);
        QFETCH(bool, endsBeforeStart);
        const DutyEntryReading reading = ReadDutyEntry(text);
        QCOMPARE(reading.entry ? DutyEntryText(*reading.entry) : QString(), read);
        if (!reading.entry)
            QCOMPARE(reading.problem == DutyEntryProblem::EndsBeforeStart, endsBeforeStart);
    }

    // The file as a person writes it: blanks around keys and groups, comments, blank entries,
    // a key twice, a group after the one read.
    void asAPersonWritesIt() {
        TestWorld world;
        QFile file(QStringLiteral("pilgrast.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("; meine Dienstzeit\n"
                   "  [Dienstzeit]  \n"
                   "  Beginn = 1.10.2026 \n"
                   "Bundesland=DE-BY\n"
                   "; Urlaub=1.1.2027\n"
                   "Urlaub=15.3.2027, , 21.12.2026-1.1.2027,\n"
                   "Urlaubsanspruch = 24\n"
                   "Urlaubsanspruch = 26\n"
                   "[Anderes]\n"
                   "Dienst=1.1.2027\n"
                   "[Termine]\n"
                   " 12.3.2027 = Gelöbnis \n"
                   "5.5.2027-7.5.2027=\"Übung, Wildflecken\"\n");
        file.close();
        QCOMPARE(ReadServiceTerm(), QString());
        QCOMPARE(Term.start, QDate(2026, 10, 1));
        QCOMPARE(Term.region, QStringLiteral("DE-BY")); // an older file's code, kept as ISO 3166-2
        QCOMPARE(Term.leave, (QList<DayRange>{{QDate(2027, 3, 15), QDate(2027, 3, 15)},
                                              {QDate(2026, 12, 21), QDate(2027, 1, 1)}}));
        QCOMPARE(Term.leaveEntitlement, std::optional<double>(26)); // the last line of a key counts
        QVERIFY(Term.duty.isEmpty());                               // another group's
        QCOMPARE(
            Term.ownDates,
            (QList<OwnDate>{{{QDate(2027, 3, 12), QDate(2027, 3, 12)}, QStringLiteral("Gelöbnis")},
                            {{QDate(2027, 5, 5), QDate(2027, 5, 7)}, QStringLiteral("Übung, Wildflecken")}}));
    }

    // The place of duty with its local days, the kind of service and half days of leave: read,
    // saved as the file writes them, and read back the same.
    void placeKindAndHalfDays_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("region");
        QTest::addColumn<QStringList>("localDays");
        QTest::addColumn<ServiceKind>("kind");
        QTest::addColumn<double>("entitlement");
        QTest::addColumn<QStringList>("saved"); // "-Key" for a key not written
        QTest::newRow("a Swiss recruit")
            << QStringList{"Bundesland=CH-ZH", "Ortsfeiertage=berchtoldstag", "Dienstart=Rekrutenschule",
                           "Urlaubsanspruch=27,5"}
            << "CH-ZH" << QStringList{"berchtoldstag"} << ServiceKind::RecruitSchool << 27.5
            << QStringList{"Bundesland=CH-ZH", "Ortsfeiertage=berchtoldstag", "Dienstart=Rekrutenschule",
                           "Urlaubsanspruch=27,5"};
        QTest::newRow("an older file's state kept, a point for the comma")
            << QStringList{"Bundesland=BY", "Ortsfeiertage=mariae-himmelfahrt ,friedensfest",
                           "Urlaubsanspruch= 27.5 "}
            << "DE-BY" << QStringList{"friedensfest", "mariae-himmelfahrt"} << ServiceKind::MilitaryService
            << 27.5
            << QStringList{"Bundesland=BY", "Ortsfeiertage=friedensfest, mariae-himmelfahrt",
                           "Urlaubsanspruch=27,5", "-Dienstart"};
        QTest::newRow("Austrian civil service")
            << QStringList{"Bundesland=AT-2", "Dienstart=Zivildienst", "Urlaubsanspruch=10,0"} << "AT-2"
            << QStringList{} << ServiceKind::CivilService << 10.0
            << QStringList{"Bundesland=AT-2", "Dienstart=Zivildienst", "Urlaubsanspruch=10",
                           "-Ortsfeiertage"};
        QTest::newRow("the usual kind named stays named")
            << QStringList{"Bundesland=DE", "Dienstart=Wehrdienst", "Urlaubsanspruch=999,5"} << "DE"
            << QStringList{} << ServiceKind::MilitaryService << 999.5
            << QStringList{"Dienstart=Wehrdienst", "Urlaubsanspruch=999,5"};
        QTest::newRow("volunteer, half a day")
            << QStringList{"Dienstart=Freiwilligendienst", "Urlaubsanspruch=0,5"} << "" << QStringList{}
            << ServiceKind::VoluntaryService << 0.5
            << QStringList{"Dienstart=Freiwilligendienst", "Urlaubsanspruch=0,5"};
    }
    void placeKindAndHalfDays() {
        QFETCH(QStringList, lines);
        TestWorld world;
        WriteServiceFile(lines);
        QCOMPARE(ReadServiceTerm(), QString());
        QTEST(Term.region, "region");
        QTEST(Term.localHolidays, "localDays");
        QTEST(Term.kind, "kind");
        QTEST(Term.leaveEntitlement.value_or(-1), "entitlement");
        const ServiceTerm read = Term;
        WriteServiceTerm(read);
        const QStringList written = QString::fromUtf8(fileContent()).split(QLatin1Char('\n'));
        QFETCH(QStringList, saved);
        for (const QString& line : saved) {
            if (line.startsWith(QLatin1Char('-')))
                QVERIFY2(!written.join(QLatin1Char('\n')).contains(line.mid(1) + QLatin1Char('=')),
                         qPrintable(line));
            else
                QVERIFY2(written.contains(line), qPrintable(line));
        }
        QCOMPARE(ReadServiceTerm(), QString());
        QCOMPARE(Term, read);
    }

    // Entitlements as typed, at the edges of what is taken, and as they are written back.
    void entitlements_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written"); // "-" for refused
        for (const char* row :
             {"0 0", "0,5 0,5", "1 1", "27,5 27,5", " 27.5  27,5", "100 100", "999 999", "999,5 999,5",
              "24,0 24", "007 7", "1000 -", "-1 -", "27,25 -", "27,7 -", "2 7 -", "27, -", ",5 -", "x -"}) {
            const QString text = QString::fromLatin1(row);
            const qsizetype blank = text.lastIndexOf(QLatin1Char(' '));
            QTest::newRow(row) << text.left(blank) << text.mid(blank + 1);
        }
    }
    void entitlements() {
        QFETCH(QString, typed);
        const std::optional<double> days = ReadLeaveEntitlement(typed);
        QTEST(days ? LeaveDaysNumber(*days) : QStringLiteral("-"), "written");
    }

    // A save changes what it must and nothing else; a second save changes nothing.
    void saveLeavesTheRest_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("empty file")
            << QByteArray()
            << QByteArray("[Dienstzeit]\nBeginn=1.10.2026\nBundesland=DE-BY\nUrlaub=15.3.2027\n"
                          "Dienst=3.7.2027\n\n[Termine]\n12.3.2027=Gelöbnis\n");
        QTest::newRow("comments and another group kept")
            << QByteArray("; Notiz\n[Anderes]\nA=1\n")
            << QByteArray("; Notiz\n[Anderes]\nA=1\n\n[Dienstzeit]\nBeginn=1.10.2026\nBundesland=DE-BY\n"
                          "Urlaub=15.3.2027\nDienst=3.7.2027\n\n[Termine]\n12.3.2027=Gelöbnis\n");
        QTest::newRow("keys where they stand, new ones after the group's last")
            << QByteArray(
                   "[Dienstzeit]\nUrlaub=1.1.2027\nNotiz=x\nBeginn=1.1.2026\n\n[Meldungen]\nGezeigt=a\n")
            << QByteArray(
                   "[Dienstzeit]\nUrlaub=15.3.2027\nNotiz=x\nBeginn=1.10.2026\nBundesland=DE-BY\nDienst="
                   "3.7.2027\n\n"
                   "[Meldungen]\nGezeigt=a\n\n[Termine]\n12.3.2027=Gelöbnis\n");
        QTest::newRow("a key twice becomes one")
            << QByteArray("[Dienstzeit]\nBeginn=1.1.2026\nBeginn=2.1.2026\nDienstfrei=1.3.2027\n")
            << QByteArray(
                   "[Dienstzeit]\nBeginn=1.10.2026\nBundesland=DE-BY\nUrlaub=15.3.2027\nDienst=3.7.2027\n\n"
                   "[Termine]\n12.3.2027=Gelöbnis\n");
        QTest::newRow("own dates replaced, others kept")
            << QByteArray("[Termine]\n; wichtig\n1.1.2027=Neujahr\n12.3.2027=Alt\n")
            << QByteArray("[Termine]\n; wichtig\n12.3.2027=Gelöbnis\n\n[Dienstzeit]\nBeginn=1.10.2026\n"
                          "Bundesland=DE-BY\nUrlaub=15.3.2027\nDienst=3.7.2027\n");
    }
    void saveLeavesTheRest() {
        QFETCH(QByteArray, before);
        TestWorld world;
        if (!before.isNull()) {
            QFile file(QStringLiteral("pilgrast.ini"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(before);
        }
        ServiceTerm term;
        term.start = QDate(2026, 10, 1);
        term.region = QStringLiteral("DE-BY");
        term.leave = {{QDate(2027, 3, 15), QDate(2027, 3, 15)}};
        term.duty = {{QDate(2027, 7, 3), QDate(2027, 7, 3), {}, {}}};
        term.ownDates = {{{QDate(2027, 3, 12), QDate(2027, 3, 12)}, QStringLiteral("Gelöbnis")}};
        WriteServiceTerm(term);
        QTEST(fileContent(), "after");
        WriteServiceTerm(term);
        QTEST(fileContent(), "after");
        QCOMPARE(ReadServiceTerm(), QString());
        QCOMPARE(Term, term);
    }

    // Own dates' names as they are, also with what QSettings quotes; QSettings reads them the same.
    void ownDateNames() {
        TestWorld world;
        ServiceTerm term;
        const QStringList names = {QStringLiteral("Gelöbnis"), QStringLiteral("Übung, Wildflecken"),
                                   QStringLiteral("Heim \"weh\" \\ ; Tag"), QStringLiteral("a=b")};
        for (int i = 0; i < names.size(); ++i)
            term.ownDates.append({{QDate(2027, 3, 1 + i), QDate(2027, 3, 1 + i)}, names[i]});
        WriteServiceTerm(term);
        QCOMPARE(ReadServiceTerm(), QString());
        QCOMPARE(Term.ownDates, term.ownDates);
        const QSettings settings(QStringLiteral("pilgrast.ini"), QSettings::IniFormat);
        QCOMPARE(settings.value("Termine/2.3.2027").toString(), names[1]);
        QCOMPARE(settings.value("Termine/3.3.2027").toString(), names[2]);
    }

    // Values that cannot be used are named, long ones shortened; a file that is no settings
    // file is named as such and not written until the user saves.
    void badNewValues_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("named");
        QTest::newRow("duty") << QStringList{"Dienst=3.7.2027, 14.5.2027-10.5.2027"}
                              << "Dienst=14.5.2027-10.5.2027";
        QTest::newRow("day off") << QStringList{"Dienstfrei=Brückentag"} << "Dienstfrei=Brückentag";
        QTest::newRow("entitlement") << QStringList{"Urlaubsanspruch=1000"} << "Urlaubsanspruch=1000";
        QTest::newRow("entitlement not whole nor half")
            << QStringList{"Urlaubsanspruch=24,25"} << "Urlaubsanspruch=24,25";
        QTest::newRow("own date without name")
            << QStringList{"", "[Termine]", "12.3.2027="} << "[Termine] 12.3.2027=";
        QTest::newRow("own date not a day")
            << QStringList{"", "[Termine]", "Ostern=Heimfahrt"} << "[Termine] Ostern=Heimfahrt";
        QTest::newRow("a long value") << QStringList{"Beginn=" + QString(200, QLatin1Char('x'))}
                                      << "Beginn=" + QString(39, QLatin1Char('x')) + QStringLiteral("…");
    }
    void badNewValues() {
        QFETCH(QStringList, lines);
        QFETCH(QString, named);
        TestWorld world;
        WriteServiceFile(lines);
        const QString message = ReadServiceTerm();
        QVERIFY2(message.endsWith(QLatin1Char('\n') + named), qPrintable(message));
        QCOMPARE(message.count(QLatin1Char('\n')), 1);
    }

    void foreignFile() {
        TestWorld world;
        QByteArray noise;
        for (int i = 0; i < 512; ++i)
            noise.append(char((i * 7919 + 13) % 256));
        for (const QByteArray& content : {noise, QByteArray("Das ist kein Einstellungstext.\n")}) {
            QFile file(QStringLiteral("pilgrast.ini"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
            file.close();
            const QString message = ReadServiceTerm();
            QVERIFY2(message.contains(QDir::current().absoluteFilePath(QStringLiteral("pilgrast.ini"))),
                     qPrintable(message));
            QVERIFY(message.contains(QStringLiteral("keine Einstellungsdatei")));
            QCOMPARE(Term, ServiceTerm{});
            QVERIFY_THROWS_EXCEPTION(ProgramError,
                                     RememberMilestoneAnnounced(QStringLiteral("Bergfest 14.2.2027")));
            QCOMPARE(fileContent(), content);
            WriteServiceTerm(sampleTerm());
            QCOMPARE(fileContent(), QByteArray("[Dienstzeit]\nBeginn=1.10.2026\nBundesland=DE-BY\n"
                                               "Urlaub=21.12.2026-1.1.2027, 15.3.2027\n"));
        }
        QVERIFY(IniText::IsSettingsText(QByteArray()));
        QVERIFY(IniText::IsSettingsText("; nur ein Kommentar\n\n"));
    }
};

QTEST_MAIN(ServiceFileTest)
#include "tst_servicefile.moc"
