#!/usr/bin/env bash
# Builds the reader with clang + libFuzzer and fuzzes it: run_fuzz.sh [seconds] (default 300).
# Seeds: the sample archives (when present) and archives from our writer.
set -euo pipefail
cd "$(dirname "$0")/../.."
SECONDS_TO_RUN=${1:-300}
OUT=build/fuzz
cmake -S rar/fuzz -B "$OUT" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$OUT" -j "$(nproc)" >/dev/null
mkdir -p "$OUT/corpus" "$OUT/seeds"
"$OUT/make_seeds" "$OUT/seeds"
SAMPLES=../shared/rar-samples
[ -d "$SAMPLES" ] || SAMPLES=../../shared/rar-samples
if [ -d "$SAMPLES" ]; then
  find "$SAMPLES" -type f -size -200k ! -name '*.md' ! -name COPYING -exec cp {} "$OUT/seeds/" \;
fi
"$OUT/fuzz_rar_reader" "$OUT/corpus" "$OUT/seeds" -max_total_time="$SECONDS_TO_RUN" -max_len=65536 \
  -rss_limit_mb=1024 -timeout=10 -print_final_stats=1
