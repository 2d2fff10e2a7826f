// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "programend.h"

#include <QCoreApplication>

namespace {
std::function<void()> programEnd;
}

void EndProgram() {
    if (programEnd) {
        programEnd();
        return;
    }
    // Leaves every event loop, modal ones included; main() then returns without
    // closing the windows one by one, so no closing handler runs.
    QCoreApplication::exit(0);
}

void SetProgramEnd(std::function<void()> end) {
    programEnd = std::move(end);
}
