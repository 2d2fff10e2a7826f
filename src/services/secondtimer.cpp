// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "secondtimer.h"

#include "services/clock.h"

namespace {
// Fire a little after the turn, never on its edge.
constexpr int delayAfterTurnMs = 5;
} // namespace

SecondTimer::SecondTimer(QObject* parent) : QObject(parent) {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &SecondTimer::fire);
}

void SecondTimer::start() {
    m_running = true;
    arm();
}

void SecondTimer::stop() {
    m_running = false;
    m_timer.stop();
}

void SecondTimer::arm() {
    m_timer.start(CurrentClock().msecsToNextSecond() + delayAfterTurnMs);
}

void SecondTimer::fire() {
    emit tick();
    if (m_running)
        arm();
}
