#include "services/programerror.h"
#include "settings/declarations.h"
#include "settings/recordimage.h"
#include "settings/settingsfile.h"
#include "settings/windows1252.h"
#include "support/fakes.h"

#include <QFile>
#include <QtTest>

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

    void failingSaveKeepsTheOldFile() {
        TestWorld world;
        Settings = SampleSettings();
        WriteSettings();
        const QByteArray before = readFile(QStringLiteral("pgr.dat"));
        SetText(&SettingsRecord::Vorname, Settings, QStringLiteral("Moritz"));
        {
            const ReadOnlyFolder readOnly(QStringLiteral("."));
            if (!readOnly.active())
                QSKIP("this machine cannot make a folder read-only");
            QVERIFY_THROWS_EXCEPTION(ProgramError, WriteSettings());
        }
        QCOMPARE(readFile(QStringLiteral("pgr.dat")), before);
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
