#!/usr/bin/env bash
# Prints the time from starting Quillmate.exe to its log line "->Programm is ready to start"
# with 0, 1,000, 10,000 and 32,000 stored clips: the first start reads every clip file, the
# second one the cache written since. Needs the display and Wine of bench/store/run.sh.
QM_E2E_LIB=${QM_E2E_LIB:-$(dirname "$0")/../../tests/e2e/lib.sh}
source "$QM_E2E_LIB"
# start_ready: starts Quillmate and sets READY_MS to the time until its ready line.
start_ready() {
  rm -f "$QM_DIR/Log.txt"
  local t0; t0=$(date +%s%N)
  (cd "$QM_DIR" && exec wine Quillmate.exe /noview /noicon >/dev/null 2>&1) &
  QM_PID=$!; QM_PIDS+=("$QM_PID")
  until grep -qF -- "->Programm is ready to start" "$QM_DIR/Log.txt" 2>/dev/null; do
    [ $(( $(date +%s%N) - t0 )) -lt 600000000000 ] || qm_fail "no ready line"
    sleep 0.005
  done
  READY_MS=$(( ($(date +%s%N) - t0) / 1000000 ))
  qm_wait_log "Parsing comand..." 60
}
qm_start /noview /noicon && qm_exit   # the settings file and the skin, once
for n in ${QM_BENCH_STARTS:-0 1000 10000 32000}; do
  rm -rf "$QM_DATA/Clips" && mkdir -p "$QM_DATA/Clips"
  perl -e 'my ($d, $n) = @ARGV; for my $i (1 .. $n) { my $t = "clip number $i: the quick brown fox jumps over the lazy dog, twice.";
    open(my $f, ">:raw", "$d/Clip$i.qms") or die; print $f pack("v*", map ord, split //, $t) }' "$QM_DATA/Clips" "$n"
  start_ready; first=$READY_MS; qm_exit
  start_ready; second=$READY_MS
  qm_log_has "Clip$((n - 1)) added." || [ "$n" = 0 ] || qm_fail "not all $n clips loaded"
  qm_exit
  printf 'start-up with %6d clips: %6d ms first (every file read), %6d ms with the cache\n' "$n" "$first" "$second"
done
