// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// With PILGRAST_TRACE_START set in the environment, each phase of the start is told on
// standard error as it ends, with the milliseconds since main() began and the peak memory:
// "pilgrast start   12.3 ms  31024 kB  settings read". A value above 1 is the instant of the
// exec on the monotonic clock in nanoseconds, which a benchmark sets: the milliseconds then
// count from it. Without the variable, nothing is done.
void TraceStart(const char* phase);
