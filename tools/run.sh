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
exec "$root/build/pilgrast"
