#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The folders of src/ from the lowest to the highest: a file may include from its own
# folder and from those below it, never from one above, so that no folders include each
# other around. Fails, naming each file and include, on one that reaches up or on a
# folder not in the list.
set -euo pipefail
cd "$(dirname "$0")/../src"
layers=(services settings timecalc serviceterm counterview statusoutput calendarfile
    widgets helpwindow termcalendar phonecode desktop aboutbox countdownwindow settingsdialog
    servicetermwindow mainwindow app)

rank() {
    local i
    for i in "${!layers[@]}"; do
        [ "${layers[$i]}" = "$1" ] && echo "$i" && return
    done
    echo -1
}

failed=0
for folder in */; do
    folder=${folder%/}
    own=$(rank "$folder")
    if [ "$own" -lt 0 ]; then
        echo "layer-check: src/$folder is in no layer; add it to tools/layer-check.sh" >&2
        failed=1
        continue
    fi
    while IFS=: read -r file include; do
        target=${include#*\"}
        target=${target%%/*}
        if [ "$(rank "$target")" -gt "$own" ]; then
            echo "layer-check: src/$file includes $target/, a folder above $folder/" >&2
            failed=1
        fi
    done < <(grep -H '^#include "[a-z]*/' "$folder"/*.h "$folder"/*.cpp 2>/dev/null || true)
done
[ "$failed" -eq 0 ] && echo "layer-check: every include reaches down"
exit "$failed"
