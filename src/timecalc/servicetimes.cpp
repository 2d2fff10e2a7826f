// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "servicetimes.h"

QString DutyEndOn(const SettingsRecord& settings, DateValue day) {
    return Weekday(day, vbMonday) <= 4 ? settings.Dsch : settings.DschFr;
}

QString TodaysDutyEnd(const SettingsRecord& settings) {
    return DutyEndOn(settings, Date());
}

QString EndOfServiceText(const SettingsRecord& settings) {
    const QString dutyEnd =
        IsDate(settings.Pgr) ? DutyEndOn(settings, CDate(settings.Pgr)) : TodaysDutyEnd(settings);
    return settings.Pgr + QLatin1Char(' ') + dutyEnd;
}

QString EndOfServiceCaption(const SettingsRecord& settings) {
    return EndOfServiceText(settings) + QStringLiteral(" Uhr");
}
