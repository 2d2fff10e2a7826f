// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The count shown outside the program's windows, such as in a tray icon. The two
// counting windows report to it; without one installed, nothing happens.
class CountDisplay {
public:
    virtual ~CountDisplay() = default;
    // The figure with its unit ("113 Tage") and the end of service ("31.03.2027 16:30 Uhr").
    virtual void showCount(const QString& figure, const QString& endOfService) = 0;
    // A counting window opened or closed.
    virtual void countWindowsChanged() = 0;
};

// The display stays owned by the caller; nullptr removes it.
void SetCountDisplay(CountDisplay* display);
void ShowCountOutside(const QString& figure, const QString& endOfService);
void CountWindowsChanged();
