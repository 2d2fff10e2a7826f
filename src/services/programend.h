// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

// Ends the program at once: no window's closing handler runs and nothing is asked.
// Callers return straight after it.
void EndProgram();

// Replaces what ending the program does (tests record it instead); an empty
// function restores the default.
void SetProgramEnd(std::function<void()> end);
