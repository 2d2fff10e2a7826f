#!/usr/bin/env bash
# Builds the Debian package, installs it with its dependencies, validates the
# desktop entry and the AppStream metadata, and starts the installed program.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh" dpkg-dev desktop-file-utils appstream xvfb xauth
"$root/tools/build.sh"
cd "$root/build"
rm -f pilgrast_*.deb
cpack >/dev/null
package=$(ls "$root"/build/pilgrast_*.deb)

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "$package" >/dev/null
desktop-file-validate /usr/share/applications/de.pilgrast.counter.desktop
appstreamcli validate --no-net /usr/share/metainfo/de.pilgrast.counter.metainfo.xml
test -f /usr/share/pilgrast/Pgrcn.hlp
test -f /usr/share/icons/hicolor/scalable/apps/de.pilgrast.counter.svg
test -f /usr/share/icons/hicolor/48x48/apps/de.pilgrast.counter.png

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
echo "package check: $(basename "$package") installs, validates and starts"
