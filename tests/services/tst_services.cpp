// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "helpwindow/help.h"
#include "services/secondtimer.h"
#include "support/fakes.h"
#include "widgets/forms.h"
#include "widgets/qtmessages.h"

#include <QAbstractButton>
#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBlock>
#include <QElapsedTimer>
#include <QtTest>

namespace {

QString plain(QString text) {
    return text.remove(QLatin1Char('&'));
}

// A clock whose next second turns after a fixed wait.
class TurningClock : public FakeClock {
public:
    int msecsToNextSecond() const override { return 20; }
};

QStringList anchorsIn(const QTextBlock& block) {
    QStringList names;
    for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
        names << fragment.fragment().charFormat().anchorNames();
    return names;
}

} // namespace

class ServicesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(InstallGermanTranslation()); }

    void messageBoxes_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("0") << 0 << int(QMessageBox::NoIcon) << QStringList{"OK"};
        QTest::newRow("16") << 16 << int(QMessageBox::Critical) << QStringList{"OK"};
        QTest::newRow("36") << 36 << int(QMessageBox::Question) << QStringList{"Ja", "Nein"};
        QTest::newRow("48") << 48 << int(QMessageBox::Warning) << QStringList{"OK"};
        QTest::newRow("64") << 64 << int(QMessageBox::Information) << QStringList{"OK"};
    }
    void messageBoxes() {
        QFETCH(int, style);
        QFETCH(QStringList, buttons);
        const auto box = BuildMessageBox(QStringLiteral("Text"), style);
        QCOMPARE(box->windowTitle(), QStringLiteral("Pilgrast"));
        QCOMPARE(box->text(), QStringLiteral("Text"));
        QTEST(int(box->icon()), "icon");
        QStringList shown;
        for (QAbstractButton* button : box->buttons())
            shown << plain(button->text());
        shown.sort();
        buttons.sort();
        QCOMPARE(shown, buttons);
    }

    void timerFiresAfterTheSecondTurnsAndWaitsForItsHandler() {
        TurningClock clock;
        clock.set(QStringLiteral("1999-03-01 10:00:00"));
        SetClockSource(&clock);
        SecondTimer timer;
        QSignalSpy ticks(&timer, &SecondTimer::tick);
        QElapsedTimer sinceStart;
        sinceStart.start();
        timer.start();
        QVERIFY(ticks.wait(1000));
        // Never on the turn's edge, never early: 5 ms after the 20 ms to the turn at the least.
        QVERIFY2(sinceStart.elapsed() >= 25, qPrintable(QString::number(sinceStart.elapsed())));
        QVERIFY(timer.isRunning());
        QVERIFY(ticks.wait(1000)); // armed again after the tick
        timer.stop();
        const qsizetype count = ticks.count();
        QTest::qWait(100);
        QCOMPARE(ticks.count(), count);
        SetClockSource(nullptr);
    }

    // Every topic opens with its heading at the top of the view, the last one too.
    void helpTopicsStartAtTheTop() {
        TestWorld world;
        for (const int topic : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}) {
            ShowHelp(topic);
            const HelpWindow* help = FindForm<HelpWindow>();
            QVERIFY(help);
            const QString anchor =
                topic == 0 ? QStringLiteral("inhalt") : QStringLiteral("thema%1").arg(topic);
            QTextBlock heading = help->browser()->document()->begin();
            while (heading.isValid() && !anchorsIn(heading).contains(anchor))
                heading = heading.next();
            QVERIFY2(heading.isValid() &&
                         heading.text().contains(topic == 0 ? "Hilfe" : QString::number(topic)),
                     qPrintable(anchor));
            const qreal top = help->browser()->document()->documentLayout()->blockBoundingRect(heading).top();
            QVERIFY2(qAbs(top - help->browser()->verticalScrollBar()->value()) < 4, qPrintable(anchor));
        }
        QVERIFY(world.messages.shown.isEmpty());
    }

    void programEndsWhenNoWindowIsLeft() {
        TestWorld world;
        QWidget window;
        window.show();
        EndWhenNoWindowLeft();
        QCoreApplication::processEvents();
        QCOMPARE(world.programEnds, 0);
        window.hide();
        EndWhenNoWindowLeft();
        QCoreApplication::processEvents();
        QCOMPARE(world.programEnds, 1);
    }
};

QTEST_MAIN(ServicesTest)
#include "tst_services.moc"
