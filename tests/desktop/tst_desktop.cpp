// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/program.h"
#include "countdownwindow/frmcountdown.h"
#include "counterview/counterview.h"
#include "desktop/autostart.h"
#include "app/commandline.h"
#include "app/singleinstance.h"
#include "desktop/trayicon.h"
#include "app/windowsystem.h"
#include "mainwindow/frmpgr.h"
#include "services/programerror.h"
#include "servicetermwindow/frmserviceterm.h"
#include "settingsdialog/frmsettings.h"
#include "support/fakes.h"
#include "timecalc/servicetimes.h"

#include <QProcess>
#include <QSignalSpy>
#include <QtTest>
#include <csignal>

namespace {

// Remembers what the counting windows last reported for the tray.
class RecordedDisplay : public CountDisplay {
public:
    QString toolTip;
    void showCount(const CountReport& report) override { toolTip = CountToolTip(report); }
    void countWindowsChanged() override {}
};

QString toolTipOf(const QString& figure, const QString& endOfService) {
    CountReport report;
    report.figure = figure;
    report.endOfService = endOfService;
    return CountToolTip(report);
}

// Points $XDG_CONFIG_HOME at a folder of the test's own while it lives.
class ConfigHome {
public:
    ConfigHome() : m_previous(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("XDG_CONFIG_HOME", m_dir.path().toLocal8Bit());
    }
    ~ConfigHome() { qputenv("XDG_CONFIG_HOME", m_previous); }
    QString path(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
};

QAction* trayAction(const CounterTray& tray, const QString& text) {
    for (QAction* action : tray.menu()->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT
private slots:
    // The tooltip carries the count as the minimised caption would show it.
    void toolTipFollowsTheTick_data() {
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("nd");
        QTest::addColumn<QString>("instant");
        QTest::addColumn<QString>("figure");
        QTest::newRow("days") << 1 << 0 << "1999-03-01 13:30:00"
                              << "31 Tage";
        QTest::newRow("minutes") << 2 << 0 << "1999-03-01 13:30:00"
                                 << "44819 Minuten";
        QTest::newRow("seconds") << 3 << 0 << "1999-03-01 13:30:00"
                                 << "2689139 Sekunden";
        QTest::newRow("hours") << 4 << 0 << "1999-03-01 13:30:00"
                               << "747 Stunden";
        QTest::newRow("unknown unit") << 7 << 0 << "1999-03-01 13:30:00"
                                      << "31 Tage";
        QTest::newRow("on duty") << 4 << 1 << "1999-03-01 13:30:00"
                                 << "747 Stunden";
        QTest::newRow("off duty: from the next start") << 4 << 1 << "1999-03-01 20:00:00"
                                                       << "729 Stunden";
        QTest::newRow("end of service passed") << 1 << 0 << "1999-04-10 10:00:00"
                                               << "-9 Tage";
    }
    void toolTipFollowsTheTick() {
        QFETCH(int, unit);
        QFETCH(int, nd);
        QFETCH(QString, instant);
        QFETCH(QString, figure);
        TestWorld world(instant);
        RecordedDisplay display;
        AddCountDisplay(&display);
        SettingsRecord record = SampleSettings();
        record.Anzeige = qint16(unit);
        record.nd = qint16(nd);
        WriteSettingsFile(record);
        frmPGR* window = ShowForm<frmPGR>();
        world.clock.advance(1);
        window->Timer1_Timer();
        world.clock.advance(60); // a minute on: counted on, or frozen off duty like the labels
        window->Timer1_Timer();
        RemoveCountDisplay(&display);
        QCOMPARE(display.toolTip, toolTipOf(figure, QStringLiteral("01.04.1999 16:30 Uhr")));
        QCOMPARE(display.toolTip, QStringLiteral("Pilgrast Counter\n") + figure +
                                      QStringLiteral("\nPilgrast: 01.04.1999 16:30 Uhr"));
    }

    // While the countdown window is open, the tooltip carries its figure and unit.
    void toolTipOfTheCountdownWindow_data() {
        QTest::addColumn<bool>("atDutyEnd");
        QTest::addColumn<QString>("instant");
        QTest::addColumn<QString>("figure");
        QTest::newRow("minutes") << false << "1999-04-01 16:00:00"
                                 << "30 Minuten";
        QTest::newRow("the end") << false << "1999-04-01 16:30:01"
                                 << "Das war's ! und Tschüß......";
        QTest::newRow("end of duty") << true << "1999-03-01 16:29:55"
                                     << "5 Sekunden bis zum Dienstschluß";
        QTest::newRow("after the end of duty") << true << "1999-03-01 16:30:01"
                                               << "Schluß für Heute!";
    }
    void toolTipOfTheCountdownWindow() {
        QFETCH(bool, atDutyEnd);
        QFETCH(QString, instant);
        QFETCH(QString, figure);
        TestWorld world(instant);
        RecordedDisplay display;
        AddCountDisplay(&display);
        Settings = SampleSettings();
        Settings.Anzeige = Unit::Minutes;
        CountdownAtDutyEnd = atDutyEnd ? 1 : 0;
        frmCountdown* window = ShowForm<frmCountdown>();
        window->Timer1_Timer();
        window->Timer1_Timer(); // a unit switched on the first refresh shows from the second
        RemoveCountDisplay(&display);
        QCOMPARE(display.toolTip, toolTipOf(figure, EndOfServiceText(Settings) + QStringLiteral(" Uhr")));
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitStatus"); // -1: the program starts
        QTest::addColumn<bool>("userFolder");
        QTest::newRow("none") << QStringList{"pilgrast"} << -1 << false;
        QTest::newRow("user folder") << QStringList{"pilgrast", "--user-folder"} << -1 << true;
        QTest::newRow("help") << QStringList{"pilgrast", "--help"} << 0 << false;
        QTest::newRow("-h") << QStringList{"pilgrast", "-h"} << 0 << false;
        QTest::newRow("help-all") << QStringList{"pilgrast", "--help-all"} << 0 << false;
        QTest::newRow("version") << QStringList{"pilgrast", "--version"} << 0 << false;
        QTest::newRow("unknown option") << QStringList{"pilgrast", "--folder"} << 2 << false;
        QTest::newRow("unknown short option") << QStringList{"pilgrast", "-x"} << 2 << false;
        QTest::newRow("an argument") << QStringList{"pilgrast", "pgr.dat"} << 2 << false;
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitStatus);
        QFETCH(bool, userFolder);
        const auto result = ReadCommandLine(arguments);
        if (exitStatus >= 0) {
            QVERIFY(std::holds_alternative<int>(result));
            QCOMPARE(std::get<int>(result), exitStatus);
            return;
        }
        QVERIFY(std::holds_alternative<StartOptions>(result));
        QCOMPARE(std::get<StartOptions>(result).userFolder, userFolder);
    }

    // Started from a terminal, the current directory; from the desktop, the user's
    // settings folder by $XDG_CONFIG_HOME, else ~/.config, created when missing.
    void settingsFolder() {
        StartOptions fromDesktop;
        fromDesktop.userFolder = true;
        QCOMPARE(SettingsFolderFor(StartOptions()), QString());
        {
            const ConfigHome home;
            QVERIFY(!QFileInfo::exists(SettingsFolderFor(fromDesktop, false))); // found, not made
            const QString folder = SettingsFolderFor(fromDesktop);
            QCOMPARE(folder, home.path(QStringLiteral("pilgrast")));
            QVERIFY(QFileInfo(folder).isDir());
        }
        const QTemporaryDir home;
        const QByteArray previousHome = qgetenv("HOME"), previousConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", home.path().toLocal8Bit());
        qunsetenv("XDG_CONFIG_HOME");
        const QString folder = SettingsFolderFor(fromDesktop);
        qputenv("HOME", previousHome);
        qputenv("XDG_CONFIG_HOME", previousConfig);
        QCOMPARE(folder, home.filePath(QStringLiteral(".config/pilgrast")));
        QVERIFY(QFileInfo(folder).isDir());
    }

    // While a start of service is set, the tooltip also tells how far the service has come.
    void toolTipWithTheTerm() {
        TestWorld world(QStringLiteral("2027-05-06 12:00:00"));
        SettingsRecord record = SampleSettings();
        SetText(&SettingsRecord::Pgr, record, QStringLiteral("30.06.2027"));
        WriteSettingsFile(record);
        WriteServiceFile({"Beginn=1.10.2026", "Bundesland=BY"});
        frmPGR* window = ShowForm<frmPGR>();
        QVERIFY(window);
        CounterTray tray([] { return true; });
        window->Timer1_Timer();
        QCOMPARE(tray.icon().toolTip(),
                 QStringLiteral("Pilgrast Counter\n%1\nPilgrast: 30.06.2027 16:30 Uhr\n"
                                "79 % geschafft, noch 37 Diensttage")
                     .arg(LabelText(window, "LblDay") + " Tage"));
    }

    // A second claim for the same folder asks the first to come forward; other
    // folders run side by side.
    void oneCounterPerFolder() {
        const QTemporaryDir first, second;
        SingleInstance running;
        QVERIFY(running.claim(first.path()));
        QSignalSpy frontWanted(&running, &SingleInstance::frontWanted);
        SingleInstance again;
        QVERIFY(!again.claim(first.path()));
        QVERIFY(frontWanted.wait(2000));
        SingleInstance elsewhere;
        QVERIFY(elsewhere.claim(second.path()));
    }

    // A counter that was killed leaves its lock behind; the next start takes it over.
    void killedCounterNeverBlocks() {
        const QTemporaryDir folder;
        QProcess holder;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOLD_COUNTER_FOR"), folder.path());
        holder.setProcessEnvironment(environment);
        holder.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(holder.waitForReadyRead(10000));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("claimed"));
        SingleInstance blocked;
        QVERIFY(!blocked.claim(folder.path()));
        ::kill(pid_t(holder.processId()), SIGKILL);
        QVERIFY(holder.waitForFinished(5000));
        SingleInstance next;
        QVERIFY(next.claim(folder.path()));
    }

    void autostartEntry() {
        const ConfigHome home;
        const QString entry = home.path(QStringLiteral("autostart/de.pilgrast.counter.desktop"));
        QCOMPARE(AutostartEntryPath(), entry);
        QVERIFY(!AutostartEnabled());
        SetAutostart(true);
        QVERIFY(AutostartEnabled());
        QFile file(entry);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY(text.startsWith(QStringLiteral("[Desktop Entry]\n")));
        QVERIFY(text.contains(
            QStringLiteral("\nExec=\"%1\" --user-folder\n").arg(QCoreApplication::applicationFilePath())));
        SetAutostart(false);
        QVERIFY(!QFileInfo::exists(entry));
        SetAutostart(false); // nothing to remove is no error

        // A file where the autostart folder belongs: a German message, nothing written.
        QVERIFY(QDir(home.path(QStringLiteral("autostart"))).removeRecursively());
        QVERIFY(QFile(home.path(QStringLiteral("autostart"))).open(QIODevice::WriteOnly));
        QVERIFY_THROWS_EXCEPTION(ProgramError, SetAutostart(true));
        QVERIFY(!AutostartEnabled());
    }

    // Quotes and blanks in the program's path survive the desktop entry's quoting.
    void autostartQuoting() {
        QVERIFY(AutostartEntry(QStringLiteral("/opt/my apps/pilgrast"))
                    .contains(QStringLiteral("Exec=\"/opt/my apps/pilgrast\" --user-folder")));
        QVERIFY(AutostartEntry(QStringLiteral("/opt/$x\"%/p"))
                    .contains(QStringLiteral("Exec=\"/opt/\\\\$x\\\\\"%%/p\" --user-folder")));
    }

    // The tray's menu runs the main window's commands and switches the autostart entry.
    void trayMenu() {
        const ConfigHome home;
        TestWorld world(QStringLiteral("1999-03-01 10:00:00"));
        SettingsRecord record = SampleSettings();
        record.Anzeige = Unit::Minutes;
        WriteSettingsFile(record);
        QVERIFY(ShowForm<frmPGR>());
        const std::unique_ptr<CounterTray> tray = StartTray();
        QStringList captions;
        for (const QAction* action : tray->menu()->actions())
            if (!action->isSeparator())
                captions << action->text();
        QCOMPARE(captions, (QStringList{"&Einstellungen", "&Dienstzeit…", "&Countdown", "&Info", "&Hilfe",
                                        "Beim Anmelden starten", "&Beenden"}));
        QTRY_VERIFY(tray->icon().isVisible() || !QSystemTrayIcon::isSystemTrayAvailable());

        trayAction(*tray, QStringLiteral("&Dienstzeit…"))->trigger();
        QVERIFY(FindForm<frmServiceTerm>());
        QVERIFY(FindForm<frmPGR>()); // it stands beside the main window
        UnloadForm(FindForm<frmServiceTerm>());

        trayAction(*tray, QStringLiteral("&Countdown"))->trigger();
        QVERIFY(FindForm<frmCountdown>());
        QVERIFY(!FindForm<frmPGR>());
        trayAction(*tray, QStringLiteral("&Einstellungen"))->trigger(); // the countdown window gives way
        QVERIFY(FindForm<frmSettings>());
        QVERIFY(!FindForm<frmCountdown>());
        QVERIFY(!FindForm<frmPGR>());
        QTRY_VERIFY(!tray->icon().isVisible());

        QAction* autostart = trayAction(*tray, QStringLiteral("Beim Anmelden starten"));
        autostart->trigger();
        QVERIFY(AutostartEnabled());
        QVERIFY(autostart->isChecked());
        autostart->trigger();
        QVERIFY(!AutostartEnabled());
        QVERIFY(!autostart->isChecked());

        trayAction(*tray, QStringLiteral("&Beenden"))->trigger();
        QCOMPARE(world.programEnds, 1);
        QVERIFY(world.messages.shown.isEmpty());
    }

    void platformChoice_data() {
        QTest::addColumn<QByteArray>("usersChoice");
        QTest::addColumn<bool>("waylandSession");
        QTest::addColumn<QByteArray>("choice");
        QTest::newRow("Wayland session") << QByteArray() << true << QByteArray("xcb;wayland");
        QTest::newRow("the user's choice holds") << QByteArray("wayland") << true << QByteArray();
        QTest::newRow("X11 session") << QByteArray() << false << QByteArray();
    }
    void platformChoice() {
        QFETCH(QByteArray, usersChoice);
        QFETCH(bool, waylandSession);
        QTEST(PlatformChoice(usersChoice, waylandSession), "choice");
    }
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // As a helper of killedCounterNeverBlocks: a counter that holds its folder until killed.
    if (qEnvironmentVariableIsSet("HOLD_COUNTER_FOR")) {
        SingleInstance counter;
        if (!counter.claim(qEnvironmentVariable("HOLD_COUNTER_FOR")))
            return 1;
        std::puts("claimed");
        std::fflush(stdout);
        return QApplication::exec();
    }
    DesktopTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktop.moc"
