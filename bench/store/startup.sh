#!/usr/bin/env bash
# Prints the time from starting Quillmate.exe to its log line "->Programm is ready to start"
# with 0, 1,000, 10,000 and 32,000 stored clips: the first start reads every clip file, the
# second one the cache written since. Needs the display and Wine of bench/store/run.sh.
QM_E2E_LIB=${QM_E2E_LIB:-$(dirname "$0")/../../tests/e2e/lib.sh}
source "$QM_E2E_LIB"
source "$(dirname "$0")/../lib.sh"
start_ready() {  # sets READY_MS: from the start of Quillmate.exe to its ready line
  bench_start_until "->Programm is ready to start" /noview /noicon
  READY_MS=$MS
  qm_wait_log "Parsing comand..." 60
}
qm_start /noview /noicon && qm_exit   # the settings file and the skin, once
for n in ${QM_BENCH_STARTS:-0 1000 10000 32000}; do
  bench_seed "$QM_DATA/Clips" "$n"
  start_ready; first=$READY_MS; qm_exit
  start_ready; second=$READY_MS
  qm_log_has "Clip$((n - 1)) added." || [ "$n" = 0 ] || qm_fail "not all $n clips loaded"
  qm_exit
  printf 'start-up with %6d clips: %6d ms first (every file read), %6d ms with the cache\n' "$n" "$first" "$second"
done
