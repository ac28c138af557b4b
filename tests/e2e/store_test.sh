#!/usr/bin/env bash
# The clip files mirror the history whatever happens to them from outside: a removed file is
# written again, a file changed while the program was down (or killed) is read rather than its
# cached copy, a file another program holds open is never written over and comes back once free,
# a journal that proves no committed save is ignored with a log line, and a journal that cannot be
# written leaves the files as they are and still saves every capture.
source "$(dirname "$0")/lib.sh"
CLIPS=$QM_DATA/Clips
settled() { [ -e "$CLIPS/Clips.cache" ] && [ "$CLIPS/Clips.cache" -nt "$CLIPS/Clip$1.qms" ] && ! [ -e "$CLIPS/Clips.journal" ]; }
utf16() { printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE; }

qm_start
for t in a b c; do qm_copy_and_wait "$t" $(( $(printf '%d' "'$t") - 97 )); done
qm_wait_until 10 settled 3 || qm_fail "the three clips did not settle"
# A cleaner removes Clip2 while the program runs; the next capture's settling writes it again.
rm "$CLIPS/Clip2.qms"
qm_copy_and_wait d 3
qm_wait_until 10 qm_clip_is 2 b || qm_fail "Clip2 was not written again"
qm_wait_log "removed from outside, written again" 10
qm_wait_until 10 settled 4 || qm_fail "the cache was not written"

# Killed with a current cache, then Clip4 is edited: the start reads the file, not the cache.
qm_kill9
utf16 "d, edited meanwhile" > "$CLIPS/Clip4.qms"
qm_start
qm_log_has "Clip3 added." || qm_fail "the four clips did not load"
qm_click_row 0
qm_expect_clipboard "d, edited meanwhile" "the newest clip"
qm_exit

# Clip1, just touched by another program (so the cache cannot vouch for it), is held open by
# it: skipped with a log line, and never touched while a capture and the exit save around it.
touch "$CLIPS/Clip1.qms"
wine "$QM_PROBE" hold "$(winepath -w "$CLIPS/Clip1.qms")" "$QM_DIR/held" >/dev/null 2>&1 &
QM_HELPERS+=($!)
qm_wait_until 10 test -e "$QM_DIR/held" || qm_fail "the file could not be held"
qm_start
qm_log_has "Cannot read clip file, left as it is" || qm_fail "the unreadable file was not logged"
qm_log_has "Clip2 added." && ! qm_log_has "Clip3 added." || qm_fail "not the three readable clips were loaded"
qm_copy_and_wait e 3
qm_exit
qm_clip_is 1 a && qm_clip_is 5 e || qm_fail "Clip1 '$(qm_clip_text 1)', Clip5 '$(qm_clip_text 5)'"
wine "$QM_PROBE" close-helpers >/dev/null 2>&1
qm_wait_until 10 bash -c "! [ -d /proc/${QM_HELPERS[-1]} ]" || qm_fail "the holder did not let go"
qm_start
qm_log_has "Clip4 added." || qm_fail "the freed clip did not come back"
qm_exit

# Journals that prove no committed save: the old four lines that removed every clip, a huge count.
for journal in $'Quillmate clip journal 1\r\n1\r\n0\r\n5\r\n' $'Quillmate clip journal 2\r\n4294967296\r\n0\r\n0\r\n0\r\n1\r\n'; do
  utf16 "$journal" > "$CLIPS/Clips.journal"
  qm_start
  qm_log_has "Clip journal ignored" && qm_log_has "Clip4 added." || qm_fail "a crafted journal was obeyed"
  qm_exit
  qm_clip_is 1 a && qm_clip_is 5 e && ! [ -e "$CLIPS/Clips.journal" ] || qm_fail "the clips changed after a crafted journal"
done

# "Clips.journal" made a folder: no renumbering can be committed. The files stay as they are,
# every capture still reaches a file of its own, and the user is told once, on screen.
cp "$CLIPS/Clip2.qms" "$CLIPS/Clip1.qms"   # b twice: the first save renumbers
mkdir "$CLIPS/Clips.journal"
qm_start
qm_copy_and_wait f 4
qm_wait_until 10 qm_dialog Quillmate || qm_fail "the user was not told"
wine "$QM_PROBE" press-enter Quillmate
qm_copy_and_wait g 5
qm_exit
qm_clip_is 6 f && qm_clip_is 7 g || qm_fail "the captures were not saved: $(ls "$CLIPS")"
[ "$(qm_log_count "left as they are")" -ge 1 ] || qm_fail "no log line"
echo "store: ok"
