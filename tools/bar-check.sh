#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs the README's status bar snippets against the installed program, in the user
# folder of a home that holds settings: waybar's and polybar's commands, i3blocks and
# conky themselves with the snippets as their configuration, and the generic monitor's
# command. Each snippet is taken as the README writes it. Called by desktop-check.sh.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
readme="$root/README.md"
fail() {
    echo "bar check: $*" >&2
    exit 1
}
# The line of the README that holds the text, so that what is run is what is written.
snippet() {
    grep -F -- "$1" "$readme" >/dev/null || fail "the README has no snippet with: $1"
    echo "$1"
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# waybar: one line of JSON with the count as text and the class.
waybar=$(snippet 'pilgrast --user-folder --status=json --follow')
line=$(timeout 10 sh -c "$waybar | head -n 1")
echo "$line" | grep -Eq '^\{.*"class":"(dienst|frei|ende)".*"text":"-?[0-9]+ Tage"' || fail "waybar: $line"

# i3blocks: the block as i3bar reads it.
printf '[pilgrast]\n%s\n%s\n' "$(snippet 'command=pilgrast --user-folder --status=i3blocks --follow')" \
    "$(snippet 'interval=persist')" >"$work/i3blocks"
timeout 5 i3blocks -c "$work/i3blocks" >"$work/i3bar" 2>/dev/null || true
grep -Eq '"full_text":"-?[0-9]+ Tage"' "$work/i3bar" || fail "i3blocks: $(head -c 300 "$work/i3bar")"

# polybar: the custom script's command, tailed.
polybar=$(snippet 'exec = pilgrast --user-folder --status --follow')
line=$(timeout 10 sh -c "${polybar#exec = } | head -n 1")
echo "$line" | grep -Eq '^-?[0-9]+ Tage$' || fail "polybar: $line"

# The Xfce panel's generic monitor: its command's output.
genmon=$(snippet 'pilgrast --user-folder --status=genmon')
output=$($genmon)
echo "$output" | grep -Eq '^<txt>-?[0-9]+ Tage</txt><tool>Pilgrast Counter$' || fail "genmon: $output"

# conky: one round, to the console.
conky=$(snippet '${execi 60 pilgrast --user-folder --status}')
cat >"$work/conky" <<CONF
conky.config = { out_to_console = true, out_to_x = false, out_to_wayland = false, total_run_times = 1 }
conky.text = [[$conky]]
CONF
line=$(timeout 10 conky -c "$work/conky" -q 2>/dev/null | head -n 1)
echo "$line" | grep -Eq '^-?[0-9]+ Tage$' || fail "conky: $line"
echo "bar check: the README's snippets for waybar, i3blocks, polybar, genmon and conky show the count"
