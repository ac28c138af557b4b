#!/usr/bin/env bash
# Figure (1): start-up of Quillmate.exe (launch to its log line "Parsing comand...") with 32,000
# stored clips and the clip cache, against start-up with no clips; starts of the two kinds take
# turns, so a busy machine weighs on both alike. Prints the ratio of the medians.
# Needs QM_BIN and QM_PROBE, and the display and Wine of scripts/bench.sh.
source "$(dirname "$0")/../lib.sh"
QM_E2E_LIB=${QM_E2E_LIB:-$(dirname "$0")/../../tests/e2e/lib.sh}
source "$QM_E2E_LIB"
CLIPS=${QM_BENCH_CLIPS:-32000}
ROUNDS=${QM_BENCH_ROUNDS:-5}
start_ms() { bench_start_until "Parsing comand..." /noview /noicon; }
bench_seed "$QM_DATA/Clips" "$CLIPS"
mkdir -p "$QM_DATA/Clips.none"
start_ms; qm_exit   # reads every clip file; the exit writes the cache
qm_log_has "Clip$((CLIPS - 1)) added." || qm_fail "not all $CLIPS clips loaded"
full=() none=()
for _ in $(seq "$ROUNDS"); do
  mv "$QM_DATA/Clips" "$QM_DATA/Clips.full" && mv "$QM_DATA/Clips.none" "$QM_DATA/Clips"
  start_ms; none+=("$MS"); qm_exit
  mv "$QM_DATA/Clips" "$QM_DATA/Clips.none" && mv "$QM_DATA/Clips.full" "$QM_DATA/Clips"
  start_ms; full+=("$MS")
  qm_log_has "Clip$((CLIPS - 1)) added." || qm_fail "not all $CLIPS clips loaded"
  qm_exit
done
n=$(bench_median "${none[@]}") f=$(bench_median "${full[@]}")
bench_figure 1 "start-up, cache, $CLIPS clips vs none" "$(awk -v f="$f" -v n="$n" 'BEGIN { printf "%.2f", f / n }')" x "<=" 1.5
echo "     (none: ${none[*]} ms; $CLIPS clips: ${full[*]} ms)"
