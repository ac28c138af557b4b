#!/usr/bin/env bash
# Killing Quillmate (kill -9) at random moments while it saves a large history in the background
# never loses or damages a clip: each restart loads the whole previous history or the whole new
# one, and once it has settled the folder holds exactly that. The save is made large on purpose:
# the stored history starts with two equal texts, of which the program keeps one, so the first
# capture renumbers every later clip; the kills fall into its commit, its renumbering and the
# writing of the cache that follows.
source "$(dirname "$0")/lib.sh"
N=${QM_CRASH_CLIPS:-1000}
ROUNDS=${QM_CRASH_ROUNDS:-8}
FIXTURE=$QM_DIR/fixture

# make_fixture DIR: Clip1 and Clip2 hold the same text, the others each their own.
make_fixture() {
  mkdir -p "$1" && perl -e 'my ($d, $n) = @ARGV; for my $i (1 .. $n) { my $t = $i <= 2 ? "twice" : "stored clip $i \x{fc}";
    open(my $f, ">:raw", "$d/Clip$i.qms") or die; print $f pack("v*", map ord, split //, $t) }' "$1" "$N"
}

# check_state NEWTEXT: prints "old" or "new", or fails with the differences. The new history keeps
# Clip1, drops the repeated Clip2, moves the rest up by one and ends with NEWTEXT.
check_state() {
  local new=$QM_DIR/new
  rm -rf "$new" && mkdir "$new" && cp "$FIXTURE/Clip1.qms" "$new/"
  perl -e 'my ($f, $d, $n) = @ARGV; link("$f/Clip$_.qms", "$d/Clip".($_ - 1).".qms") or die for 3 .. $n' "$FIXTURE" "$new" "$N"
  qm_utf16 "$1" > "$new/Clip$N.qms"
  if diff -rq -x Clips.cache "$QM_CLIPS" "$FIXTURE" >/dev/null; then echo old
  elif diff -rq -x Clips.cache "$QM_CLIPS" "$new" > "$QM_DIR/diff"; then echo new
  else echo "neither the old nor the new history: $(head -n3 "$QM_DIR/diff" | tr '\n' ';')"; return 1; fi
}

# One start on the fixture; copies TEXT and waits until the capture began to be saved.
start_and_capture() {
  rm -rf "$QM_CLIPS"
  cp -r "$FIXTURE" "$QM_CLIPS"
  qm_start /noicon   # a killed program's tray icon would stay and take the next test's tray clicks
  qm_log_has "Clip$((N - 2)) added." || qm_fail "the fixture did not load"
  qm_copy "$1"
  qm_wait_log "Clip$((N - 1)) added." 20
}

make_fixture "$FIXTURE"
qm_start && qm_exit  # first start: writes the settings file

# Calibration: one save and settling left to finish show how long they take with this history.
# The store settles the loaded history after a quiet spell, so a cache newer than the last clip
# file may stand before the capture's save has even begun: the save is done once the new text
# is in place.
saved_and_settled() { qm_clip_is "$N" calibration && qm_settled "$N"; }
start_and_capture "calibration"
t0=$(date +%s%N)
qm_wait_until 120 saved_and_settled || qm_fail "the calibration save did not settle"
save_ms=$(( ($(date +%s%N) - t0) / 1000000 ))
qm_kill9
[ "$(check_state calibration)" = new ] || qm_fail "the finished save is not the new history"
echo "a save and settling of $N clips take about $save_ms ms"

mid=0
for round in $(seq 0 "$ROUNDS"); do
  text="captured in round $round"
  start_and_capture "$text"
  if [ "$round" = 0 ]; then
    # The moment the cache begins to be written, after the renumbering.
    end=$((SECONDS + 120))  # polled without pause: the writing takes milliseconds
    until [ -e "$QM_DATA/Clips.cache.tmp" ]; do [ "$SECONDS" -lt "$end" ] || qm_fail "the cache was never written"; done
  else
    # A random moment in the round's own slice of the save and settling (and a little beyond),
    # so that the rounds together cover the commit, the renumbering and the writing of the cache.
    sleep "$(awk -v m="$save_ms" -v r="$RANDOM" -v i="$round" -v n="$ROUNDS" \
      'BEGIN { printf "%.3f", m * 1.3 / 1000 * (i - 1 + r / 32768) / n }')"
  fi
  qm_kill9
  moment="outside a save"
  if [ -e "$QM_CLIPS/Clips.journal" ]; then moment="committed, renumbering under way"; mid=$((mid + 1))
  elif [ -e "$QM_DATA/Clips.journal.tmp" ]; then moment="writing the journal"; mid=$((mid + 1))
  elif [ -e "$QM_DATA/Clips.cache.tmp" ]; then moment="writing the cache"; mid=$((mid + 1)); fi
  # The restart loads the old history, or the new one through the journal, and then settles.
  qm_start /noicon
  if qm_log_has "Clip$((N - 1)) added."; then loaded=new; else loaded=old; fi
  qm_log_has "Clip$((N - 2)) added." && ! qm_log_has "Clip$N added." || qm_fail "round $round: no whole history loaded"
  qm_wait_until 120 qm_settled "$N" || qm_fail "round $round: the restart did not settle"
  state=$(check_state "$text") || qm_fail "round $round: $state"
  [ "$state" = "$loaded" ] || qm_fail "round $round: loaded the $loaded history, the files hold the $state one"
  qm_kill9
  echo "round $round: killed $moment; loaded the $state history"
done
[ "$mid" -ge 2 ] || qm_fail "too few kills landed inside a save; the test proved little"
echo "crash: ok ($mid of $((ROUNDS + 1)) kills landed inside a save or the cache's writing)"
