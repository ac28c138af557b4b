#!/usr/bin/env bash
# Prints the clip store's goal figures under Wine, each beside the platform's own cost that the
# same run measures on the same folder:
#   capture to file: from another program's clipboard write to the new clip file holding its
#     bytes, with 32,000 clips stored, against creating one new file in that folder;
#   first start: starting Quillmate.exe with 32,000 clip files and no cache until its ready line,
#     against listing the folder and reading every file once;
#   delete all: every clip of 10,000 deleted, the store making sure no name it removes is a link
#     leading elsewhere, against DeleteFile on each of the same files (all it did before). Paired
#     rounds, each side on a folder seeded afresh, the side that goes first alternating.
# Usage (display and Wine running, as scripts/bench.sh has them): QM_BIN=... QM_PROBE=... bash bench/store/goals.sh
QM_E2E_LIB=${QM_E2E_LIB:-$(dirname "$0")/../../tests/e2e/lib.sh}
source "$QM_E2E_LIB"
source "$(dirname "$0")/../lib.sh"
N=${QM_BENCH_CLIPS:-32000}
BENCH=${QM_BENCH_STORE:-$(dirname "$QM_BIN")/bench/store/bench_store.exe}
CLIPS=$QM_DATA/Clips
win() { winepath -w "$1"; }
bench() { wine "$BENCH" "$1" "$(win "$CLIPS")" 2>&1 | tr -d '\r'; }
seed() { bench_seed "$CLIPS" "$N"; }
settled() { [ "$CLIPS/Clips.cache" -nt "$CLIPS/Clip$1.qms" ]; }
start_ready() {  # sets READY_MS: from the start of Quillmate.exe to its ready line
  bench_start_until "->Programm is ready to start" /noicon
  READY_MS=$MS
  qm_wait_log "Parsing comand..." 60
}

echo "== clip store goals at $N clips (under Wine)"
qm_start /noicon && qm_exit   # the settings file and the skin, once
seed
floor_ms=$(bench floor | sed -n 's/.*listing \([0-9.]*\) ms.*read \([0-9.]*\) ms.*/\1 \2/p' | awk '{ printf "%d", $1 + $2 }')
start_ready; first=$READY_MS
qm_log_has "Clip$((N - 1)) added." || qm_fail "not all $N clips loaded"
qm_wait_until 120 settled "$N" || qm_fail "the first start did not settle"
awk -v x="$first" -v y="$floor_ms" -v n="$N" 'BEGIN { printf "first start at %d: %.1f s, floor: %.1f s, ratio %.2f (goal <= 1.3)\n", n, x / 1000, y / 1000, x / y }'

# Captures one at a time, each after the store has settled, as copies come in real use; after each
# one the platform's own cost of a new file in the same folder, so both see the same load.
samples=(); creates=()
for i in 1 2 3 4 5 6 7; do
  n=$((N + i)); file=$CLIPS/Clip$n.qms; text="bench capture $i"
  rm -f "$QM_DIR/t0"
  wine "$QM_PROBE" copy-timed "$text" "$(win "$QM_DIR/t0")" >/dev/null 2>&1 &
  until [ -s "$file" ]; do :; done   # the file is moved into place whole: its name is the moment
  t1=${EPOCHREALTIME/./}
  wait $!
  [ "$(stat -c %s "$file")" = $(( ${#text} * 2 )) ] || qm_fail "Clip$n.qms does not hold the capture"
  samples+=($(( t1 - $(cat "$QM_DIR/t0") )))
  qm_wait_until 120 settled "$n" || qm_fail "capture $i did not settle"
  creates+=($(bench create | sed -n 's/one file create: \([0-9.]*\) ms/\1/p'))
done
qm_exit
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
awk -v n="$N" -v m="$(median "${samples[@]}")" -v c="$(median "${creates[@]}")" 'BEGIN {
  printf "capture to file at %d clips: %.1f ms, one file create: %.1f ms, ratio %.2f (goal <= 1.5)\n", n, m / 1000, c, m / 1000 / c }'

D=${QM_BENCH_DELETE_CLIPS:-10000}
delete_all() {  # store|floor: seeds D clips, deletes them all that way and prints the milliseconds
  bench_seed "$CLIPS" "$D"
  case $1 in
    store) bench deleteall | sed -n 's/^delete all .*follows in *\([0-9.]*\) ms.*/\1/p' ;;
    floor) bench deletefloor | sed -n 's/^delete floor: .* in \([0-9.]*\) ms/\1/p' ;;
  esac
}
ratios=()
for round in 1 2 3 4 5; do
  if [ $((round % 2)) = 1 ]; then s=$(delete_all store) f=$(delete_all floor); else f=$(delete_all floor) s=$(delete_all store); fi
  [ -n "$s" ] && [ -n "$f" ] || qm_fail "delete all, round $round: no figure (store '$s', DeleteFile '$f')"
  echo "delete all, round $round: $s ms, DeleteFile on each: $f ms"
  ratios+=("$(awk -v s="$s" -v f="$f" 'BEGIN { printf "%.2f", s / f }')")
done
awk -v d="$D" -v m="$(median "${ratios[@]}")" 'BEGIN {
  printf "delete all at %d clips against DeleteFile on each: ratio %.2f (goal <= 1.3)\n", d, m }'
