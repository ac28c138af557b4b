#!/usr/bin/env bash
# Figure (4): with 32,000 clips, how long the window thread is held while the options dialog opens
# from the main window's Options button, and while Apply switches the skin (Default and Graphite in
# turn), as bench_hold sees it from another process. Prints the median of each (worst in brackets).
# Needs QM_BIN, QM_PROBE and QM_HOLD (bench_hold.exe), and the display and Wine of scripts/bench.sh.
source "$(dirname "$0")/../lib.sh"
QM_E2E_LIB=${QM_E2E_LIB:-$(dirname "$0")/../../tests/e2e/lib.sh}
source "$QM_E2E_LIB"
CLIPS=${QM_BENCH_CLIPS:-32000}
ROUNDS=${QM_BENCH_ROUNDS:-4}
bench_seed "$QM_DATA/Clips" "$CLIPS"
qm_launch /noview /noicon; qm_wait_log "Parsing comand..." 180; qm_exit   # every clip file read; the exit writes the cache
qm_start /noview /noicon
qm_log_has "Clip$((CLIPS - 1)) added." || qm_fail "not all $CLIPS clips loaded"

# held ACTION...: runs ACTION while bench_hold watches the main window; sets HELD to its longest hold.
held() {
  local dir; dir=$(mktemp -d "$QM_DIR/hold.XXXXXX")
  wine "$QM_HOLD" QuillmateMain "$(winepath -w "$dir")" >"$dir/out" 2>/dev/null &
  local pid=$!
  qm_wait_until 10 test -f "$dir/ready" || qm_fail "bench_hold did not start"
  "$@"
  sleep 0.3   # the thread's answers after the action
  : >"$dir/stop"
  wait "$pid" || qm_fail "bench_hold lost the window"
  HELD=$(tr -d '\r' <"$dir/out")
}
options_button() {  # the main window's Options button: its second push button
  local l t r b
  read -r l t r b < <(qm_probe child-list QuillmateMain | awk '$1 == "QuillmateUserControl"' | sed -n 2p | cut -d' ' -f2-5)
  xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2)) click 1
}
open_options() { options_button; qm_wait_until 10 qm_visible QuillmateOptions || qm_fail "no options dialog"; }
click() { xdotool mousemove $((DX + $1)) $((DY + $2)); sleep 0.1; xdotool click 1; }
apply() {
  local l t w; IFS=, read -r l t w _ <<<"$(qm_place Options_Apply)"
  local loads; loads=$(qm_log_count "End loading skin")
  click $((l + w / 2)) $((t + 12))
  qm_wait_until 30 bash -c "[ \$(grep -cF 'End loading skin' '$QM_DIR/Log.txt') -gt $loads ]" || qm_fail "Apply loaded no skin"
}
opens=() switches=()
for round in $(seq "$ROUNDS"); do
  held open_options; opens+=("$HELD")
  read -r DX DY _ _ < <(qm_probe rect QuillmateOptions)
  click $((31 + 56 + 40)) $((75 + 8 + 11))           # the skin field opens the list
  click $((87 + 50)) $((105 + 22 * (round % 2) + 11))  # Graphite (row 1), then Default (row 0)
  held apply; switches+=("$HELD")
  options_button; qm_wait_until 10 qm_visible QuillmateOptions 0 || qm_fail "the dialog did not close"
done
qm_exit
bench_figure 4a "options dialog opens, $CLIPS clips: window held" "$(bench_median "${opens[@]}")" ms "<" 100
echo "     (each: ${opens[*]} ms)"
bench_figure 4b "skin switch by Apply, $CLIPS clips: window held" "$(bench_median "${switches[@]}")" ms "<" 100
echo "     (each: ${switches[*]} ms)"
