// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "program.h"

#include "aboutbox/info.h"
#include "countdownwindow/frmcountdown.h"
#include "desktop/trayicon.h"
#include "helpwindow/help.h"
#include "mainwindow/frmpgr.h"
#include "services/programend.h"
#include "servicetermwindow/frmserviceterm.h"
#include "settingsdialog/frmsettings.h"
#include "widgets/flagicon.h"
#include "widgets/forms.h"
#include "widgets/qtmessages.h"

#include "services/starttrace.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <vector>

namespace {

// The tray runs the main window's commands; while the countdown window stands in
// for the main window, it gives way first, as closing it brings the main window back.
frmPGR* mainWindowForCommand() {
    if (frmCountdown* countdown = FindForm<frmCountdown>())
        UnloadForm(countdown);
    return FindForm<frmPGR>();
}

// The menu bar asks the style for an icon the style reads from a file, and reading it
// probes every image plugin (GIF, ICO, JPEG) by content before Qt's own PNG reader. The
// windows need no plugin of any kind before their first frame; from then on all are found.
void findPluginsAfterFirstFrame() {
    const QStringList folders = QCoreApplication::libraryPaths();
    QCoreApplication::setLibraryPaths({});
    AfterFirstFrame([folders] { QCoreApplication::setLibraryPaths(folders); });
}

} // namespace

void SetUpProgram() {
    NameTheProgram();
    QApplication::setWindowIcon(FlagIcon());
    // Qt's German texts (standard buttons, the boxes' context menus) come after the first
    // frame; a message box before it loads them itself.
    AfterFirstFrame([] { InstallGermanTranslation(); });

    static QtMessageService messages;
    SetMessageService(&messages);
    SetHelpOpener(&ShowHelp);
    SetMainWindowAccess(MainWindowOfTheProgram());

    // Windows replace each other: the program ends only when none is left open,
    // checked after the handler that closed one has shown its successor.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(qApp, &QGuiApplication::lastWindowClosed, &EndWhenNoWindowLeft);
}

void StartProgram() {
    SetUpProgram();
    TraceStart("program set up");
    findPluginsAfterFirstFrame();
    ShowForm<frmPGR>();
    TraceStart("main window shown");
}

namespace {

// Watches for the first paint of any window; the actions run once that paint is done.
class FirstFrame : public QObject {
public:
    FirstFrame() : QObject(qApp) {
        qApp->installEventFilter(this);
        QTimer::singleShot(500, this, &FirstFrame::run);
    }
    static FirstFrame* waiting() {
        static QPointer<FirstFrame> watcher;
        if (!watcher || watcher->m_done)
            watcher = new FirstFrame;
        return watcher;
    }
    void add(std::function<void()> action) { m_actions.push_back(std::move(action)); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            qApp->removeEventFilter(this);
            QTimer::singleShot(0, this, &FirstFrame::run);
        }
        return false;
    }

private:
    void run() {
        qApp->removeEventFilter(this);
        if (m_done)
            return;
        m_done = true;
        const std::vector<std::function<void()>> actions = std::exchange(m_actions, {});
        TraceStart("first frame");
        for (const std::function<void()>& action : actions)
            action();
        deleteLater();
    }

    std::vector<std::function<void()>> m_actions;
    bool m_done = false;
};

} // namespace

void AfterFirstFrame(std::function<void()> action) {
    FirstFrame::waiting()->add(std::move(action));
}

void KeepWakeUpsFew() {
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}

std::unique_ptr<CounterTray> StartTray() {
    auto tray = std::make_unique<CounterTray>(&CountWindowOpen);
    QObject::connect(tray.get(), &CounterTray::clicked, &BringCounterToFront);
    QObject::connect(tray.get(), &CounterTray::settingsChosen, [] {
        if (frmPGR* window = mainWindowForCommand())
            window->menusettings_Click();
    });
    QObject::connect(tray.get(), &CounterTray::countdownChosen, [] {
        if (frmCountdown* countdown = FindForm<frmCountdown>())
            forms::Present(countdown);
        else if (frmPGR* window = FindForm<frmPGR>())
            window->menuCDn_Click();
    });
    QObject::connect(tray.get(), &CounterTray::serviceTermChosen, [] { ShowForm<frmServiceTerm>(); });
    QObject::connect(tray.get(), &CounterTray::infoChosen, [] { ShowForm<Info>(); });
    QObject::connect(tray.get(), &CounterTray::helpChosen, [] { ShowHelp(HelpTopic::Contents); });
    QObject::connect(tray.get(), &CounterTray::quitChosen, &EndProgram);
    tray->countWindowsChanged();
    return tray;
}

SessionBusServices StartSessionBusServices() {
    return {std::make_unique<DockEntry>(&CountWindowOpen), std::make_unique<MilestoneNotifier>()};
}

bool CountWindowOpen() {
    return FindForm<frmPGR>() || FindForm<frmCountdown>();
}

void BringCounterToFront() {
    QWidget* window = FindForm<frmPGR>();
    if (!window)
        window = FindForm<frmCountdown>();
    if (!window)
        window = FindForm<frmSettings>();
    if (window)
        forms::Present(window);
}
