#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what building, running and testing Pilgrast Counter need, when missing.
set -euo pipefail

# The packages to build, run and test; further ones may be named on the command line.
# fonts-liberation: the faces the windows are laid out for; fonts-dejavu-core: the desktop's
# sans-serif with every glyph the windows draw (without it the default falls to a monospace face).
packages=(cmake g++ make pkgconf qt6-base-dev libical-dev libqrencode-dev qt6-translations-l10n fonts-liberation fonts-dejavu-core
    e2fsprogs "$@")

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null; then
    sudo=(sudo)
else
    echo "Es fehlen: ${missing[*]}. Bitte als root ausführen oder selbst installieren." >&2
    exit 1
fi
echo "Installiere: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
