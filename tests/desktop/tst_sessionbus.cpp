// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The dock entry and the milestone notifications on a private session bus of the
// test's own (dbus-run-session), with a listener and a notification server inside it.
#include "app/program.h"
#include "desktop/dockentry.h"
#include "desktop/milestonenotifier.h"
#include "mainwindow/frmpgr.h"
#include "servicetermwindow/frmserviceterm.h"
#include "settings/fixedtext.h"
#include "support/fakes.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

// Everything the LauncherEntry signal carried, as a dock receives it.
class DockListener : public QObject {
    Q_OBJECT
public:
    struct Update {
        QString uri;
        QVariantMap properties;
    };
    QList<Update> updates;
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("dock"));

    DockListener() {
        bus.connect(QString(), QString(), QStringLiteral("com.canonical.Unity.LauncherEntry"),
                    QStringLiteral("Update"), this, SLOT(received(QString, QVariantMap)));
    }
    ~DockListener() override { QDBusConnection::disconnectFromBus(QStringLiteral("dock")); }

public slots:
    void received(const QString& uri, const QVariantMap& properties) { updates.append({uri, properties}); }
};

// A notification service that records what it is asked to show.
class NotificationServer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Call {
        QString appName, icon, summary, body;
        QVariantMap hints;
        uint replaces;
        int timeout;
    };
    QList<Call> calls;
    QDBusConnection bus =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("server"));

    NotificationServer() {
        bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), this,
                           QDBusConnection::ExportAllSlots);
        bus.registerService(QStringLiteral("org.freedesktop.Notifications"));
    }
    ~NotificationServer() override {
        bus.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
        QDBusConnection::disconnectFromBus(QStringLiteral("server"));
    }

public slots:
    uint Notify(const QString& appName, uint replaces, const QString& icon, const QString& summary,
                const QString& body, const QStringList&, const QVariantMap& hints, int timeout) {
        calls.append({appName, icon, summary, body, hints, replaces, timeout});
        return uint(calls.size());
    }
};

// Duty-time mode, Bavaria, service from 1 October 2026 to Wednesday 30 June 2027.
// The files are written unless the test has them already.
frmPGR* startCounting(TestWorld& world, const QString& instant) {
    world.clock.set(instant);
    if (!QFile::exists(QStringLiteral("pgr.dat"))) {
        SettingsRecord record = SampleSettings();
        SetText(&SettingsRecord::Pgr, record, QStringLiteral("30.06.2027"));
        WriteSettingsFile(record);
    }
    if (!QFile::exists(QStringLiteral("pilgrast.ini")))
        WriteServiceFile({"Beginn=1.10.2026", "Bundesland=BY"});
    frmPGR* window = ShowForm<frmPGR>();
    window->Timer1_Timer();
    return window;
}

bool countWindowOpen() {
    return FindForm<frmPGR>();
}

void settle() {
    QTest::qWait(100); // a signal that was not sent does not arrive later either
}

QByteArray serviceFile() {
    QFile file(QStringLiteral("pilgrast.ini"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class SessionBusTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (qEnvironmentVariable("PILGRAST_PRIVATE_BUS") != QLatin1String("1") ||
            !QDBusConnection::sessionBus().isConnected())
            QSKIP("runs only on a private session bus of its own (dbus-run-session)");
    }

    void dockCount_data() {
        QTest::addColumn<QString>("instant");
        QTest::addColumn<qint64>("count");
        QTest::addColumn<bool>("countVisible");
        QTest::addColumn<double>("progress");
        QTest::newRow("on duty") << "2027-05-05 10:00:00" << qint64(56) << true << 0.793;
        QTest::newRow("off duty, standing at Friday's start")
            << "2027-05-05 20:00:00" << qint64(54) << true << 0.794;
        QTest::newRow("on the holiday") << "2027-05-06 12:00:00" << qint64(54) << true << 0.797;
        QTest::newRow("after the end") << "2027-07-01 10:00:00" << qint64(0) << false << 1.0;
        QTest::newRow("before the first start of duty")
            << "2026-10-01 06:00:00" << qint64(272) << true << 0.0;
    }
    void dockCount() {
        QFETCH(QString, instant);
        TestWorld world;
        DockListener listener;
        const DockEntry dock(&countWindowOpen);
        frmPGR* window = startCounting(world, instant);
        QTRY_COMPARE(listener.updates.size(), 1);
        const DockListener::Update& update = listener.updates.first();
        QCOMPARE(update.uri, QStringLiteral("application://de.pilgrast.counter.desktop"));
        QFETCH(qint64, count);
        QFETCH(bool, countVisible);
        QFETCH(double, progress);
        QCOMPARE(update.properties.value("count").metaType().id(), QMetaType::LongLong); // D-Bus type x
        QCOMPARE(update.properties.value("count").toLongLong(), count);
        QCOMPARE(update.properties.value("count").toLongLong(),
                 qMax(0LL, LabelText(window, "LblDay").toLongLong()));
        QCOMPARE(update.properties.value("count-visible"), QVariant(countVisible));
        QCOMPARE(update.properties.value("progress").metaType().id(), QMetaType::Double);
        QCOMPARE(update.properties.value("progress").toDouble(), progress);
        QCOMPARE(update.properties.value("progress-visible"), QVariant(true));

        // The next second changes nothing the dock shows: no second signal.
        world.clock.advance(1);
        window->Timer1_Timer();
        settle();
        QCOMPARE(listener.updates.size(), 1);
    }

    // A new figure is sent, a dock that appears is told again, and closing hides both.
    void dockFollowsTheCounter() {
        TestWorld world;
        DockListener listener;
        const DockEntry dock(&countWindowOpen);
        frmPGR* window = startCounting(world, QStringLiteral("2027-05-04 16:00:00"));
        QTRY_COMPARE(listener.updates.size(), 1);
        world.clock.set(QStringLiteral("2027-05-05 09:00:00"));
        window->Timer1_Timer();
        QTRY_COMPARE(listener.updates.size(), 2);
        QCOMPARE(listener.updates.last().properties.value("count").toLongLong(), 56);

        QDBusConnection dockBus =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("unity"));
        QVERIFY(dockBus.registerService(QStringLiteral("com.canonical.Unity")));
        QTRY_COMPARE(listener.updates.size(), 3);
        QCOMPARE(listener.updates.last().properties, listener.updates.at(1).properties);
        dockBus.unregisterService(QStringLiteral("com.canonical.Unity"));
        QDBusConnection::disconnectFromBus(QStringLiteral("unity"));

        UnloadForm(window);
        QTRY_COMPARE(listener.updates.size(), 4);
        QCOMPARE(listener.updates.last().properties.value("count-visible"), QVariant(false));
        QCOMPARE(listener.updates.last().properties.value("progress-visible"), QVariant(false));
    }

    // Once on the milestone's day, remembered across a restart, never later for a missed one.
    void milestoneNotifications() {
        TestWorld world;
        NotificationServer server;
        {
            const MilestoneNotifier notifier;
            frmPGR* window = startCounting(world, QStringLiteral("2027-02-14 10:00:00"));
            QTRY_COMPARE(server.calls.size(), 1);
            const NotificationServer::Call& call = server.calls.first();
            QCOMPARE(call.appName, QStringLiteral("Pilgrast Counter"));
            QCOMPARE(call.icon, QStringLiteral("de.pilgrast.counter"));
            QCOMPARE(call.summary, QStringLiteral("Bergfest!"));
            // A Sunday: the days the main window and the dock show, standing at Monday's start of duty.
            QCOMPARE(call.body, QStringLiteral("Die Hälfte ist geschafft – noch 135 Tage."));
            QCOMPARE(
                call.body,
                QStringLiteral("Die Hälfte ist geschafft – noch %1 Tage.").arg(LabelText(window, "LblDay")));
            QCOMPARE(call.hints.value("desktop-entry").toString(), QStringLiteral("de.pilgrast.counter"));
            QCOMPARE(call.replaces, 0u); // a notification of its own, never replacing another
            QCOMPARE(call.timeout, -1);  // shown as long as the server shows its notifications
            QTRY_VERIFY(serviceFile().contains("[Meldungen]\nGezeigt=Bergfest 14.2.2027\n"));
            QVERIFY(serviceFile().startsWith("[Dienstzeit]\nBeginn=1.10.2026\nBundesland=BY\n"));
            world.clock.advance(3600);
            window->Timer1_Timer();
            UnloadForm(window);
        }
        {
            const MilestoneNotifier restarted;
            startCounting(world, QStringLiteral("2027-02-14 18:00:00"));
            settle();
            QCOMPARE(server.calls.size(), 1);
        }
        TestWorld::deleteAllWindows();
        {
            // "Noch 150 Tage" was 31 January: a start on 1 February does not tell it late.
            QFile::remove(QStringLiteral("pilgrast.ini"));
            const MilestoneNotifier notifier;
            startCounting(world, QStringLiteral("2027-02-01 10:00:00"));
            settle();
            QCOMPARE(server.calls.size(), 1);
        }
    }

    // Each milestone and own date on its day, with the days the main window shows.
    void toldOnTheirDays_data() {
        QTest::addColumn<QString>("instant");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QString>("body");
        QTest::newRow("Noch 150 Tage") << "2027-01-31 10:00:00"
                                       << "Noch 150 Tage!"
                                       << "Ab heute zählt das Maßband – noch %1 Tage bis zum Pilgrast.";
        QTest::newRow("Noch 100 Tage") << "2027-03-22 10:00:00"
                                       << "Noch 100 Tage!"
                                       << "Nur noch %1 Tage bis zum Pilgrast.";
        QTest::newRow("Letzte Woche") << "2027-06-23 10:00:00"
                                      << "Letzte Woche!"
                                      << "Die letzte Woche beginnt – noch %1 Tage bis zum Pilgrast.";
        QTest::newRow("Letzter Tag") << "2027-06-30 10:00:00"
                                     << "Letzter Tag!"
                                     << "Heute ist Pilgrast – der letzte Tag Ihrer Dienstzeit.";
        QTest::newRow("an own date") << "2027-03-12 10:00:00"
                                     << "Gelöbnis"
                                     << "Heute ist es so weit – noch %1 Tage bis zum Pilgrast.";
        QTest::newRow("an own date over days")
            << "2027-05-05 10:00:00"
            << "Übung Wildflecken"
            << "Heute beginnt es, bis 7.5.2027 – noch %1 Tage bis zum Pilgrast.";
    }
    void toldOnTheirDays() {
        QFETCH(QString, instant);
        QFETCH(QString, summary);
        QFETCH(QString, body);
        TestWorld world;
        NotificationServer server;
        WriteServiceFile({"Beginn=1.10.2026", "Bundesland=BY", "", "[Termine]", "12.3.2027=Gelöbnis",
                          "5.5.2027-7.5.2027=Übung Wildflecken"});
        const MilestoneNotifier notifier;
        frmPGR* window = startCounting(world, instant);
        QTRY_COMPARE(server.calls.size(), 1);
        QCOMPARE(server.calls[0].summary, summary);
        QCOMPARE(server.calls[0].body, body.arg(LabelText(window, "LblDay")));
        // The rest of the day, and a start again that day, tell nothing more.
        for (int second = 0; second < 3; ++second) {
            world.clock.advance(1);
            window->Timer1_Timer();
        }
        settle();
        QCOMPARE(server.calls.size(), 1);
    }

    // Told once a day even where it cannot be remembered; an unreadable file has told nothing.
    void toldOnceWithoutMemory() {
        TestWorld world;
        NotificationServer server;
        {
            const MilestoneNotifier notifier;
            frmPGR* window = startCounting(world, QStringLiteral("2027-02-14 10:00:00"));
            QTRY_COMPARE(server.calls.size(), 1);
            QTRY_VERIFY(serviceFile().contains("Gezeigt=Bergfest 14.2.2027"));
            UnloadForm(window);
        }
        {
            QFile::remove(QStringLiteral("pilgrast.ini"));
            QVERIFY(QDir().mkdir(QStringLiteral("pilgrast.ini"))); // read at start-up: nothing is known
            const MilestoneNotifier notifier;
            startCounting(world, QStringLiteral("2027-02-14 11:00:00"));
            settle();
            QCOMPARE(server.calls.size(), 1);
            QDir().rmdir(QStringLiteral("pilgrast.ini"));
            UnloadForm(FindForm<frmPGR>());
        }
        // Readable at start-up, then not: what it told cannot be read, so it is told again,
        // once, though it cannot be written.
        WriteServiceFile({"Beginn=1.10.2026", "Bundesland=BY"});
        const MilestoneNotifier notifier;
        world.clock.set(QStringLiteral("2027-02-14 12:00:00"));
        frmPGR* main = ShowForm<frmPGR>();
        QFile::remove(QStringLiteral("pilgrast.ini"));
        QVERIFY(QDir().mkdir(QStringLiteral("pilgrast.ini")));
        for (int second = 0; second < 5; ++second) {
            world.clock.advance(1);
            main->Timer1_Timer();
        }
        QTRY_COMPARE(server.calls.size(), 2);
        settle();
        QCOMPARE(server.calls.size(), 2);
    }

    // A milestone or own date made today by a saved change is told at once.
    void toldWhenTheTermMakesItToday() {
        TestWorld world;
        NotificationServer server;
        WriteServiceFile({"Bundesland=BY"});
        const MilestoneNotifier notifier;
        frmPGR* main = startCounting(world, QStringLiteral("2027-02-14 10:00:00"));
        settle();
        QVERIFY(server.calls.isEmpty()); // no start of service: no Bergfest
        main->findChild<QAction*>(QStringLiteral("menuservice"))->trigger();
        frmServiceTerm* window = FindForm<frmServiceTerm>();
        auto* start = window->findChild<QLineEdit*>(QStringLiteral("txtBeginn"));
        start->setText(QStringLiteral("1.10.2026"));
        window->findChild<QPushButton*>(QStringLiteral("cmdsave"))->click();
        world.clock.advance(1);
        main->Timer1_Timer();
        // Saved again before the service has answered: Bergfest is not asked for twice.
        window->findChild<QLineEdit*>(QStringLiteral("txtTermin"))->setText(QStringLiteral("14.2.2027"));
        window->findChild<QLineEdit*>(QStringLiteral("txtTerminName"))
            ->setText(QStringLiteral("Kompaniefest"));
        window->findChild<QPushButton*>(QStringLiteral("cmdsave"))->click();
        world.clock.advance(1);
        main->Timer1_Timer();
        QTRY_COMPARE(server.calls.size(), 2);
        settle();
        QCOMPARE(server.calls.size(), 2);
        QCOMPARE(server.calls[0].summary, QStringLiteral("Bergfest!"));
        QCOMPARE(server.calls[1].summary, QStringLiteral("Kompaniefest"));
        QTRY_VERIFY(serviceFile().contains("Gezeigt=Bergfest 14.2.2027, Kompaniefest 14.2.2027\n"));
    }

    // The program's own services: the dock and the notifier, on the session bus.
    void programStartsItsServices() {
        TestWorld world;
        NotificationServer server;
        DockListener listener;
        const SessionBusServices services = StartSessionBusServices();
        QVERIFY(services.dock && services.notifier);
        startCounting(world, QStringLiteral("2027-02-14 10:00:00"));
        QTRY_COMPARE(server.calls.size(), 1);
        QTRY_VERIFY(!listener.updates.isEmpty());
    }

    // "Beenden" ends with the window open: the badge and the bar hide all the same.
    void endingHidesTheBadge() {
        TestWorld world;
        DockListener listener;
        {
            const DockEntry dock(&countWindowOpen);
            frmPGR* window = startCounting(world, QStringLiteral("2027-05-05 10:00:00"));
            QTRY_COMPARE(listener.updates.size(), 1);
            window->findChild<QAction*>(QStringLiteral("menuquit"))->trigger();
            QCOMPARE(world.programEnds, 1);
        } // main() returns: the dock entry goes with the window still open
        QTRY_COMPARE(listener.updates.size(), 2);
        QCOMPARE(listener.updates.last().properties.value("count-visible"), QVariant(false));
        QCOMPARE(listener.updates.last().properties.value("progress-visible"), QVariant(false));
    }

    void withoutNotificationService() {
        TestWorld world;
        const MilestoneNotifier notifier;
        startCounting(world, QStringLiteral("2027-02-14 10:00:00"));
        settle();
        QVERIFY(world.messages.shown.isEmpty());
        QVERIFY(!serviceFile().contains("Meldungen"));
    }
};

QTEST_MAIN(SessionBusTest)
#include "tst_sessionbus.moc"
