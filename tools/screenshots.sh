#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Renders the README's screenshots into docs/ under a virtual X display.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh" xvfb xauth
"$root/tools/build.sh"
cmake --build "$root/build" -j "$(nproc)" --target screenshots
xvfb-run -a "$root/build/screenshots" "$root/docs"
