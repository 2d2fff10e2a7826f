// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "countdownwindow/frmcountdown.h"
#include "mainwindow/frmpgr.h"
#include "settings/recordimage.h"
#include "settingsdialog/frmsettings.h"
#include "support/fakes.h"

#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>

namespace {

void writeBytes(const QByteArray& bytes) {
    QFile file(QStringLiteral("pgr.dat"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// A settings image that is mostly plausible, with random damage: random bytes,
// a random length, and texts taken from a list of near-misses.
QByteArray randomImage(QRandomGenerator& random) {
    static const QStringList dates = {"01.04.1999", "31.02.1999", "1.4.1999",   "",           "29.02.2000",
                                      "01.04.2099", "xx",         "01.01.0001", "31.12.9999", "16:30"};
    static const QStringList times = {"16:30", "07:00", "24:00", "", "7:5", "23:59", "00:00", "12:00", "ab"};
    SettingsRecord record = SampleSettings();
    SetText(&SettingsRecord::Pgr, record, dates[random.bounded(dates.size())]);
    SetText(&SettingsRecord::Dsch, record, times[random.bounded(times.size())]);
    SetText(&SettingsRecord::DschFr, record, times[random.bounded(times.size())]);
    SetText(&SettingsRecord::DstBeg, record, times[random.bounded(times.size())]);
    record.Anzeige = qint16(random.bounded(-2, 7));
    record.nd = qint16(random.bounded(-1, 3));
    QByteArray image = EncodeRecord(record) + QByteArray(104, '\0');
    for (int damage = random.bounded(4); damage > 0; --damage)
        image[random.bounded(200)] = char(random.bounded(256));
    return image.left(random.bounded(201));
}

// After a few seconds the program either counts or has said once what is wrong:
// no failure is shown twice.
void checkCountsOrOneMessage(TestWorld& world) {
    static const QRegularExpression tagged(QStringLiteral("#(1[0-8]|[1-9]|2[0-3])$"));
    QSet<QString> tags;
    for (const auto& message : world.messages.shown) {
        const QString tag = tagged.match(message.text).captured();
        QVERIFY2(tag.isEmpty() || !tags.contains(tag),
                 qPrintable(world.messages.texts().join(QLatin1Char('|'))));
        tags.insert(tag);
    }
    for (const auto& message : world.messages.shown)
        QVERIFY2(message.style == 36 || tagged.match(message.text).hasMatch(), qPrintable(message.text));
}

void runSeconds(TestWorld& world, int seconds) {
    for (int second = 0; second < seconds; ++second) {
        world.clock.advance(1);
        if (frmPGR* window = FindForm<frmPGR>())
            window->Timer1_Timer();
        else if (frmCountdown* countdown = FindForm<frmCountdown>())
            countdown->Timer1_Timer();
    }
}

} // namespace

class RobustnessTest : public QObject {
    Q_OBJECT
private slots:
    void randomSettingsFiles() {
        QRandomGenerator random(20261208);
        for (int round = 0; round < 3000; ++round) {
            TestWorld world(round % 2 ? QStringLiteral("1999-03-05 11:59:40")
                                      : QStringLiteral("1999-04-01 16:29:00"));
            writeBytes(randomImage(random));
            ShowForm<frmPGR>();
            runSeconds(world, 25);
            checkCountsOrOneMessage(world);
            if (QTest::currentTestFailed())
                return;
        }
    }

    void garbageReplacesTheFileWhileRunning() {
        TestWorld world(QStringLiteral("1999-03-03 10:00:00"));
        WriteSettingsFile(SampleSettings());
        frmPGR* window = ShowForm<frmPGR>();
        runSeconds(world, 2);
        const QStringList before = ShownCounts(window);
        writeBytes(QByteArray("\x00\xff garbage \x81\x9d", 14));
        runSeconds(world, 2); // the running window works from what it read
        QCOMPARE(ShownCounts(window).at(1), before.at(1));

        window->menusettings_Click(); // the dialog reads the garbage and shows it
        frmSettings* dialog = FindForm<frmSettings>();
        dialog->cmdclose_Click();
        runSeconds(world, 3);
        QCOMPARE(world.messages.shown.size(), 1);
        QVERIFY(world.messages.shown[0].text.endsWith(QStringLiteral("#20")));
        QCOMPARE(CounterHalted, 1);
    }

    void aFolderNamedPgrDat() {
        TestWorld world;
        QVERIFY(QDir().mkdir(QStringLiteral("pgr.dat")));
        QCOMPARE(ShowForm<frmPGR>(), nullptr); // counts as no settings: the dialog opens
        QVERIFY(FindForm<frmSettings>());
        QVERIFY(world.messages.shown.isEmpty());
    }

    // Counts at special instants equal the wall-clock difference to the end.
    void specialInstants_data() {
        QTest::addColumn<QString>("instant");
        QTest::addColumn<QString>("pgr");
        QTest::addColumn<QStringList>("counts");
        QTest::newRow("leap day") << "2028-02-29 12:00:00"
                                  << "01.03.2028" << QStringList{"0", "1", "28", "1710", "102600"};
        QTest::newRow("New Year's Eve")
            << "2026-12-31 23:59:59"
            << "01.01.2027" << QStringList{"0", "1", "13", "721", "43201"}; // a Friday: ends at 12:00
        QTest::newRow("spring forward, before")
            << "2027-03-28 01:59:59"
            << "29.03.2027" << QStringList{"1", "1", "39", "2311", "138601"};
        QTest::newRow("spring forward, after")
            << "2027-03-28 03:00:00"
            << "29.03.2027" << QStringList{"1", "1", "37", "2250", "135000"};
        QTest::newRow("fall back, first 02:30")
            << "2027-10-31 02:30:00"
            << "01.11.2027" << QStringList{"1", "1", "38", "2280", "136800"};
    }
    void specialInstants() {
        QFETCH(QString, instant);
        QFETCH(QString, pgr);
        TestWorld world(instant);
        SettingsRecord record = SampleSettings();
        record.nd = 0;
        SetText(&SettingsRecord::Pgr, record, pgr);
        WriteSettingsFile(record);
        frmPGR* window = ShowForm<frmPGR>();
        window->Timer1_Timer();
        QTEST(ShownCounts(window), "counts");
        QVERIFY(world.messages.shown.isEmpty());
    }

    void clockJumpsBackAnHour() {
        TestWorld world(QStringLiteral("1999-03-03 10:00:00"));
        WriteSettingsFile(SampleSettings());
        frmPGR* window = ShowForm<frmPGR>();
        runSeconds(world, 1);
        const int hours = LabelText(window, "lblhours").toInt();
        world.clock.advance(-3600);
        window->Timer1_Timer();
        QCOMPARE(LabelText(window, "lblhours").toInt(), hours + 1); // counted by the wall clock
        runSeconds(world, 5);
        QCOMPARE(ShownCounts(window),
                 PlainCountsAt(world.clock, world.clock.now.toString("yyyy-MM-dd hh:mm:ss")));
        QVERIFY(world.messages.shown.isEmpty());
    }
};

QTEST_MAIN(RobustnessTest)
#include "tst_robustness.moc"
