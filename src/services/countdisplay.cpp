// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "countdisplay.h"

#include <QList>

namespace {
QList<CountDisplay*> displays;
}

void AddCountDisplay(CountDisplay* display) {
    if (!displays.contains(display))
        displays.append(display);
}

void RemoveCountDisplay(CountDisplay* display) {
    displays.removeAll(display);
}

void ShowCountOutside(const CountReport& report) {
    for (CountDisplay* display : displays)
        display->showCount(report);
}

void CountWindowsChanged() {
    for (CountDisplay* display : displays)
        display->countWindowsChanged();
}

void TermChanged() {
    for (CountDisplay* display : displays)
        display->termChanged();
}
