// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The program as it is put together: the start-up's wiring, the command line as a user
// sees it, one counter per folder with a second process, and the desktop seams.
#include "aboutbox/info.h"
#include "app/program.h"
#include "app/singleinstance.h"
#include "app/windowsystem.h"
#include "countdownwindow/frmcountdown.h"
#include "desktop/autostart.h"
#include "desktop/trayicon.h"
#include "helpwindow/help.h"
#include "mainwindow/frmpgr.h"
#include "services/errortrap.h"
#include "services/programend.h"
#include "settings/fileaccess.h"
#include "settings/settingsfile.h"
#include "settingsdialog/frmsettings.h"
#include "support/fakes.h"

#include <QAbstractButton>
#include <QCryptographicHash>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>
#include <cerrno>

namespace {

QString programPath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/pilgrast");
}

// Sets the program up to start in the folder, without a display.
void prepare(QProcess& process, const QString& folder) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
}

struct Run {
    int exitStatus;
    QString out, err;
};

Run runProgram(const QStringList& arguments, int timeoutMs = 10000) {
    QProcess process;
    prepare(process, QDir::currentPath());
    process.start(programPath(), arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {-1, {}, {}};
    }
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// The texts of the buttons of the message box that is open, which is then answered with the last.
QStringList answerOpenBox() {
    QStringList texts;
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box)
        return texts;
    for (QAbstractButton* button : box->buttons())
        texts << button->text().remove(QLatin1Char('&'));
    box->buttons().last()->click();
    return texts;
}

// A clock whose second turns in a few milliseconds, so that the real timers run.
class QuickClock : public FakeClock {
public:
    int msecsToNextSecond() const override { return 10; }
};

// Counts what the windows report to the displays outside them.
class WindowReports : public CountDisplay {
public:
    int changes = 0;
    void countWindowsChanged() override { ++changes; }
};

void writeSettings() {
    WriteSettingsFile(SampleSettings());
}

} // namespace

class ProgramTest : public QObject {
    Q_OBJECT
private slots:
    // The program's own set-up, once, as main() does it; each TestWorld then puts its
    // scripted message service in the place of the real one.
    void initTestCase() { SetUpProgram(); }

    // Before anything has run, every program-wide flag is off.
    void flagsStartOff() {
        QCOMPARE(OffDutyShown, False);
        QCOMPARE(DutyEndNoticeDone, False);
        QCOMPARE(QuitQuestionAsked, False);
        QCOMPARE(AutoCountdownDone, False);
        QCOMPARE(CounterHalted, qint16(0));
    }

    // The start-up gives German message boxes, a name and an icon. Runs before any
    // TestWorld has replaced the message service.
    void startUp() {
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Pilgrast Counter"));
        QVERIFY(QApplication::windowIcon().availableSizes().contains(QSize(32, 32)));
        QStringList buttons;
        QTimer::singleShot(0, [&] { buttons = answerOpenBox(); });
        const int answer = MsgBox(QStringLiteral("Frage?"), MsgStyle::YesNoQuestion);
        QCOMPARE(buttons, (QStringList{"Ja", "Nein"}));
        QCOMPARE(answer, MsgNo);
    }

    // Windows replace each other without ending the program; the last one closed ends it.
    void endsWithItsLastWindow() {
        TestWorld world;
        writeSettings();
        frmPGR* main = ShowForm<frmPGR>();
        main->menusettings_Click();
        QVERIFY(FindForm<frmSettings>());
        FindForm<frmSettings>()->cmdclose_Click();
        QVERIFY(FindForm<frmPGR>());
        ShowForm<Info>();
        // The desktop reports the last window closed only while the event loop runs.
        int endsWithInfoOpen = -1;
        SetProgramEnd([&] {
            ++world.programEnds;
            QCoreApplication::exit(0);
        });
        QTimer::singleShot(0, [&] {
            FindForm<frmPGR>()->close();
            QTimer::singleShot(50, [&] {
                endsWithInfoOpen = world.programEnds; // the about box is still open
                FindForm<Info>()->close();
            });
        });
        // A watchdog that ends with this test: a timer left behind would end a later test's loop.
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        watchdog.start(3000);
        QCOMPARE(QApplication::exec(), 0);
        QCOMPARE(endsWithInfoOpen, 0);
        QCOMPARE(world.programEnds, 1);
    }

    void countWindowOpen() {
        TestWorld world;
        writeSettings();
        QVERIFY(!CountWindowOpen());
        ShowForm<frmSettings>();
        QVERIFY(!CountWindowOpen());
        ShowForm<frmPGR>();
        QVERIFY(CountWindowOpen());
        Settings.Anzeige = Unit::Hours;
        FindForm<frmPGR>()->menuCDn_Click();
        QVERIFY(!FindForm<frmPGR>());
        QVERIFY(CountWindowOpen()); // the countdown window alone
    }

    // The tray reports the windows at once: with none open, the program ends.
    void trayEndsAProgramWithoutWindows() {
        TestWorld world;
        const std::unique_ptr<CounterTray> tray = StartTray();
        QTRY_COMPARE(world.programEnds, 1);
    }

    // Each tray command does what the menu command does, also while the countdown window stands in.
    void trayCommands_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("countdownOpen");
        QTest::addColumn<QString>("result");
        QTest::newRow("settings") << "&Einstellungen" << false << "frmSettings";
        QTest::newRow("settings instead of the countdown") << "&Einstellungen" << true << "frmSettings";
        QTest::newRow("Dienstzeit") << "&Dienstzeit…" << false << "frmServiceTerm";
        QTest::newRow("countdown") << "&Countdown" << false << "frmCountdown";
        QTest::newRow("info") << "&Info" << false << "Info";
        QTest::newRow("help") << "&Hilfe" << false << "HelpWindow";
        QTest::newRow("help, countdown") << "&Hilfe" << true << "HelpWindow";
    }
    void trayCommands() {
        QFETCH(QString, command);
        QFETCH(bool, countdownOpen);
        QFETCH(QString, result);
        TestWorld world;
        SettingsRecord record = SampleSettings();
        record.Anzeige = Unit::Hours;
        WriteSettingsFile(record);
        ShowForm<frmPGR>();
        if (countdownOpen)
            FindForm<frmPGR>()->menuCDn_Click();
        const std::unique_ptr<CounterTray> tray = StartTray();
        for (QAction* action : tray->menu()->actions())
            if (action->text() == command)
                action->trigger();
        QWidget* shown = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->metaObject()->className() == result && window->isVisible())
                shown = window;
        QVERIFY2(shown, qPrintable(result));
        if (result == QLatin1String("HelpWindow"))
            QCOMPARE(static_cast<HelpWindow*>(shown)->topic(), HelpTopic::Contents);
        QVERIFY(world.messages.shown.isEmpty());
    }

    // A click on the tray brings the main window, else the countdown, else the settings to the front.
    void trayClickBringsTheCounterForward() {
        TestWorld world;
        SettingsRecord record = SampleSettings();
        record.Anzeige = Unit::Hours;
        WriteSettingsFile(record);
        const std::unique_ptr<CounterTray> tray = StartTray();
        frmSettings* settings = ShowForm<frmSettings>();
        frmPGR* main = ShowForm<frmPGR>();
        main->showMinimized();
        settings->showMinimized();
        emit tray->icon().activated(QSystemTrayIcon::Trigger);
        QTRY_VERIFY(!main->isMinimized());
        QVERIFY(settings->isMinimized());
        main->menuCDn_Click();
        frmCountdown* countdown = FindForm<frmCountdown>();
        countdown->showMinimized();
        emit tray->icon().activated(QSystemTrayIcon::DoubleClick);
        QTRY_VERIFY(!countdown->isMinimized());
        QVERIFY(settings->isMinimized());
        UnloadForm(countdown);
        UnloadForm(FindForm<frmPGR>());
        emit tray->icon().activated(QSystemTrayIcon::Trigger);
        QTRY_VERIFY(!settings->isMinimized());
    }

    // The tray as a host reads it: icon, menu, tooltip that follows the count, the autostart mark.
    void trayAsAHostSeesIt() {
        TestWorld world;
        writeSettings();
        ShowForm<frmPGR>();
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        CounterTray tray(&CountWindowOpen);
        tray.countWindowsChanged();
        QTRY_VERIFY(tray.icon().isVisible()); // shown with the main window
        QVERIFY(!tray.icon().icon().isNull());
        QCOMPARE(tray.icon().contextMenu(), tray.menu());
        CountReport report;
        report.figure = QStringLiteral("113 Tage");
        report.endOfService = QStringLiteral("31.03.2027 16:30 Uhr");
        tray.showCount(report);
        QCOMPARE(tray.icon().toolTip(),
                 QStringLiteral("Pilgrast Counter\n113 Tage\nPilgrast: 31.03.2027 16:30 Uhr"));
        report.figure = QStringLiteral("112 Tage");
        tray.showCount(report);
        QVERIFY(tray.icon().toolTip().contains(QStringLiteral("112 Tage")));

        QAction* autostart = nullptr;
        for (QAction* action : tray.menu()->actions())
            if (action->text() == QStringLiteral("Beim Anmelden starten"))
                autostart = action;
        QVERIFY(autostart && !autostart->isChecked());
        SetAutostart(true); // by hand, while the menu was closed
        emit tray.menu()->aboutToShow();
        QVERIFY(autostart->isChecked());
        SetAutostart(false);
        emit tray.menu()->aboutToShow();
        QVERIFY(!autostart->isChecked());

        // A file where the autostart folder belongs: the failure is said, the mark stays off.
        QVERIFY(QDir(config.filePath(QStringLiteral("autostart"))).removeRecursively());
        QFile blocker(config.filePath(QStringLiteral("autostart")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        autostart->trigger();
        QCOMPARE(world.messages.shown.size(), 1);
        QCOMPARE(world.messages.shown[0].style, 48);
        QVERIFY(!autostart->isChecked());
        qunsetenv("XDG_CONFIG_HOME");

        UnloadForm(FindForm<frmPGR>());
        tray.countWindowsChanged();
        QTRY_VERIFY(!tray.icon().isVisible()); // hidden with the last counting window
    }

    // The entry as a session reads it: a plain application started with --user-folder.
    void autostartEntryAsASessionReadsIt() {
        const QString program = QStringLiteral("/opt/a\\b \"c\"/pilgrast");
        QMap<QString, QString> keys;
        for (const QString& line : AutostartEntry(program).split(QLatin1Char('\n')))
            if (line.contains(QLatin1Char('=')))
                keys.insert(line.section(QLatin1Char('='), 0, 0), line.section(QLatin1Char('='), 1));
        QCOMPARE(keys.value("Type"), QStringLiteral("Application"));
        QCOMPARE(keys.value("Terminal"), QStringLiteral("false"));
        // A key file's string unescaping, then the Exec key's quoting, as the desktop entry standard reads
        // them.
        QString exec = keys.value("Exec");
        exec.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
        QVERIFY(exec.startsWith(QLatin1Char('"')));
        QString argument;
        qsizetype i = 1;
        for (; i < exec.size() && exec.at(i) != QLatin1Char('"'); ++i)
            argument += exec.at(i) == QLatin1Char('\\') ? exec.at(++i) : exec.at(i);
        QCOMPARE(argument, program);
        QCOMPARE(exec.mid(i + 1), QStringLiteral(" --user-folder"));
    }

    // The command line, in a process of its own, as the user sees it.
    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitStatus");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        const QString usage = QStringLiteral("Aufruf: %1 [Optionen]\n").arg(programPath());
        const QString refusal = QStringLiteral("pilgrast: %1\n„pilgrast --help“ zeigt die Optionen.\n");
        QTest::newRow("--help") << QStringList{"--help"} << 0 << usage << "";
        QTest::newRow("-h") << QStringList{"-h"} << 0 << usage << "";
        QTest::newRow("--help-all") << QStringList{"--help-all"} << 0 << usage << "";
        QTest::newRow("--version") << QStringList{"--version"} << 0 << "Pilgrast Counter 2.0\n"
                                   << "";
        QTest::newRow("-v") << QStringList{"-v"} << 0 << "Pilgrast Counter 2.0\n"
                            << "";
        QTest::newRow("unknown option")
            << QStringList{"--folder"} << 2 << "" << refusal.arg("Unbekannte Option „--folder“.");
        QTest::newRow("unknown short option")
            << QStringList{"-x"} << 2 << "" << refusal.arg("Unbekannte Option „-x“.");
        QTest::newRow("an argument") << QStringList{"pgr.dat"} << 2 << ""
                                     << refusal.arg("Unerwartetes Argument „pgr.dat“.");
        QTest::newRow("a file option without its file")
            << QStringList{"--export-png"} << 2 << ""
            << refusal.arg("Die Option „--export-png“ braucht einen Dateinamen: „--export-png DATEI“.");
        QTest::newRow("a format after a blank")
            << QStringList{"--status", "json"} << 2 << ""
            << refusal.arg("Unerwartetes Argument „json“. Das Format schließt mit „=“ an: --status=json.");
        QTest::newRow("a value to a switch") << QStringList{"--status", "--follow=ja"} << 2 << ""
                                             << refusal.arg("Die Option „--follow“ nimmt keinen Wert.");
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        const Run run = runProgram(arguments);
        QTEST(run.exitStatus, "exitStatus");
        QFETCH(QString, out);
        if (out.startsWith(QStringLiteral("Aufruf"))) {
            QVERIFY2(run.out.startsWith(out), qPrintable(run.out));
            QVERIFY(run.out.contains(QStringLiteral("--user-folder")));
            QVERIFY(run.out.contains(QStringLiteral("Pilgrast Counter zählt die verbleibende Dienstzeit")));
        } else {
            QCOMPARE(run.out, out);
        }
        QTEST(run.err, "err");
    }

    // A second start for the same folder, in a process of its own, calls the first once and ends.
    void secondStartCallsTheFirst() {
        const QTemporaryDir folder;
        SingleInstance running;
        QVERIFY(running.claim(folder.path()));
        QSignalSpy frontWanted(&running, &SingleInstance::frontWanted);
        QProcess second;
        prepare(second, folder.path());
        second.start(programPath(), {});
        QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, 15000);
        QCOMPARE(second.exitCode(), 0);
        // Called once: a second start that kept calling would be let in again and again.
        QTRY_COMPARE(frontWanted.count(), 1);
        QTest::qWait(100);
        QCOMPARE(frontWanted.count(), 1);
    }

    // A folder through a symbolic link is the same counter; a killed run's socket is cleared.
    void counterIdentity() {
        const QTemporaryDir base;
        const QString folder = base.filePath(QStringLiteral("real"));
        const QString link = base.filePath(QStringLiteral("link"));
        QVERIFY(QDir().mkdir(folder));
        QVERIFY(QFile::link(folder, link));
        {
            SingleInstance first;
            QVERIFY(first.claim(folder));
            SingleInstance throughTheLink;
            QVERIFY(!throughTheLink.claim(link));
        }
        // A run killed with its lock and socket left behind.
        QProcess killed;
        prepare(killed, folder);
        killed.start(programPath(), {});
        QVERIFY(killed.waitForStarted());
        // Where a counter keeps its lock and socket: the runtime folder, by the real folder's hash.
        const QString key = QString::fromLatin1(
            QCryptographicHash::hash(QFileInfo(folder).canonicalFilePath().toUtf8(), QCryptographicHash::Sha1)
                .toHex()
                .left(16));
        const QString left = QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
                                 .filePath(QStringLiteral("pilgrast-") + key);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(left + QStringLiteral(".socket")), 15000);
        killed.kill();
        killed.waitForFinished();
        QVERIFY(QFile::exists(left + QStringLiteral(".lock"))); // left behind
        QVERIFY(QFile::exists(left + QStringLiteral(".socket")));
        SingleInstance next;
        QVERIFY(next.claim(folder));
        QSignalSpy frontWanted(&next, &SingleInstance::frontWanted);
        SingleInstance another;
        QVERIFY(!another.claim(link));
        QTRY_COMPARE(frontWanted.count(), 1);
    }

    // The start's phases, which the benchmark's table names, count from one instant in the program
    // and in the windows' module alike: the exec, when the caller gives it, or else main().
    void startTrace_data() {
        QTest::addColumn<qint64>("execAgoMs");
        QTest::newRow("from main") << qint64(0);
        QTest::newRow("from the exec given") << qint64(5000);
    }

    void startTrace() {
        QFETCH(qint64, execAgoMs);
        const QTemporaryDir folder;
        QProcess program;
        prepare(program, folder.path());
        QProcessEnvironment environment = program.processEnvironment();
        const qint64 exec = QDeadlineTimer::current().deadlineNSecs() - execAgoMs * 1000000;
        environment.insert(QStringLiteral("PILGRAST_TRACE_START"),
                           execAgoMs ? QString::number(exec) : QStringLiteral("1"));
        program.setProcessEnvironment(environment);
        program.setReadChannel(QProcess::StandardError);
        program.start(programPath(), {});
        QString trace;
        QDeadlineTimer deadline(15000);
        while (!trace.contains(QStringLiteral("tray, dock and notifications")) && !deadline.hasExpired() &&
               program.waitForReadyRead(1000))
            trace += QString::fromUtf8(program.readAllStandardError());
        program.kill();
        program.waitForFinished();

        QStringList phases;
        QList<double> instants;
        for (const QString& line : trace.split(QLatin1Char('\n')))
            if (line.startsWith(QStringLiteral("pilgrast start"))) {
                const QStringList words = line.simplified().split(QLatin1Char(' '));
                instants << words[2].toDouble();
                phases << words.mid(6).join(QLatin1Char(' '));
            }
        // A first start: the settings dialog stands in for the main window.
        QCOMPARE(phases, (QStringList{"main", "windows loaded", "application", "one counter per folder",
                                      "program set up", "main window shown", "first frame",
                                      "tray, dock and notifications"}));
        QVERIFY2(std::is_sorted(instants.begin(), instants.end()), qPrintable(trace));
        QVERIFY2(instants.at(1) > instants.first(), qPrintable(trace)); // loading the module takes time
        QVERIFY2(instants.first() >= double(execAgoMs) && instants.first() < double(execAgoMs) + 2000,
                 qPrintable(trace));
    }

    // The window system as the program reads it from the environment.
    void windowSystem_data() {
        QTest::addColumn<QByteArray>("wayland");
        QTest::addColumn<QByteArray>("usersChoice");
        QTest::addColumn<QByteArray>("platform");
        QTest::newRow("Wayland session")
            << QByteArray("wayland-0") << QByteArray() << QByteArray("xcb;wayland");
        QTest::newRow("X11 session") << QByteArray() << QByteArray() << QByteArray();
        QTest::newRow("the user's own choice")
            << QByteArray("wayland-0") << QByteArray("wayland") << QByteArray("wayland");
        QTest::newRow("the user's choice on X11") << QByteArray() << QByteArray("xcb") << QByteArray("xcb");
    }
    void windowSystem() {
        QFETCH(QByteArray, wayland);
        QFETCH(QByteArray, usersChoice);
        const QByteArray previousWayland = qgetenv("WAYLAND_DISPLAY"),
                         previousPlatform = qgetenv("QT_QPA_PLATFORM");
        wayland.isEmpty() ? qunsetenv("WAYLAND_DISPLAY") : qputenv("WAYLAND_DISPLAY", wayland);
        usersChoice.isEmpty() ? qunsetenv("QT_QPA_PLATFORM") : qputenv("QT_QPA_PLATFORM", usersChoice);
        ChooseWindowSystem();
        const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
        qputenv("WAYLAND_DISPLAY", previousWayland);
        qputenv("QT_QPA_PLATFORM", previousPlatform);
        QTEST(chosen, "platform");
    }

    // The timer fires just after the clock's second turns, never before it.
    void timerFiresAfterTheTurn() {
        QuickClock clock;
        SetClockSource(&clock);
        SecondTimer timer;
        QElapsedTimer elapsed;
        qint64 firedAfter = -1;
        QObject::connect(&timer, &SecondTimer::tick, [&] {
            if (firedAfter < 0)
                firedAfter = elapsed.elapsed();
        });
        elapsed.start();
        timer.start();
        QTRY_VERIFY(firedAfter >= 0);
        timer.stop();
        SetClockSource(nullptr);
        // Never before the turn, 10 ms on; late only by what a busy machine adds.
        QVERIFY2(firedAfter >= 10 && firedAfter < 1000, qPrintable(QString::number(firedAfter)));
    }

    // The countdown window counts on by itself, with the real timer.
    void countdownWindowRunsItsTimer() {
        QuickClock clock;
        clock.set(QStringLiteral("1999-04-01 16:00:00"));
        TestWorld world;
        SetClockSource(&clock);
        SettingsRecord record = SampleSettings();
        record.Anzeige = Unit::Seconds;
        WriteSettingsFile(record);
        Settings = record;
        frmCountdown* countdown = ShowForm<frmCountdown>();
        QTRY_COMPARE(LabelText(countdown, "lblTime"), QStringLiteral("1800"));
        clock.advance(10);
        QTRY_COMPARE(LabelText(countdown, "lblTime"), QStringLiteral("1790"));
        UnloadForm(countdown);
    }

    void mainWindowTellsTheDisplays() {
        TestWorld world;
        writeSettings();
        WindowReports reports;
        AddCountDisplay(&reports);
        frmPGR* main = ShowForm<frmPGR>();
        QCOMPARE(reports.changes, 1);
        UnloadForm(main);
        QCOMPARE(reports.changes, 2);
        RemoveCountDisplay(&reports);
    }

    // Brought to the front: restored, raised and active; placed in the middle of its screen.
    void presentAndCentre() {
        TestWorld world;
        ShowForm<Info>();
        Info* about = FindForm<Info>();
        about->showMinimized();
        QTRY_VERIFY(about->isMinimized());
        forms::Present(about);
        QTRY_VERIFY(!about->isMinimized());
        QTRY_VERIFY(about->isActiveWindow());
        CentreOnScreen(about);
        const QPoint middle = about->screen()->availableGeometry().center();
        QVERIFY((about->frameGeometry().center() - middle).manhattanLength() <= 2);
    }

    // One failure makes only the watch that saw it fail.
    void failureWatch() {
        TestWorld world;
        const FailureWatch before;
        ReportRecurringError(QStringLiteral("Fehler"), "#1");
        QVERIFY(before.failed());
        const FailureWatch after;
        QVERIFY(!after.failed());
        RecurringRoutineSucceeded("#1");
        QVERIFY(!after.failed());
    }

    void help() {
        TestWorld world;
        ShowHelp(HelpTopic::SettingsDialog);
        HelpWindow* window = FindForm<HelpWindow>();
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("Pilgrast Counter – Hilfe"));
        QCOMPARE(window->topic(), HelpTopic::SettingsDialog);
        QVERIFY(!HelpFilePath().isEmpty());
        UnloadForm(window);

        // Without the file: one clear message, no window.
        const QString file = HelpFilePath();
        QVERIFY(QFile::rename(file, file + QStringLiteral(".away")));
        const QString missing = HelpFilePath();
        ShowHelp(HelpTopic::Contents);
        QVERIFY(QFile::rename(file + QStringLiteral(".away"), file));
        QVERIFY(missing.isEmpty() || !missing.startsWith(QCoreApplication::applicationDirPath()));
        if (missing.isEmpty()) {
            QCOMPARE(world.messages.shown.size(), 1);
            QVERIFY(world.messages.shown[0].text.startsWith(QStringLiteral(
                "Die Hilfedatei Pgrcn.hlp wurde nicht gefunden. Sie gehört neben das Programm")));
            QVERIFY(!FindForm<HelpWindow>());
        }
    }

    // "Beenden" leaves the event loop with status 0.
    void quitEndsWithStatusZero() {
        SetProgramEnd({});
        QTimer::singleShot(0, &EndProgram);
        QCOMPARE(QApplication::exec(), 0);
    }

    void fileCauses_data() {
        QTest::addColumn<int>("errorNumber");
        QTest::addColumn<QString>("cause");
        QTest::newRow("EACCES") << EACCES << "Zugriff verweigert, es fehlt die Berechtigung";
        QTest::newRow("EPERM") << EPERM << "Zugriff verweigert, es fehlt die Berechtigung";
        QTest::newRow("EROFS") << EROFS << "der Datenträger ist schreibgeschützt";
        QTest::newRow("ENOSPC") << ENOSPC
                                << "der Datenträger ist voll oder Ihr Speicherplatz ist ausgeschöpft";
        QTest::newRow("EDQUOT") << EDQUOT
                                << "der Datenträger ist voll oder Ihr Speicherplatz ist ausgeschöpft";
        QTest::newRow("EISDIR") << EISDIR << "an ihrer Stelle steht ein Ordner";
        QTest::newRow("ENOENT") << ENOENT << "die Datei oder ihr Ordner ist nicht mehr vorhanden";
        QTest::newRow("ENOTDIR") << ENOTDIR << "die Datei oder ihr Ordner ist nicht mehr vorhanden";
        QTest::newRow("EIO") << EIO << "Ein-/Ausgabefehler des Datenträgers";
        QTest::newRow("none") << 0 << "die Ursache ist unbekannt";
        QTest::newRow("other") << EXDEV << QStringLiteral("Dateifehler Nummer %1").arg(EXDEV);
    }
    void fileCauses() {
        QFETCH(int, errorNumber);
        QTEST(FileErrorCause(errorNumber), "cause");
    }

    // pgr.dat is kept in the folder the program was told, else in the current one.
    void settingsFolder() {
        TestWorld world;
        const QTemporaryDir folder;
        SetSettingsFolder(folder.path());
        const QString told = SettingsFilePath();
        SetSettingsFolder(QString());
        QCOMPARE(told, QDir(folder.path()).filePath(QStringLiteral("pgr.dat")));
        QCOMPARE(SettingsFilePath(), QDir::current().absoluteFilePath(QStringLiteral("pgr.dat")));
    }

    // An empty pgr.dat in a folder that takes no new file is written in place.
    void emptyFileInAProtectedFolder() {
        TestWorld world;
        QFile empty(QStringLiteral("pgr.dat"));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        const WriteProtected protection(QDir::currentPath());
        if (!protection.active())
            QSKIP("the folder cannot be write-protected here");
        Settings = SampleSettings();
        WriteSettings();
        QCOMPARE(QFileInfo(QStringLiteral("pgr.dat")).size(), 96);
    }

    // The dialog tags a failed reading "#24" and saves Friday's end of duty from Friday's box.
    void settingsDialogTagsAndBoxes() {
        {
            TestWorld world;
            QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), QStringLiteral("pgr.dat")));
            ShowForm<frmSettings>();
            QCOMPARE(world.messages.shown.size(), 1);
            QVERIFY(world.messages.shown[0].text.endsWith(QStringLiteral("#24")));
        }
        TestWorld world(QStringLiteral("1999-03-03 10:00:00"));
        writeSettings();
        frmSettings* dialog = ShowForm<frmSettings>();
        dialog->findChild<QLineEdit*>(QStringLiteral("txtDsch"))->setText(QStringLiteral("16:45"));
        dialog->findChild<QLineEdit*>(QStringLiteral("txtDschFr"))->setText(QStringLiteral("13:15"));
        dialog->cmdsave_Click();
        QCOMPARE(Settings.Dsch, QStringLiteral("16:45"));
        QCOMPARE(Settings.DschFr, QStringLiteral("13:15"));
    }

    // The start leaves Qt's plugins (image formats, icon engines, styles) to be found as before,
    // from the first frame on. Last, as it sets the program up a second time.
    void pluginsFoundFromTheFirstFrame() {
        TestWorld world;
        writeSettings();
        const QStringList folders = QCoreApplication::libraryPaths();
        QVERIFY(!folders.isEmpty());
        StartProgram();
        QVERIFY(FindForm<frmPGR>());
        QTRY_COMPARE(QCoreApplication::libraryPaths(), folders);
    }
};

QTEST_MAIN(ProgramTest)
#include "tst_program.moc"
