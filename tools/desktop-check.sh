#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks the installed program on a desktop, as a user meets it, with a fresh home:
# started from its menu entry (gio launch) it keeps pgr.dat in ~/.config/pilgrast;
# with an XEmbed tray host (trayer) its icon appears and the menu's "Beim Anmelden
# starten" writes and removes the autostart entry; a second start brings the first to
# the front and ends; with a StatusNotifierWatcher on the session bus the item
# registers and its tooltip carries the count; the dock's LauncherEntry signal carries
# the count and the progress, and the Bergfest notification is shown and remembered; the
# README's status bar snippets show the count (bar-check.sh).
# The autopkgtest "desktop" (debian/tests), which package-check.sh runs.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh" xvfb xauth openbox trayer xdotool x11-utils dbus libglib2.0-bin python3-dbus python3-gi \
    i3blocks conky-std

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "desktop check: $*" >&2
    command -v import >/dev/null && import -window root "$root/build-package/desktop-check-failure.png" || true
    exit 1
}
# Waits up to ten seconds for the command to succeed.
await() {
    for _ in $(seq 100); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    fail "gave up waiting for: $*"
}
background() {
    "$@" >>"$work/log" 2>&1 &
    pids+=($!)
}

export HOME="$work/home" XDG_RUNTIME_DIR="$work/run"
unset XDG_CONFIG_HOME
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
exec 3>"$work/display"
background Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp
await test -s "$work/display"
export DISPLAY=":$(head -n 1 "$work/display")"
background openbox
background trayer --edge top --align right --widthtype pixel --width 120 --height 28
await xwininfo -name panel

# Started from the menu with no settings yet: the settings dialog, filled in by keyboard.
end=$(date -d '+100 days' +%d.%m.%Y)
gio launch /usr/share/applications/de.pilgrast.counter.desktop
await xdotool search --onlyvisible --name '^Einstellungen$'
sleep 0.5
xdotool type --delay 30 "$(printf 'Max\tMustermann\tGefr\t%s\t\t7:00' "$end")"
xdotool key Return
await test -s "$HOME/.config/pilgrast/pgr.dat"
[ "$(stat -c %s "$HOME/.config/pilgrast/pgr.dat")" -eq 96 ] || fail "pgr.dat is not one 96-byte record"
xdotool key Escape
await xdotool search --onlyvisible --name "^Pilgrast Counter $end"
echo "desktop check: a menu start keeps pgr.dat in ~/.config/pilgrast"
"$root/tools/bar-check.sh"

# The icon sits in trayer's panel; its menu switches the autostart entry.
icon_line() { xwininfo -root -tree | grep '("pilgrast"' | grep -E ' [0-9]{1,2}x[0-9]{1,2}\+'; }
await icon_line
read -r x y < <(icon_line | sed -E 's/.* ([0-9]+)x([0-9]+)\+[-0-9]+\+[-0-9]+ +\+([-0-9]+)\+([-0-9]+).*/\3 \4/')
xdotool mousemove $((x + 8)) $((y + 8)) click 3
sleep 0.5
xdotool key Up Up Return # from the bottom: "&Beenden", then "Beim Anmelden starten"
entry="$HOME/.config/autostart/de.pilgrast.counter.desktop"
await test -f "$entry"
grep -q -- '--user-folder' "$entry" || fail "the autostart entry does not start as the menu does"
xdotool mousemove $((x + 8)) $((y + 8)) click 3
sleep 0.5
xdotool key Up Up Return
await test ! -e "$entry"
echo "desktop check: the tray icon appears in trayer; its menu adds and removes the autostart entry"

# A second start for the same settings brings the minimised window back and ends.
window=$(xdotool search --onlyvisible --name "^Pilgrast Counter $end" | head -n 1)
xdotool windowminimize "$window"
await sh -c "xprop -id $window _NET_WM_STATE | grep -q HIDDEN"
running=$(pgrep -x pilgrast | sort)
timeout 10 pilgrast --user-folder || fail "the second start did not end by itself"
await sh -c "! xprop -id $window _NET_WM_STATE | grep -q HIDDEN"
# No counter more than before; one the bar check left may still have ended meanwhile.
[ -z "$(comm -13 <(echo "$running") <(pgrep -x pilgrast | sort))" ] || fail "a second counter runs"
echo "desktop check: a second start brings the first to the front"
first=$(xdotool getwindowpid "$window")
kill "$first"
await sh -c "! kill -0 $first"

# The StatusNotifierItem way, on a session bus of its own with a watcher as a panel has it.
dbus-run-session -- bash -c '
    set -euo pipefail
    "$1" >"$2/watcher" 2>&1 &
    for _ in $(seq 50); do grep -q ready "$2/watcher" && break; sleep 0.1; done
    pilgrast --user-folder >/dev/null 2>&1 &
    for _ in $(seq 100); do [ "$(wc -l <"$2/watcher")" -ge 2 ] && break; sleep 0.1; done
    service=$(sed -n 2p "$2/watcher")
    [ -n "$service" ] || { echo "desktop check: no StatusNotifierItem registered" >&2; exit 1; }
    for _ in $(seq 30); do
        tooltip=$(gdbus call --session --dest "$service" --object-path /StatusNotifierItem \
            --method org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierItem ToolTip)
        echo "$tooltip" | grep -q "Tage" && break
        sleep 0.2
    done
    echo "$tooltip" | grep -q "Pilgrast: $3" || { echo "desktop check: tooltip $tooltip" >&2; exit 1; }
    kill %2 %1
' check "$root/tools/sni-watcher.py" "$work" "$end"
echo "desktop check: the StatusNotifierItem registers and its tooltip carries the count"

# The dock's badge and a milestone notification, on a session bus of its own with a
# notification service as a desktop has it: a service begun 100 days ago and ending in
# 100 days is at half time today.
printf '[Dienstzeit]\nBeginn=%s\n' "$(date -d '-100 days' +%-d.%-m.%Y)" >"$HOME/.config/pilgrast/pilgrast.ini"
dbus-run-session -- bash -c '
    set -euo pipefail
    dbus-monitor --session "type=signal,interface=com.canonical.Unity.LauncherEntry" >"$2/dock" 2>&1 &
    "$1" >"$2/notifications" 2>&1 &
    for _ in $(seq 50); do grep -q ready "$2/notifications" && break; sleep 0.1; done
    pilgrast --user-folder >/dev/null 2>&1 &
    for _ in $(seq 100); do
        # Shown, on the dock, and remembered once the service answered: only then is it over.
        grep -q "^Pilgrast Counter|de.pilgrast.counter|Bergfest!|" "$2/notifications" &&
            grep -q "int64" "$2/dock" && grep -q "Gezeigt=.*Bergfest" "$HOME/.config/pilgrast/pilgrast.ini" &&
            break
        sleep 0.1
    done
    kill %3 %2 %1
    grep -q "string \"application://de.pilgrast.counter.desktop\"" "$2/dock" ||
        { echo "desktop check: no LauncherEntry signal: $(cat "$2/dock")" >&2; exit 1; }
    grep -A1 "\"count\"" "$2/dock" | grep -q "variant *int64" ||
        { echo "desktop check: the badge count is not a 64-bit integer" >&2; exit 1; }
    # Between 0.49 and 0.51, however many digits: at some hours of the day it is 0.5 exactly.
    grep -A1 "\"progress\"" "$2/dock" | awk '"'"'$2 == "double" && $3 >= 0.49 && $3 <= 0.51 { found = 1 } END { exit !found }'"'"' ||
        { echo "desktop check: the progress is not one half" >&2; exit 1; }
    grep -q "|Bergfest!|Die Hälfte ist geschafft – noch 100 Tage.|de.pilgrast.counter$" "$2/notifications" ||
        { echo "desktop check: no Bergfest notification: $(cat "$2/notifications")" >&2; exit 1; }
    grep -q "Gezeigt=.*Bergfest" "$HOME/.config/pilgrast/pilgrast.ini" ||
        { echo "desktop check: the Bergfest notification is not remembered" >&2; exit 1; }
' check "$root/tools/notification-server.py" "$work"
echo "desktop check: the dock gets the badge and the progress, and Bergfest is notified once"
