// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "services/programerror.h"
#include "settings/declarations.h"
#include "settings/recordimage.h"
#include "settings/settingsfile.h"
#include "settings/windows1252.h"
#include "support/fakes.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <optional>
#include <unistd.h>

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

class SettingsFileTest : public QObject {
    Q_OBJECT
private slots:
    void imageIsPackedLittleEndianWindows1252() {
        SettingsRecord record = SampleSettings();
        SetText(&SettingsRecord::Vorname, record, QStringLiteral("Jörg"));
        record.Anzeige = 0x0102;
        record.nd = -2;
        const QByteArray image = EncodeRecord(record);

        QCOMPARE(image.size(), 96);
        QCOMPARE(image.mid(0, 2), QByteArray("\x01\x00", 2));
        QCOMPARE(image.mid(2, 30), QByteArray("J\xF6rg") + QByteArray(26, ' ')); // ö is one byte
        QCOMPARE(image.mid(32, 30), QByteArray("Mustermann") + QByteArray(20, ' '));
        QCOMPARE(image.mid(62, 5), QByteArray("Gefr "));
        QCOMPARE(image.mid(67, 10), QByteArray("01.04.1999"));
        QCOMPARE(image.mid(77, 5), QByteArray("16:30"));
        QCOMPARE(image.mid(82, 2), QByteArray("\x02\x01", 2));
        QCOMPARE(image.mid(84, 5), QByteArray("12:00"));
        QCOMPARE(image.mid(89, 2), QByteArray("\xFE\xFF", 2)); // nd at the odd offset 89
        QCOMPARE(image.mid(91, 5), QByteArray("07:00"));
        QCOMPARE(DecodeRecord(image), record);
    }

    void shortAndLongImages_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("expectedName");
        QTest::addColumn<qint16>("expectedAnzeige");
        QTest::addColumn<QString>("expectedDstBeg");
        QTest::newRow("empty") << 0 << QString(30, ' ') << qint16(0) << QString(5, ' ');
        QTest::newRow("cut inside Name")
            << 35 << QStringLiteral("Mus") + QString(27, ' ') << qint16(0) << QString(5, ' ');
        QTest::newRow("half of Anzeige")
            << 83 << QStringLiteral("Mustermann") + QString(20, ' ') << qint16(4) << QString(5, ' ');
        QTest::newRow("cut inside DstBeg")
            << 93 << QStringLiteral("Mustermann") + QString(20, ' ') << qint16(4) << QStringLiteral("07   ");
        QTest::newRow("longer file") << 200 << QStringLiteral("Mustermann") + QString(20, ' ') << qint16(4)
                                     << QStringLiteral("07:00");
    }
    void shortAndLongImages() {
        QFETCH(int, length);
        SettingsRecord record = SampleSettings();
        record.Anzeige = 4;
        QByteArray image = EncodeRecord(record) + QByteArray(104, 'x');
        const SettingsRecord read = DecodeRecord(image.left(length));
        QTEST(read.Name, "expectedName");
        QTEST(read.Anzeige, "expectedAnzeige");
        QTEST(read.DstBeg, "expectedDstBeg");
        QCOMPARE(read.Vorname.size(), 30);
    }

    void unassignedBytesSurviveReadingAndWriting() {
        QByteArray image = EncodeRecord(SampleSettings());
        image[2] = '\x81';
        image[3] = '\x80'; // the euro sign
        const SettingsRecord read = DecodeRecord(image);
        QCOMPARE(read.Vorname.at(1), QChar(0x20AC));
        QCOMPARE(EncodeRecord(read), image);
    }

    void textsWindows1252CannotHoldAreRefused() {
        QVERIFY(FitsWindows1252(QStringLiteral("Ärger Œuvre €")));
        QVERIFY(!FitsWindows1252(QStringLiteral("Łukasz")));
        QVERIFY(!FitsWindows1252(QStringLiteral("Max 😀")));
        SettingsRecord record = SampleSettings();
        SetText(&SettingsRecord::Name, record, QStringLiteral("Dvořák"));
        QVERIFY_THROWS_EXCEPTION(ProgramError, EncodeRecord(record));
    }

    void saveWritesOneRecordAndKeepsLaterBytes() {
        TestWorld world;
        QVERIFY(!SettingsFileExists());
        Settings = SampleSettings();
        WriteSettings();
        WriteSettings();
        QCOMPARE(readFile(QStringLiteral("pgr.dat")).size(), 96);

        writeFile(QStringLiteral("pgr.dat"), QByteArray(96, ' ') + "tail kept");
        WriteSettings();
        const QByteArray content = readFile(QStringLiteral("pgr.dat"));
        QCOMPARE(content.left(96), EncodeRecord(SampleSettings()));
        QCOMPARE(content.mid(96), QByteArray("tail kept"));

        Settings = SettingsRecord{};
        ReadSettings();
        QCOMPARE(Settings, SampleSettings());
    }

    // Every byte of the upper half reads as its Windows-1252 character and writes back
    // as the same byte, the five unassigned ones included.
    void wholeCodePageRoundTrips() {
        static const QString upperHalf =
            QStringLiteral("€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ"
                           "\u00A0¡¢£¤¥¦§¨©ª«¬\u00AD®¯°±²³´µ¶·¸¹º»¼½¾¿ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖ×ØÙÚÛÜÝÞßàáâãäåæ"
                           "çèéêëìíîïðñòóôõö÷øùúûüýþÿ");
        QByteArray bytes;
        for (int byte = 0x80; byte <= 0xFF; ++byte)
            bytes += char(byte);
        QCOMPARE(FromWindows1252(bytes), upperHalf);
        QCOMPARE(ToWindows1252(upperHalf), std::optional<QByteArray>(bytes));
    }

    // Protected folders and files, as the superuser (immutable attribute) and as an
    // ordinary user (permissions): saved in place where the file allows it, otherwise
    // a German cause and the old file whole.
    void protectedPaths_data() {
        QTest::addColumn<bool>("protectFolder");
        QTest::addColumn<bool>("protectFile");
        QTest::addColumn<QString>("failure"); // empty: saved
        QTest::newRow("protected folder, writable file") << true << false << QString();
        QTest::newRow("protected folder and file")
            << true << true << QStringLiteral("Zugriff verweigert, es fehlt die Berechtigung.");
        QTest::newRow("protected file")
            << false << true << QStringLiteral("Zugriff verweigert, es fehlt die Berechtigung.");
    }
    void protectedPaths() {
        QFETCH(bool, protectFolder);
        QFETCH(bool, protectFile);
        QFETCH(QString, failure);
        TestWorld world;
        Settings = SampleSettings();
        writeFile(QStringLiteral("pgr.dat"), EncodeRecord(Settings) + "tail kept");
        const QByteArray before = readFile(QStringLiteral("pgr.dat"));
        SetText(&SettingsRecord::Vorname, Settings, QStringLiteral("Moritz"));
        QString thrown;
        {
            std::optional<WriteProtected> folder, file;
            if (protectFolder)
                folder.emplace(QStringLiteral("."));
            if (protectFile)
                file.emplace(QStringLiteral("pgr.dat"));
            if ((folder && !folder->active()) || (file && !file->active()))
                QSKIP("this machine cannot write-protect a file or folder");
            try {
                WriteSettings();
            } catch (const ProgramError& error) {
                thrown = error.description();
            }
        }
        if (failure.isEmpty()) {
            QCOMPARE(thrown, QString());
            QCOMPARE(readFile(QStringLiteral("pgr.dat")), EncodeRecord(Settings) + "tail kept");
            return;
        }
        QCOMPARE(thrown, QStringLiteral("Die Einstellungsdatei „%1“ kann nicht gespeichert werden: %2")
                             .arg(QDir::current().absoluteFilePath(QStringLiteral("pgr.dat")), failure));
        QCOMPARE(readFile(QStringLiteral("pgr.dat")), before);
    }

    // A full disk and a read-only file system, on a small file system of the test's own.
    void fullAndReadOnlyFileSystems_data() {
        QTest::addColumn<QString>("mountOptions");
        QTest::addColumn<bool>("fill");
        QTest::addColumn<QString>("cause");
        QTest::newRow("disk full") << "size=64k" << true
                                   << "der Datenträger ist voll oder Ihr Speicherplatz ist ausgeschöpft.";
        QTest::newRow("read-only file system")
            << "size=64k" << false << "der Datenträger ist schreibgeschützt.";
    }
    void fullAndReadOnlyFileSystems() {
        QFETCH(QString, mountOptions);
        QFETCH(bool, fill);
        QFETCH(QString, cause);
        if (geteuid() != 0)
            QSKIP("mounting a file system needs the superuser");
        TestWorld world;
        const QString folder = world.path(QStringLiteral("small"));
        QVERIFY(QDir().mkdir(folder));
        if (QProcess::execute(QStringLiteral("mount"),
                              {"-t", "tmpfs", "-o", mountOptions, "tmpfs", folder}) != 0)
            QSKIP("this machine cannot mount a file system");
        QDir::setCurrent(folder);
        const auto unmount = qScopeGuard([&] {
            QDir::setCurrent(world.path(QString()));
            QProcess::execute(QStringLiteral("umount"), {folder});
        });
        Settings = SampleSettings();
        WriteSettings();
        if (fill)
            QProcess::execute(QStringLiteral("dd"),
                              {"if=/dev/zero", "of=filler", "bs=4k"}); // until it is full
        else
            QCOMPARE(QProcess::execute(QStringLiteral("mount"), {"-o", "remount,ro", folder}), 0);
        const QByteArray before = readFile(QStringLiteral("pgr.dat"));
        SetText(&SettingsRecord::Vorname, Settings, QStringLiteral("Moritz"));
        try {
            WriteSettings();
            QFAIL("saving must fail");
        } catch (const ProgramError& error) {
            QCOMPARE(error.description(),
                     QStringLiteral("Die Einstellungsdatei „%1/pgr.dat“ kann nicht gespeichert werden: %2")
                         .arg(folder, cause));
        }
        QCOMPARE(readFile(QStringLiteral("pgr.dat")), before);
        QCOMPARE(before, EncodeRecord(SampleSettings()));
    }

    // Reading names the file once and the cause in German.
    void readingFailures_data() {
        QTest::addColumn<QString>("target"); // what pgr.dat is made to be
        QTest::addColumn<QString>("cause");
        QTest::newRow("input/output error") << "/proc/self/mem"
                                            << "Ein-/Ausgabefehler des Datenträgers.";
        QTest::newRow("vanished") << "missing"
                                  << "die Datei oder ihr Ordner ist nicht mehr vorhanden.";
        QTest::newRow("unreadable") << "unreadable"
                                    << "Zugriff verweigert, es fehlt die Berechtigung.";
    }
    void readingFailures() {
        QFETCH(QString, target);
        QFETCH(QString, cause);
        TestWorld world;
        if (target == QLatin1String("unreadable")) {
            if (geteuid() == 0)
                QSKIP("the superuser reads every file; run as an ordinary user");
            writeFile(QStringLiteral("pgr.dat"), EncodeRecord(SampleSettings()));
            QVERIFY(QFile::setPermissions(QStringLiteral("pgr.dat"), QFile::WriteOwner));
        } else if (target.startsWith(QLatin1Char('/'))) {
            QVERIFY(QFile::link(target, QStringLiteral("pgr.dat")));
        }
        try {
            ReadSettings();
            QFAIL("reading must fail");
        } catch (const ProgramError& error) {
            QCOMPARE(error.description(),
                     QStringLiteral("Die Einstellungsdatei „%1“ kann nicht gelesen werden: %2")
                         .arg(QDir::current().absoluteFilePath(QStringLiteral("pgr.dat")), cause));
        }
        QCOMPARE(Settings, SettingsRecord{});
    }

    // The superuser is not bound by permissions: the permission cases run once
    // more as the user nobody, in a folder of its own.
    void permissionsAsAnOrdinaryUser() {
        if (geteuid() != 0)
            QSKIP("already an ordinary user");
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (setpriv.isEmpty())
            QSKIP("setpriv is not installed");
        QTemporaryDir place; // a copy of this program that nobody may run, and its temporary folder
        QVERIFY(place.isValid());
        const QString program = place.filePath(QStringLiteral("tst_settingsfile"));
        QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), program));
        QVERIFY(QFile::setPermissions(place.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                        QFile::ReadOther | QFile::WriteOther |
                                                        QFile::ExeOther));
        QProcess run;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), place.path());
        run.setProcessEnvironment(environment);
        run.setWorkingDirectory(place.path());
        run.start(setpriv, {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                            QStringLiteral("--clear-groups"), program, QStringLiteral("protectedPaths"),
                            QStringLiteral("readingFailures")});
        QVERIFY(run.waitForFinished(30000));
        const QByteArray output = run.readAllStandardOutput() + run.readAllStandardError();
        QVERIFY2(run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0, output.constData());
        QVERIFY2(output.contains(" passed, 0 failed, 0 skipped"), output.constData());
    }

    void aFolderNamedPgrDatIsNoSettingsFile() {
        TestWorld world;
        QVERIFY(QDir().mkdir(QStringLiteral("pgr.dat")));
        QVERIFY(!SettingsFileExists());
        Settings = SampleSettings();
        try {
            WriteSettings();
            QFAIL("saving over a folder must fail");
        } catch (const ProgramError& error) {
            QVERIFY(error.description().contains(QStringLiteral("Ordner")));
        }
        QVERIFY(QFileInfo(QStringLiteral("pgr.dat")).isDir());
    }
};

QTEST_GUILESS_MAIN(SettingsFileTest)
#include "tst_settingsfile.moc"
