// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "clock.h"

namespace {

class SystemClock : public ClockSource {
public:
    QDateTime currentDateTime() const override { return QDateTime::currentDateTime(); }
};

const SystemClock systemClock;
const ClockSource* currentSource = &systemClock;

} // namespace

int ClockSource::msecsToNextSecond() const {
    return 1000 - currentDateTime().time().msec();
}

void SetClockSource(const ClockSource* source) {
    currentSource = source ? source : &systemClock;
}

const ClockSource& CurrentClock() {
    return *currentSource;
}
