#!/usr/bin/env bash
# Builds Quillmate and prints, in one run, every figure the speed and memory goals are judged by,
# each beside its goal (bench/lib.sh: bench_figure). Not part of the tests; a few minutes.
# Each goal has one line below calling its own script, which prints its figure lines.
# QM_BENCH_DETAILS=1 also runs the detailed benchmarks behind the figures afterwards.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
JOBS=$(( $(nproc) > 4 ? 4 : $(nproc) ))   # a shared machine
WIN=$ROOT/build/win
REL=$ROOT/build/native-release
cmake -S . -B "$WIN" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build "$WIN" -j "$JOBS" >/dev/null

source scripts/wine-env.sh
qm_start_display_and_wine
export QM_BIN=$WIN/bin QM_PROBE=$WIN/tests/e2e/qmprobe.exe QM_HOLD=$WIN/bench/e2e/bench_hold.exe
# goal SCRIPT: runs one goal's script; one that fails is reported and the others still run.
goal() { bash "$1" || echo "!! $1 failed"; }
echo "== goals (this machine: $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg))"
goal bench/e2e/startup_ratio.sh   # (1) start-up with the cache, 32,000 clips against none
goal bench/store/goals.sh         # (2) first start without the cache against its floor, (5) capture to file at 32,000 clips,
                                  # (6) deleting every clip of 10,000 against DeleteFile on each
goal bench/e2e/clip_memory.sh     # (3) peak resident memory with a 10 MB clip
goal bench/e2e/skin_switch.sh     # (4) options dialog opening and skin switch: window thread held

[ -n "${QM_BENCH_DETAILS:-}" ] || exit 0
cmake -S . -B "$REL" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$REL" -j "$JOBS" --target bench_rar bench_store >/dev/null
echo "== RAR reader throughput (native, optimised)"
"$REL/bench/rar/bench_rar"
echo "== clip store: save after one capture against a full rewrite, and load times"
QM_BUILD_NATIVE=$REL bash bench/store/run.sh
echo "== start-up and exit against the fade speed (under Wine)"
bash bench/e2e/fade_speed.sh
echo "== capture latency (xclip to the history, under Wine)"
bash bench/e2e/capture_latency.sh
echo "== main window: from a capture to the new row painted (under Wine)"
wine "$WIN/bench/main/bench_main_row.exe"
