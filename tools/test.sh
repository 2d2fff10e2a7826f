#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds and runs every test headless.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
# The Adwaita styles let the tests check that every text fits in a style other than Fusion;
# dbus-run-session gives the dock and notification tests a session bus of their own; zbarimg
# reads the code to scan as a phone would; tzdata gives the clock changes of Europe/Berlin.
"$root/tools/install-deps.sh" adwaita-qt6 dbus zbar-tools tzdata
"$root/tools/build.sh"
cd "$root/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure
