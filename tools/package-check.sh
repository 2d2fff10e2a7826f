#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks licensing the REUSE way, builds the Debian source and binary packages from a
# clean copy with dpkg-buildpackage (the tests run at build time), lets lintian judge the
# .dsc, the .changes and the .deb (any error or warning fails), installs the package,
# validates the desktop entry, the AppStream metadata and the manual pages, and runs the
# autopkgtest suite against the installed package: the smoke test from the menu entry
# and the desktop check (desktop-check.sh).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh" dpkg-dev debhelper devscripts desktop-file-utils appstream xvfb xauth lintian \
    reuse man-db groff-base autopkgtest git \
    adwaita-qt6 dbus e2fsprogs fonts-dejavu-core fonts-liberation qt6-translations-l10n tzdata zbar-tools

(cd "$root" && reuse lint)

# A clean copy: what git holds, with what is not yet committed, nothing built.
out="$root/build-package"
rm -rf "$out"
mkdir -p "$out/pilgrast"
(cd "$root" && git ls-files -z --cached --others --exclude-standard | xargs -0 cp --parents -t "$out/pilgrast")
(cd "$out/pilgrast" && dpkg-buildpackage -us -uc >"$out/build.log" 2>&1) || {
    tail -n 60 "$out/build.log" >&2
    exit 1
}
deb=$(ls "$out"/pilgrast_*_*.deb)

# lintian refuses to run as root unless told; its output is empty when all is well.
findings=$(lintian --allow-root --fail-on none "$out"/pilgrast_*.dsc "$out"/pilgrast_*.changes "$deb")
if [ -n "$findings" ]; then
    echo "lintian: $findings" >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "$deb" >/dev/null
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

# The autopkgtest suite on this machine, against the package just installed.
autopkgtest --no-built-binaries "$out/pilgrast" -- null >"$out/autopkgtest.log" 2>&1 || {
    tail -n 60 "$out/autopkgtest.log" >&2
    exit 1
}
grep -E '^(smoke|desktop) +PASS' "$out/autopkgtest.log"

apt-get remove -y -qq pilgrast >/dev/null
echo "package check: $(basename "$deb") is REUSE-compliant, lintian-clean, installs, validates and passes autopkgtest"
