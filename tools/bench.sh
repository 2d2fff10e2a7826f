#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Measures the program: time per tick and refresh; start-up (exec to the window viewable under
# the window manager) and peak memory against a bare Qt window and one with a label, each
# started STARTS times (21 by default) in turns, with the start's phases;
# wake-ups a second and idle CPU over IDLE_SECONDS (60 by default); how closely the
# display follows the wall clock's seconds; the status output's time to exit against a bare
# QCoreApplication, and the shared objects it loads; opening the
# Dienstzeit window and drawing the whole term. Runs under a virtual X display with openbox.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh" xvfb xauth openbox libxcb1-dev
"$root/tools/build.sh"
cmake --build "$root/build" -j "$(nproc)" --target bench_tick bench_start bench_window bench_status
QT_QPA_PLATFORM=offscreen "$root/build/bench_tick" 2>/dev/null
QT_QPA_PLATFORM=offscreen "$root/build/bench_window" 2>/dev/null
"$root/build/bench_status"
xvfb-run -a -s "-screen 0 1366x768x24" sh -c 'openbox & sleep 1; "$1" "$2" "$3"' bench "$root/build/bench_start" \
    "${IDLE_SECONDS:-60}" "${STARTS:-21}" 2>/dev/null
