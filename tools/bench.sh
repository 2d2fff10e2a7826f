#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Measures the program: time per tick and refresh, start-up and memory against a
# bare Qt window, idle CPU over IDLE_SECONDS (60 by default), and how closely the
# display follows the wall clock's seconds. Runs under a virtual X display.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh" xvfb xauth
"$root/tools/build.sh"
cmake --build "$root/build" -j "$(nproc)" --target bench_tick bench_start
QT_QPA_PLATFORM=offscreen "$root/build/bench_tick" 2>/dev/null
xvfb-run -a "$root/build/bench_start" "${IDLE_SECONDS:-60}" 2>/dev/null
