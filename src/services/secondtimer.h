// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QTimer>

// A once-a-second timer that fires just after the wall clock's second turns, so
// that a display follows the clock's seconds without skipping or repeating one.
// It is armed again only after the handler has returned: while a handler waits
// for a message box, no further tick arrives.
class SecondTimer : public QObject {
    Q_OBJECT
public:
    explicit SecondTimer(QObject* parent = nullptr);
    void start();
    void stop();
    bool isRunning() const { return m_running; }

signals:
    void tick();

private:
    void arm();
    void fire();

    QTimer m_timer;
    bool m_running = false;
};
