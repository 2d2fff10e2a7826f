// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>

// Every reading of the clock goes through the current clock source, so that the
// program can be made to stand at any instant.
class ClockSource {
public:
    virtual ~ClockSource() = default;
    // The local wall-clock date and time.
    virtual QDateTime currentDateTime() const = 0;
    // Milliseconds until the wall clock's second next turns.
    virtual int msecsToNextSecond() const;
};

// The clock stays owned by the caller; nullptr restores the system clock.
void SetClockSource(const ClockSource* source);
const ClockSource& CurrentClock();
