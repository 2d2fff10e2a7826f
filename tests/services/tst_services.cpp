#include "services/forms.h"
#include "services/qtmessages.h"
#include "services/secondtimer.h"
#include "support/fakes.h"

#include <QAbstractButton>
#include <QSignalSpy>
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
        timer.start();
        QVERIFY(ticks.wait(1000));
        QVERIFY(timer.isRunning());
        QVERIFY(ticks.wait(1000)); // armed again after the tick
        timer.stop();
        const qsizetype count = ticks.count();
        QTest::qWait(100);
        QCOMPARE(ticks.count(), count);
        SetClockSource(nullptr);
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
