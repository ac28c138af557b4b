#!/usr/bin/env bash
# Builds Quillmate and runs every benchmark; each prints its own figures. Not part of the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
WIN=$ROOT/build/win
REL=$ROOT/build/native-release
cmake -S . -B "$WIN" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build "$WIN" -j "$(nproc)" >/dev/null
cmake -S . -B "$REL" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$REL" -j "$(nproc)" --target bench_rar bench_store >/dev/null

echo "== RAR reader throughput (native, optimised)"
"$REL/bench/rar/bench_rar"
echo "== clip store: save after one capture against a full rewrite, and load times"
QM_BUILD_NATIVE=$REL bash bench/store/run.sh

source scripts/wine-env.sh
qm_start_display_and_wine
echo "== start-up and exit against the fade speed (under Wine)"
QM_BIN=$WIN/bin QM_PROBE=$WIN/tests/e2e/qmprobe.exe bash bench/e2e/fade_speed.sh
echo "== capture latency (xclip to the history, under Wine)"
QM_BIN=$WIN/bin QM_PROBE=$WIN/tests/e2e/qmprobe.exe bash bench/e2e/capture_latency.sh
QM_BIN=$WIN/bin QM_PROBE=$WIN/tests/e2e/qmprobe.exe bash bench/e2e/clip_memory.sh
echo "== main window: from a capture to the new row painted (under Wine)"
wine "$WIN/bench/main/bench_main_row.exe"
