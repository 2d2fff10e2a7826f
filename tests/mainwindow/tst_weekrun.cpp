// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "countdownwindow/frmcountdown.h"
#include "mainwindow/frmpgr.h"
#include "support/fakes.h"

#include <QtTest>

namespace {

const QTime dutyStart(7, 0);

bool isWorkday(const QDate& date) {
    return date.dayOfWeek() <= 5;
}

QTime dutyEndOn(const QDate& date) {
    return date.dayOfWeek() <= 4 ? QTime(16, 30) : QTime(12, 0);
}

bool onDuty(const QDateTime& now) {
    return isWorkday(now.date()) && now.time() > dutyStart && now.time() < dutyEndOn(now.date());
}

// The next start of duty: this very second at the start, later today before it,
// otherwise on the next workday.
QDateTime nextDutyStart(const QDateTime& now) {
    if (isWorkday(now.date()) && now.time() <= dutyStart)
        return QDateTime(now.date(), dutyStart);
    QDate day = now.date().addDays(1);
    while (!isWorkday(day))
        day = day.addDays(1);
    return QDateTime(day, dutyStart);
}

QList<qint64> numbers(const QStringList& counts) {
    QList<qint64> values;
    for (const QString& count : counts)
        values << count.toLongLong();
    return values;
}

} // namespace

// A simulated week of duty-time counting, one tick every second.
class WeekRunTest : public QObject {
    Q_OBJECT
private slots:
    void countsNeverRiseAndOffDutyCountsMeanTheNextStart_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("endOfService");
        for (const char* end : {"31.03.1999", "02.04.1999"}) { // a Wednesday, a Friday
            for (const char* start : {"1999-03-01 06:30:00", "1999-03-03 20:00:00", "1999-03-05 09:15:00",
                                      "1999-03-06 11:00:00"}) {
                QTest::newRow(qPrintable(QStringLiteral("%1 to %2").arg(start, end))) << start << end;
            }
        }
    }
    void countsNeverRiseAndOffDutyCountsMeanTheNextStart() {
        QFETCH(QString, start);
        QFETCH(QString, endOfService);
        TestWorld world(start);
        SettingsRecord record = SampleSettings();
        SetText(&SettingsRecord::Pgr, record, endOfService);
        WriteSettingsFile(record);
        QVERIFY(ShowForm<frmPGR>());

        QList<qint64> previous; // of this start-up
        QSet<QDate> countdownDays;
        int offDutyChecks = 0;
        for (int second = 1; second <= 7 * 86400; ++second) {
            world.clock.advance(1);
            frmPGR* window = FindForm<frmPGR>();
            window->Timer1_Timer();
            if (!FindForm<frmPGR>()) { // the countdown window took over: close it again
                // Once a day with duty, as after a start-up; at the weekend only on the day it started.
                const QDate day = world.clock.now.date();
                QVERIFY2(!countdownDays.contains(day), qPrintable(day.toString()));
                QVERIFY2(day.dayOfWeek() <= 5 || day == QDateTime::fromString(start, Qt::ISODate).date(),
                         qPrintable(day.toString()));
                countdownDays.insert(day);
                FindForm<frmCountdown>()->close();
                previous.clear();
                continue;
            }
            const QStringList shown = ShownCounts(window);
            const QList<qint64> counts = numbers(shown);
            for (qsizetype i = 0; i < previous.size(); ++i)
                if (counts[i] > previous[i])
                    QFAIL(qPrintable(QStringLiteral("count %1 rose at %2: %3 after %4")
                                         .arg(i)
                                         .arg(world.clock.now.toString(Qt::ISODate))
                                         .arg(counts[i])
                                         .arg(previous[i])));
            if (!onDuty(world.clock.now) && counts != previous) {
                const QString next =
                    nextDutyStart(world.clock.now).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
                if (shown != PlainCountsAt(world.clock, next))
                    QFAIL(qPrintable(QStringLiteral("off-duty counts at %1 are not those of %2")
                                         .arg(world.clock.now.toString(Qt::ISODate), next)));
                ++offDutyChecks;
            }
            previous = counts;
        }
        QVERIFY(offDutyChecks >= 5);        // every evening and the weekend were checked
        QVERIFY(countdownDays.size() >= 4); // every evening with duty in the week
        QCOMPARE(CounterHalted, 0);
        for (const auto& message : world.messages.shown)
            QCOMPARE(message.style, 36); // only end-of-duty questions, answered No
    }
};

QTEST_MAIN(WeekRunTest)
#include "tst_weekrun.moc"
