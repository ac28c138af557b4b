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
CLIPS=$QM_DATA/Clips
FIXTURE=$QM_DIR/fixture

# make_fixture DIR: Clip1 and Clip2 hold the same text, the others each their own.
make_fixture() {
  mkdir -p "$1" && perl -e 'my ($d, $n) = @ARGV; for my $i (1 .. $n) { my $t = $i <= 2 ? "twice" : "stored clip $i \x{fc}";
    open(my $f, ">:raw", "$d/Clip$i.qms") or die; print $f pack("v*", map ord, split //, $t) }' "$1" "$N"
}

# check_state NEWTEXT: prints "old" or "new", or fails with the first difference.
check_state() {
  perl -e 'my ($dir, $fix, $n, $new) = @ARGV;
    sub slurp { open(my $f, "<:raw", $_[0]) or return undef; local $/; scalar <$f> }
    opendir(my $dh, $dir) or die "no folder\n"; my @names = grep { !/^\.\.?$/ } readdir $dh;
    my %want = map { ("Clip$_.qms" => 1) } 1 .. $n; $want{"Clips.cache"} = 1; @names = grep { $_ ne "Clips.cache" } @names;
    $want{$_} or die "unexpected file $_\n" for @names; @names == $n or die "expected $n files, found ".@names."\n";
    my @old = map { slurp("$fix/Clip$_.qms") } 1 .. $n;
    my @new = (@old[0, 2 .. $n - 1], join "", map { pack("v", ord) } split //, $new);
    my ($isOld, $isNew) = (1, 1);
    for my $i (1 .. $n) { my $b = slurp("$dir/Clip$i.qms");
      die "Clip$i.qms is neither the old nor the new text\n" if $b ne $old[$i - 1] && $b ne $new[$i - 1];
      $isOld &&= $b eq $old[$i - 1]; $isNew &&= $b eq $new[$i - 1] }
    print $isOld ? "old" : $isNew ? "new" : die "a mixture of old and new\n"' "$CLIPS" "$FIXTURE" "$N" "$1"
}

# One start on the fixture; copies TEXT and waits until the capture began to be saved.
start_and_capture() {
  rm -rf "$CLIPS"
  cp -r "$FIXTURE" "$CLIPS"
  qm_start /noicon   # a killed program's tray icon would stay and take the next test's tray clicks
  qm_log_has "Clip$((N - 2)) added." || qm_fail "the fixture did not load"
  qm_copy "$1"
  qm_wait_log "Clip$((N - 1)) added." 20
}

kill9() { kill -9 "$QM_PID"; wait "$QM_PID" 2>/dev/null || true; }

make_fixture "$FIXTURE"
qm_start && qm_exit  # first start: writes the settings file

settled() { ! [ -e "$CLIPS/Clips.journal" ] && [ -z "$(find "$CLIPS" -name '*.tmp' -print -quit)" ] &&
  [ "$CLIPS/Clips.cache" -nt "$CLIPS/Clip$N.qms" ]; }

# Calibration: one save and settling left to finish show how long they take with this history.
start_and_capture "calibration"
t0=$(date +%s%N)
qm_wait_until 120 settled || qm_fail "the calibration save did not settle"
save_ms=$(( ($(date +%s%N) - t0) / 1000000 ))
kill9
[ "$(check_state calibration)" = new ] || qm_fail "the finished save is not the new history"
echo "a save and settling of $N clips take about $save_ms ms"

mid=0
for round in $(seq 0 "$ROUNDS"); do
  text="captured in round $round"
  start_and_capture "$text"
  if [ "$round" = 0 ]; then
    # The moment the cache begins to be written, after the renumbering.
    end=$((SECONDS + 120))  # polled without pause: the writing takes milliseconds
    until [ -e "$CLIPS/Clips.cache.tmp" ]; do [ "$SECONDS" -lt "$end" ] || qm_fail "the cache was never written"; done
  else
    # A random moment in the round's own slice of the save and settling (and a little beyond),
    # so that the rounds together cover the commit, the renumbering and the writing of the cache.
    sleep "$(awk -v m="$save_ms" -v r="$RANDOM" -v i="$round" -v n="$ROUNDS" \
      'BEGIN { printf "%.3f", m * 1.3 / 1000 * (i - 1 + r / 32768) / n }')"
  fi
  kill9
  moment="outside a save"
  if [ -e "$CLIPS/Clips.journal" ]; then moment="committed, renumbering under way"; mid=$((mid + 1))
  elif [ -e "$CLIPS/Clips.journal.tmp" ]; then moment="writing the journal"; mid=$((mid + 1))
  elif [ -e "$CLIPS/Clips.cache.tmp" ]; then moment="writing the cache"; mid=$((mid + 1)); fi
  # The restart loads the old history, or the new one through the journal, and then settles.
  qm_start /noicon
  if qm_log_has "Clip$((N - 1)) added."; then loaded=new; else loaded=old; fi
  qm_log_has "Clip$((N - 2)) added." && ! qm_log_has "Clip$N added." || qm_fail "round $round: no whole history loaded"
  qm_wait_until 120 settled || qm_fail "round $round: the restart did not settle"
  state=$(check_state "$text") || qm_fail "round $round: $state"
  [ "$state" = "$loaded" ] || qm_fail "round $round: loaded the $loaded history, the files hold the $state one"
  kill9
  echo "round $round: killed $moment; loaded the $state history"
done
[ "$mid" -ge 2 ] || qm_fail "too few kills landed inside a save; the test proved little"
echo "crash: ok ($mid of $((ROUNDS + 1)) kills landed inside a save or the cache's writing)"
