#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks licensing the REUSE way, builds the Debian package as Release, lets lintian
# judge it (any error or warning fails), installs it with its dependencies, validates
# the desktop entry, the AppStream metadata and the manual pages, and starts the
# installed program, also on a desktop with a tray (desktop-check.sh).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh" dpkg-dev desktop-file-utils appstream xvfb xauth lintian reuse man-db groff-base

(cd "$root" && reuse lint)

build="$root/build-package"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$(nproc)" --target pilgrast icons compressed_docs
rm -f "$build"/pilgrast_*.deb
(cd "$build" && cpack >/dev/null)
package=$(ls "$build"/pilgrast_*.deb)

# lintian refuses to run as root unless told; its output is empty when all is well.
findings=$(lintian --allow-root --fail-on none "$package")
if [ -n "$findings" ]; then
    echo "lintian: $findings" >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "$package" >/dev/null
desktop-file-validate /usr/share/applications/de.pilgrast.counter.desktop
appstreamcli validate --pedantic --no-net /usr/share/metainfo/de.pilgrast.counter.metainfo.xml
test -f /usr/share/pilgrast/Pgrcn.hlp
test -f /usr/share/icons/hicolor/scalable/apps/de.pilgrast.counter.svg
test -f /usr/share/icons/hicolor/48x48/apps/de.pilgrast.counter.png
# Both manual pages render without a warning; -L picks the language whatever locales exist.
for language in en de; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -L "$language" --warnings=w pilgrast 2>&1 >/dev/null)
    [ -z "$warnings" ] || { echo "man pilgrast ($language): $warnings" >&2; exit 1; }
done
LC_ALL=C.UTF-8 man -L de pilgrast 2>/dev/null | grep -q BESCHREIBUNG

# On a desktop: menu start, tray icon and its menu, second start, StatusNotifierItem.
"$root/tools/desktop-check.sh"

# Started in an empty folder it opens the settings dialog and keeps running.
folder=$(mktemp -d)
status=0
(cd "$folder" && xvfb-run -a timeout 5 pilgrast) || status=$?
rm -rf "$folder"
apt-get remove -y -qq pilgrast >/dev/null
if [ "$status" -ne 124 ]; then
    echo "the installed program did not keep running (exit status $status)" >&2
    exit 1
fi
echo "package check: $(basename "$package") is REUSE-compliant, lintian-clean, installs, validates and starts"
