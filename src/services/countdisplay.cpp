// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "countdisplay.h"

namespace {
CountDisplay* currentDisplay = nullptr;
}

void SetCountDisplay(CountDisplay* display) {
    currentDisplay = display;
}

void ShowCountOutside(const QString& figure, const QString& endOfService) {
    if (currentDisplay)
        currentDisplay->showCount(figure, endOfService);
}

void CountWindowsChanged() {
    if (currentDisplay)
        currentDisplay->countWindowsChanged();
}
