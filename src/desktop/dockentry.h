// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "services/countdisplay.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>
#include <functional>
#include <optional>

// The count badge and the progress bar on the program's icon in a dock (Ubuntu's dock,
// Dash to Panel, Plasma's task manager, Plank, ...): the LauncherEntry signal
// com.canonical.Unity.LauncherEntry.Update on the session bus. Sent only when what it
// says changes, and again when a dock takes the bus name com.canonical.Unity. Without
// a session bus it does nothing.
class DockEntry : public QObject, public CountDisplay {
    Q_OBJECT
public:
    // countWindowOpen tells whether the main window or the countdown window is open.
    explicit DockEntry(std::function<bool()> countWindowOpen,
                       const QDBusConnection& bus = QDBusConnection::sessionBus(), QObject* parent = nullptr);
    ~DockEntry() override;

    void showCount(const CountReport& report) override;
    void countWindowsChanged() override;

private:
    // What the entry shows; the progress in thousandths, -1 without a start of service.
    struct Shown {
        qint64 count = 0;
        bool windowOpen = false;
        int progress = -1;
        bool operator==(const Shown&) const = default;
    };

    Shown now() const;
    void sendWhenChanged();
    void send();

    std::function<bool()> m_countWindowOpen;
    QDBusConnection m_bus;
    QDBusServiceWatcher m_dockWatcher;
    qint64 m_days = 0;
    std::optional<double> m_share;
    bool m_ending = false;
    std::optional<Shown> m_sent;
};

// The application the dock shows the entry on: its desktop entry.
inline const QString DockApplicationUri = QStringLiteral("application://de.pilgrast.counter.desktop");
