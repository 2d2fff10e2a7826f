#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds and starts Pilgrast Counter. The settings file
# pgr.dat lives in the folder the program is started from.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh"
"$root/tools/build.sh"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Kein Bildschirm gefunden: DISPLAY und WAYLAND_DISPLAY sind leer. Pilgrast Counter braucht eine Desktop-Sitzung." >&2
    exit 1
fi
exec "$root/build/pilgrast"
