// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "services/programerror.h"
#include "serviceterm/serviceterm.h"
#include "support/fakes.h"

#include <QSettings>
#include <QtTest>

namespace {

QByteArray fileContent() {
    QFile file(QStringLiteral("pilgrast.ini"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

ServiceTerm sampleTerm() {
    ServiceTerm term;
    term.start = QDate(2026, 10, 1);
    term.region = QStringLiteral("BY");
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
            << false << "BY" << 1;
        QTest::newRow("start with a time") << QStringList{"Beginn=1.10.2026 07:00", "Bundesland=BY"}
                                           << "Beginn=1.10.2026 07:00" << false << "BY" << 0;
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
        QCOMPARE(settings.value("Dienstzeit/Bundesland").toString(), QStringLiteral("BY"));
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
};

QTEST_MAIN(ServiceFileTest)
#include "tst_servicefile.moc"
