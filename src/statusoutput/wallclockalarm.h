// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>
#include <QObject>
#include <QTimer>

class QSocketNotifier;

// An alarm at an instant of the wall clock. It rings at that instant also after the
// computer slept, and at once when the clock is set, so that a count that changes rarely
// needs no timer that wakes in between.
class WallClockAlarm : public QObject {
    Q_OBJECT
public:
    explicit WallClockAlarm(QObject* parent = nullptr);
    ~WallClockAlarm() override;
    void setFor(const QDateTime& instant);

signals:
    void rang();

private:
    void ring();

    int m_timer = -1;
    QTimer m_fallback;
    QSocketNotifier* m_notifier = nullptr;
};
