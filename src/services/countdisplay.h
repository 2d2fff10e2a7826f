// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// Whether the counts run, stand off duty, or the service is over.
enum class CountPhase { Running, Standing, Over };

// What the counting windows report to the displays outside them, once a second.
struct CountReport {
    QString figure;             // the count with its unit, as the minimised caption shows it ("113 Tage")
    QString endOfService;       // "31.03.2027 16:30 Uhr"
    std::optional<qint64> days; // the days count as the main window shows it, never below 0; none: as before
    CountPhase phase = CountPhase::Running;
    std::optional<double> share; // the share of the service done, without a start of service none
    QString progress;            // "62 % geschafft, noch 87 Diensttage"; empty without a start of service
};

// The count shown outside the program's windows: in a tray icon, on a dock's icon, in
// notifications. The two counting windows report to every display installed; without
// one, nothing happens.
class CountDisplay {
public:
    virtual ~CountDisplay() = default;
    virtual void showCount(const CountReport& /*report*/) {}
    // A counting window opened or closed.
    virtual void countWindowsChanged() {}
    // The term of service or the settings changed: its days were worked out anew.
    virtual void termChanged() {}
};

// The displays stay owned by the caller, who removes each before it goes.
void AddCountDisplay(CountDisplay* display);
void RemoveCountDisplay(CountDisplay* display);
void ShowCountOutside(const CountReport& report);
void CountWindowsChanged();
void TermChanged();
