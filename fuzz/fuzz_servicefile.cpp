// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Any pilgrast.ini: its values read without a crash, every leave and duty period read is a
// real one and reads back as written, an own date's name written with its quotes reads back
// unchanged, and a value set is read back as it was written, the other lines kept.
#include "serviceterm/inifile.h"
#include "serviceterm/serviceterm.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray content(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    IniText file(content);
    IniText::IsSettingsText(content);
    const QString group = QStringLiteral("Dienstzeit");
    for (const QString& entry : file.value(group, QStringLiteral("Urlaub")).split(QLatin1Char(','))) {
        const std::optional<DayRange> period = ReadDayRange(entry);
        if (period && (!period->first.isValid() || period->last < period->first))
            std::abort();
        if (period && ReadDayRange(DayRangeText(*period)) != period)
            std::abort();
    }
    for (const QString& entry : file.value(group, QStringLiteral("Dienst")).split(QLatin1Char(','))) {
        const DutyEntryReading reading = ReadDutyEntry(entry);
        if (reading.entry && ReadDutyEntry(DutyEntryText(*reading.entry)).entry != reading.entry)
            std::abort();
    }
    for (const QString& key : file.keys(QStringLiteral("Termine"))) {
        const QString name = file.value(QStringLiteral("Termine"), key);
        if (name.contains(QLatin1Char('\n')))
            continue;
        IniText written;
        written.setValue(QStringLiteral("Termine"), QStringLiteral("1.1.2027"), IniText::Quoted(name));
        if (IniText(written.toUtf8()).value(QStringLiteral("Termine"), QStringLiteral("1.1.2027")) != name)
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
