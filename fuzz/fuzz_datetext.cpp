// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Any text: IsDate agrees with CDate, and a converted value counts consistently.
#include "services/programerror.h"
#include "timecalc/datevalue.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const bool isDate = IsDate(text);
    DateValue value = 0;
    try {
        value = CDate(text);
    } catch (const ProgramError&) {
        if (isDate)
            std::abort();
        return 0;
    }
    if (!isDate || !std::isfinite(value))
        std::abort();
    // Seconds and days of one value agree with each other.
    const qint64 seconds = DateDiff(DateInterval::Seconds, 0, value);
    const qint64 days = DateDiff(DateInterval::Days, 0, value);
    if (seconds / 86400 - (seconds % 86400 < 0 ? 1 : 0) != days)
        std::abort();
    const int weekday = Weekday(value, vbMonday);
    if (weekday < 1 || weekday > 7)
        std::abort();
    return 0;
}
