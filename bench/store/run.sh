#!/usr/bin/env bash
# Prints the clip store's figures under Wine on real clip files, each beside the Wine floor that
# the same run measures on the same folder (listing it, opening and reading each file).
# Usage: bash bench/store/run.sh   (QM_BENCH_SIZES overrides the history sizes of the load figures)
set -euo pipefail
cd "$(dirname "$0")/../.."
WIN=${QM_BUILD_WIN:-build/win}
cmake --build "$WIN" --target bench_store Quillmate qmprobe -j "$(nproc)" >/dev/null
# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh
qm_start_display_and_wine
work=$(mktemp -d /tmp/qm-bench.XXXXXX)
trap 'rm -rf "$work"; qm_stop_display_and_wine' EXIT
BENCH=$WIN/bench/store/bench_store.exe

# seed DIR N: clip files 1..N of about 80 characters each, as copied sentences or paths would be.
seed() {
  rm -rf "$1" && mkdir -p "$1"
  perl -e 'my ($d, $n) = @ARGV; for my $i (1 .. $n) { my $t = "clip number $i: the quick brown fox jumps over the lazy dog, twice.";
    open(my $f, ">:raw", "$d/Clip$i.qms") or die; print $f pack("v*", map ord, split //, $t) }' "$1" "$2"
}
run() { wine "$BENCH" "$@" "$(winepath -w "$dir")" 2>&1 | tr -d '\r'; }

for n in ${QM_BENCH_SIZES:-0 1000 10000 32000}; do
  echo "== $n clip files"
  dir=$work/clips; seed "$dir" "$n"
  run floor
  run load
done
echo "== the log"
run log
for n in 10 10000 32767; do
  echo "== captures and deletions at $n clips (worker thread, real files)"
  dir=$work/clips; seed "$dir" "$n"
  run ops
done
echo "== start-up of Quillmate.exe to its ready line (second start: the cache was written at the first exit)"
QM_BIN=$WIN/bin QM_PROBE=$WIN/tests/e2e/qmprobe.exe bash bench/store/startup.sh
