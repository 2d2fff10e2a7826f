// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "trayicon.h"

#include "autostart.h"
#include "counterview/counterview.h"
#include "services/messages.h"
#include "services/programerror.h"
#include "widgets/forms.h"

#include <QApplication>
#include <QTimer>

CounterTray::CounterTray(std::function<bool()> countWindowOpen, QObject* parent)
    : QObject(parent), m_countWindowOpen(std::move(countWindowOpen)), m_menu(new QMenu) {
    m_menu->addAction(QStringLiteral("&Einstellungen"), this, &CounterTray::settingsChosen);
    m_menu->addAction(QStringLiteral("&Dienstzeit…"), this, &CounterTray::serviceTermChosen);
    m_menu->addAction(QStringLiteral("&Countdown"), this, &CounterTray::countdownChosen);
    m_menu->addAction(QStringLiteral("&Info"), this, &CounterTray::infoChosen);
    m_menu->addAction(QStringLiteral("&Hilfe"), this, &CounterTray::helpChosen);
    m_menu->addSeparator();
    m_autostart = m_menu->addAction(QStringLiteral("Beim Anmelden starten"));
    m_autostart->setCheckable(true);
    connect(m_autostart, &QAction::triggered, this, &CounterTray::autostartChosen);
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("&Beenden"), this, &CounterTray::quitChosen);
    connect(m_menu, &QMenu::aboutToShow, this, &CounterTray::showAutostartState);
    showAutostartState();

    m_icon.setIcon(QApplication::windowIcon());
    m_icon.setToolTip(QStringLiteral("Pilgrast Counter"));
    m_icon.setContextMenu(m_menu);
    connect(&m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
            emit clicked();
    });
    AddCountDisplay(this);
}

CounterTray::~CounterTray() {
    RemoveCountDisplay(this);
    delete m_menu.data(); // a menu has no parent; it may have gone with the other windows
}

void CounterTray::showCount(const CountReport& report) {
    const QString toolTip = CountToolTip(report);
    if (toolTip != m_icon.toolTip()) // a tray host is told of every change
        m_icon.setToolTip(toolTip);
}

// Settled once the handler that opened or closed a window is done: one window often
// takes another's place.
void CounterTray::countWindowsChanged() {
    QTimer::singleShot(0, this, [this] {
        const bool open = m_countWindowOpen();
        m_icon.setVisible(open);
        if (!open)
            EndWhenNoWindowLeft(); // an XEmbed tray icon is a window of its own
    });
}

void CounterTray::showAutostartState() {
    m_autostart->setChecked(AutostartEnabled());
}

void CounterTray::autostartChosen(bool enabled) {
    try {
        SetAutostart(enabled);
    } catch (const ProgramError& error) {
        MsgBox(error.description(), MsgStyle::Exclamation);
    }
    showAutostartState();
}
