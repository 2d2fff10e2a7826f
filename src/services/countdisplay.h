// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <QtGlobal>

// The count shown outside the program's windows: in a tray icon, on a dock's icon, in
// notifications. The two counting windows report to every display installed; without
// one, nothing happens.
class CountDisplay {
public:
    virtual ~CountDisplay() = default;
    // The figure with its unit ("113 Tage") and the end of service ("31.03.2027 16:30 Uhr").
    virtual void showCount(const QString& /*figure*/, const QString& /*endOfService*/) {}
    // The days count as the main window shows it, once a tick.
    virtual void showDaysLeft(qint64 /*days*/) {}
    // A counting window opened or closed.
    virtual void countWindowsChanged() {}
};

// The displays stay owned by the caller, who removes each before it goes.
void AddCountDisplay(CountDisplay* display);
void RemoveCountDisplay(CountDisplay* display);
void ShowCountOutside(const QString& figure, const QString& endOfService);
void ShowDaysOutside(qint64 days);
void CountWindowsChanged();
