// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "wallclockalarm.h"

#include <QSocketNotifier>
#include <algorithm>
#include <cstdint>
#include <limits>
#include <sys/timerfd.h>
#include <unistd.h>

WallClockAlarm::WallClockAlarm(QObject* parent)
    : QObject(parent), m_timer(timerfd_create(CLOCK_REALTIME, TFD_CLOEXEC | TFD_NONBLOCK)) {
    m_fallback.setSingleShot(true);
    m_fallback.setTimerType(Qt::PreciseTimer);
    connect(&m_fallback, &QTimer::timeout, this, &WallClockAlarm::rang);
    if (m_timer < 0)
        return;
    m_notifier = new QSocketNotifier(m_timer, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &WallClockAlarm::ring);
}

WallClockAlarm::~WallClockAlarm() {
    if (m_timer >= 0)
        close(m_timer);
}

void WallClockAlarm::setFor(const QDateTime& instant) {
    m_fallback.stop();
    const qint64 msecs =
        instant.isValid() ? instant.toMSecsSinceEpoch() : QDateTime::currentMSecsSinceEpoch() + 1000;
    itimerspec when{};
    when.it_value.tv_sec = msecs / 1000;
    when.it_value.tv_nsec = (msecs % 1000) * 1000000;
    if (m_timer >= 0 &&
        timerfd_settime(m_timer, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &when, nullptr) == 0)
        return;
    // An alarm that could not be set must still ring: a plain timer, blind to the clock being set.
    const qint64 wait = msecs - QDateTime::currentMSecsSinceEpoch();
    m_fallback.start(int(std::clamp<qint64>(wait, 0, std::numeric_limits<int>::max())));
}

// Rung by the instant, or by the clock being set (the read then fails with ECANCELED).
void WallClockAlarm::ring() {
    std::uint64_t expirations = 0;
    [[maybe_unused]] const ssize_t read = ::read(m_timer, &expirations, sizeof expirations);
    emit rang();
}
