#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Every test under AddressSanitizer and UndefinedBehaviorSanitizer, then each fuzz
# target for a while (FUZZ_SECONDS, 60 by default). A fuzz finding is saved in
# build-fuzz/findings and fails the run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh" clang libclang-rt-14-dev
jobs="$(nproc)"

echo "== sanitizer build and tests"
cmake -S "$root" -B "$root/build-asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPILGRAST_SANITIZE=ON >/dev/null
cmake --build "$root/build-asan" -j "$jobs"
(cd "$root/build-asan" && ASAN_OPTIONS=detect_leaks=1 QT_QPA_PLATFORM=offscreen ctest --output-on-failure)

echo "== fuzzing"
cmake -S "$root" -B "$root/build-fuzz" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPILGRAST_FUZZ=ON >/dev/null
cmake --build "$root/build-fuzz" -j "$jobs" --target fuzz_record fuzz_datetext fuzz_servicefile
mkdir -p "$root/build-fuzz/findings"
for target in fuzz_record fuzz_datetext fuzz_servicefile; do
    corpus="$root/build-fuzz/corpus-$target"
    mkdir -p "$corpus"
    cp "$root"/fuzz/seeds/"$target"/* "$corpus"/ 2>/dev/null || true
    "$root/build-fuzz/$target" -max_total_time="${FUZZ_SECONDS:-60}" -max_len=256 -print_final_stats=1 \
        -artifact_prefix="$root/build-fuzz/findings/$target-" "$corpus" 2>&1 | tail -n 12
done
echo "robustness: sanitizer tests passed, fuzzing found nothing"
