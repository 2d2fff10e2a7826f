// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "services/countdisplay.h"

#include <QMenu>
#include <QPointer>
#include <QSystemTrayIcon>
#include <functional>

// The count in the system tray (StatusNotifierItem or XEmbed, as the desktop offers):
// the flag icon, the count and the end of service in its tooltip, the main window's
// commands and "Beim Anmelden starten" in its menu. Shown while a counting window is
// open; it never keeps the program alive.
class CounterTray : public QObject, public CountDisplay {
    Q_OBJECT
public:
    // countWindowOpen tells whether the main window or the countdown window is open.
    explicit CounterTray(std::function<bool()> countWindowOpen, QObject* parent = nullptr);
    ~CounterTray() override;

    void showCount(const CountReport& report) override;
    void countWindowsChanged() override;

    QSystemTrayIcon& icon() { return m_icon; }
    QMenu* menu() const { return m_menu; }

signals:
    void settingsChosen();
    void serviceTermChosen();
    void countdownChosen();
    void infoChosen();
    void helpChosen();
    void quitChosen();
    void clicked();

private:
    void showAutostartState();
    void autostartChosen(bool enabled);

    std::function<bool()> m_countWindowOpen;
    QPointer<QMenu> m_menu;
    QAction* m_autostart;
    QSystemTrayIcon m_icon;
};
