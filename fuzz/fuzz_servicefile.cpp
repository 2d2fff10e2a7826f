// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Any pilgrast.ini: its values read without a crash, every leave read is a real
// range, and a value set is read back as it was written, the other lines kept.
#include "serviceterm/inifile.h"
#include "serviceterm/serviceterm.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray content(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    IniText file(content);
    const QString group = QStringLiteral("Dienstzeit");
    for (const QString& entry : file.value(group, QStringLiteral("Urlaub")).split(QLatin1Char(','))) {
        const std::optional<DayRange> period = ReadDayRange(entry);
        if (period && (!period->first.isValid() || period->last < period->first))
            std::abort();
        if (period && ReadDayRange(DayRangeText(*period)) != period)
            std::abort();
    }
    const QString before = file.value(QStringLiteral("Anderes"), QStringLiteral("A"));
    file.setValue(group, QStringLiteral("Beginn"), QStringLiteral("1.10.2026"));
    const IniText saved(file.toUtf8());
    if (saved.value(group, QStringLiteral("Beginn")) != QStringLiteral("1.10.2026"))
        std::abort();
    if (saved.value(QStringLiteral("Anderes"), QStringLiteral("A")) != before)
        std::abort();
    return 0;
}
