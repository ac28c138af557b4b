#!/usr/bin/env bash
# The first starts and capture, in the order a user meets them: start-up and a second start,
# capture, the clipboard viewer chain kind and unkind, settings and clips across restarts, and the
# clip files against changes from outside (the rest of the store: ClipStoreTest).
source "$(dirname "$0")/lib.sh"

# Each stage starts from a fresh first start of its own (lib.sh: qm_stage).

# --- Start-up writes its log in order and starts the updater with the version
stage_startup() {
cp "$QM_PROBE" "$QM_DIR/Updater.exe"
echo "stale line from the last run" > "$QM_DIR/Log.txt"
# Another program's window with "quillmate" in its title stops nothing.
qm_helper "$QM_DIR/editor.txt" edit-target "$QM_DIR/editor.txt" "QUILLMATE.txt - Editor"
qm_start
qm_wait_until 10 test -s "$QM_DIR/updater-args.txt" || qm_fail "the updater was not started"
grep -q 'Updater.exe /version:1\.0\.1' "$QM_DIR/updater-args.txt" || qm_fail "updater got: $(cat "$QM_DIR/updater-args.txt")"
qm_log_has "stale line" && qm_fail "the old log was not deleted"
expected=$'Log opened. Starting Quillmate...\r\nQuillmate version: 1.0.1\r\n\r\nStart loading data\r\n'
printf '%s' "$expected" | cmp -s -n ${#expected} - "$QM_DIR/Log.txt" || qm_fail "log does not start as expected"
grep -qE '^[0-2][0-9]:[0-5][0-9]:[0-5][0-9] \|\| Run updater\.\.\.'$'\r''$' "$QM_DIR/Log.txt" || qm_fail "no stamped updater line"
ready=$'Data was loaded\r\n\r\n\r\n->Programm is ready to start\r\n\r\n\r\n'
grep -qzF "$ready" "$QM_DIR/Log.txt" || qm_fail "no ready block"

# A second start ends at once, brings the first one forward and leaves its log alone.
cp "$QM_DIR/Log.txt" "$QM_DIR/log-before"   # the first instance may add lines of its own later
(cd "$QM_DIR" && exec wine Quillmate.exe >/dev/null 2>&1) &
second=$!
qm_wait_until 20 qm_gone "$second" || qm_fail "the second instance kept running"
wait "$second" || qm_fail "the second instance failed"
cmp -s -n "$(stat -c%s "$QM_DIR/log-before")" "$QM_DIR/log-before" "$QM_DIR/Log.txt" &&
  [ "$(qm_log_count "Starting Quillmate")" = 1 ] || qm_fail "the second instance touched the log"
[ -d "/proc/$QM_PID" ] || qm_fail "the first instance ended"
qm_wait_until 5 qm_foreground_is QuillmateStart || qm_fail "the first instance's start bar is not in front"
# The first instance has settled by now, without a complaint and without a clip folder: that is
# made at the first save of a clip.
qm_log_has ">>> " && qm_fail "a first start logged a problem"
[ -e "$QM_DATA/Clips" ] && qm_fail "a first start made the clip folder: $(ls "$QM_DATA/Clips")"
qm_copy_and_wait "after second start" 0   # the first instance still captures

# Texts copied in another program become clips; repeats, blanks and file lists do not.
qm_copy_and_wait "first text" 1
qm_copy "first text"          # the same text again: no new clip
qm_copy " "                   # a single blank: no clip
# A file manager's copy: a drop list with a text beside it. (xclip's text/uri-list is no good
# here: Wine sometimes offers it as plain text without the drop list.)
qm_helper "$QM_DIR/files-set" copy-files "a file list" "$QM_DIR/files-set"
# Two blanks are a clip, and the marker that the copies before were seen: the captures are counted
# once the marker's own text is the third clip file and no fourth follows it.
qm_copy "  "
qm_wait_until 10 qm_clip_is 3 "  " || qm_fail "the third clip is '$(qm_clip_text 3)', not the two blanks"
[ -e "$QM_CLIPS/Clip4.qms" ] && qm_fail "a fourth clip: '$(qm_clip_text 4)'"
[ "$(qm_log_count ' added.')" -eq 3 ] || qm_fail "a repeat, a blank or a file list became a clip"
qm_exit
tail_expected=$'\r\n\r\n->Programm is unload\r\n'
tail -c ${#tail_expected} "$QM_DIR/Log.txt" | cmp -s - <(printf '%s' "$tail_expected") || qm_fail "log does not end with the unload line"
grep -qzF $'\r\n\r\n->Programm is prepering to exit\r\n\r\n\r\n' "$QM_DIR/Log.txt" || qm_fail "no exit block"
}
qm_stage startup stage_startup

# --- Without the library: the critical message, then the end; no log is written.
stage_no_library() {
rm -f "$QM_DIR/Skin.dll"
qm_launch
qm_wait_until 20 qm_dialog "Critical Error" || qm_fail "no critical message"
[ -d "/proc/$QM_PID" ] || qm_fail "ended before the message was answered"
wine "$QM_PROBE" press-enter "Critical Error"
qm_ended "did not end after the message"
! [ -f "$QM_DIR/Log.txt" ] || qm_fail "a log was written without the library"
}
qm_stage no_library stage_no_library

# --- The clipboard viewer chain: with /noview Quillmate stays out of it and captures nothing; a
# viewer after Quillmate gets every notification and keeps the chain when Quillmate leaves; a
# clipboard held open, copies back to back, a viewer that ends without leaving the chain and one
# that hangs lose no capture and hang no exit.
viewer_log=$QM_DIR/viewer.txt
viewer() { rm -f "$viewer_log"; qm_helper "$viewer_log" cbviewer "$viewer_log" "$@"; }  # [die|hang]
draws() { grep -c draw "$viewer_log" || true; }
draws_reach() { qm_wait_until 10 bash -c "[ \$(grep -c draw '$viewer_log') -ge $1 ]"; }
clip_count() { ls "$QM_CLIPS" | grep -c '^Clip[0-9]*\.qms$'; }  # the store keeps other files beside them
newest_is() { qm_clip_is "$(clip_count)" "$1"; }

stage_chain() {
viewer
qm_start /noview /noicon
qm_log_has "Icon was added" && qm_fail "/noicon still added the tray icon"
[ "$(qm_probe viewer-title)" = "QM viewer" ] || qm_fail "Quillmate joined the chain"
base=$(draws)
qm_copy "not captured"
draws_reach $((base + 1)) || qm_fail "viewer saw no change"
qm_log_has "Start adding clip." && qm_fail "/noview captured a clip"
qm_exit

qm_start
base=$(draws)
for i in 0 1 2; do qm_copy_and_wait "chain text $i" $i; done
draws_reach $((base + 3)) || qm_fail "viewer after Quillmate saw $(( $(draws) - base )) of 3 changes"
qm_exit
[ "$(qm_probe viewer-title)" = "QM viewer" ] || qm_fail "the chain lost the viewer"
qm_copy "after exit"
draws_reach $((base + 4)) || qm_fail "chain broken after exit"
wine "$QM_PROBE" close QMViewer

qm_start
# Held open while the change is announced: read once the holder lets go.
wine "$QM_PROBE" copy 1 held 300 || qm_fail "could not copy"
qm_wait_until 5 newest_is "held 1" || qm_fail "the copy made while the clipboard was held was lost"
qm_log_has ">>> Can't open clipboard!" && qm_fail "a held clipboard was given up"

# 200 copies back to back: taken in order; only ones replaced before they could be read are missing.
before=$(clip_count)
wine "$QM_PROBE" copy 200 burst || qm_fail "could not copy"
qm_wait_until 10 newest_is "burst 200" || qm_fail "the last copy was not taken"
taken=$(for n in $(seq $((before + 1)) "$(clip_count)"); do qm_clip_text $n; echo; done | cut -d' ' -f2)
[ "$taken" = "$(sort -n <<< "$taken")" ] || qm_fail "copies taken out of order: $taken"
echo "took $(wc -l <<< "$taken") of 200 back-to-back copies"

# A viewer that joined later and ended without leaving: capture goes on, and the log says why.
viewer die
qm_copy_and_wait "after a dead viewer" "$(clip_count)"
qm_log_has ">>> Clipboard notifications stopped" || qm_fail "the broken chain was not logged"

# A viewer that joined later and hangs: the exit still finishes.
viewer hang
qm_exit
touch "$viewer_log.go"
}
qm_stage chain stage_chain

# --- Settings and clips survive a restart through the program's own exit path; with RestoreClips
# False they are gone after it; a bad settings value is logged and repaired.
stage_persist() {
qm_start
expected=$'[Global]\r\nTop=15\r\nLeft=7000\r\nFastExit=False\r\nFastHide=False\r\n\r\n[Options]\r\nRemExtra=False\r\nCombination=3\r\nTransparent=255\r\nInactiveTransparent=255\r\nRestoreClips=True\r\nPaiseSpeed=1000\r\nSkinName=Default\r\n\r\n'
[ "$(cat "$QM_INI"; echo .)" = "$expected." ] || qm_fail "first start wrote: $(cat -A "$QM_INI")"
qm_log_has "Paste style: 3" || qm_fail "no parameter block in the log"
qm_copy_and_wait "first text" 0
qm_copy_and_wait "second — ünï ✓" 1
qm_copy_and_wait "third text" 2
# Each capture reaches the disk within moments, oldest first.
qm_wait_until 10 qm_clip_is 3 "third text" || qm_fail "Clip3 was not saved"
[ "$(qm_clip_text 2)|$(qm_clip_text 3)" = "second — ünï ✓|third text" ] || qm_fail "Clip2, Clip3: $(qm_clip_text 2), $(qm_clip_text 3)"
qm_exit
[ "$(tr -d '\r' < "$QM_INI" | grep -c '^\[')/$(grep -c = "$QM_INI")" = 2/11 ] || qm_fail "INI after exit: $(cat "$QM_INI")"

qm_start
qm_log_has "Clip2 added." && ! qm_log_has "Clip3 added." || qm_fail "not the three saved clips came back"
# Row 0 is the newest, row 2 the oldest: selecting both (Ctrl adds) joins them newest first.
qm_click_row 0
QM_SOFT=1 qm_expect_clipboard "third text" "row 0"
qm_with_keys 17 qm_click_row 2
QM_SOFT=1 qm_expect_clipboard $'third text\nfirst text' "rows 0 and 2"
qm_exit
[ "$(qm_clip_text 1)|$(qm_clip_text 3)" = "first text|third text" ] || qm_fail "files changed order"

# A word where a number belongs, and RestoreClips off: the clips are loaded, written, then deleted.
# The slowest fade speed the file can hold (1) still starts and ends in moments (figures in
# bench/e2e/fade_speed.sh).
sed -i 's/^Transparent=255/Transparent=lots/; s/^RestoreClips=True/RestoreClips=False/; s/^PaiseSpeed=.*/PaiseSpeed=1\r/' "$QM_INI"
qm_start
qm_log_has "Raise speed: 1" || qm_fail "the speed from the file was not used"
qm_log_has ">>> " && grep -q $'^Transparent=255\r$' "$QM_INI" || qm_fail "the bad value was not logged and repaired"
qm_log_has "Clip2 added." || qm_fail "the clips were not loaded before the exit that deletes them"
qm_exit
[ -d "$QM_CLIPS" ] && ! [ -e "$QM_CLIPS/Clip1.qms" ] || qm_fail "clip files kept although RestoreClips is False"
qm_start
qm_log_has "Clip0 added." && qm_fail "clips came back although RestoreClips is False"
qm_exit
}
qm_stage persist stage_persist

# --- The clip files mirror the history whatever happens to them from outside
stage_store_outside() {
qm_start
for t in a b c; do qm_copy_and_wait "$t" $(( $(printf '%d' "'$t") - 97 )); done
qm_wait_until 10 qm_settled 3 || qm_fail "the three clips did not settle"
qm_copy_and_wait d 3
qm_wait_until 10 qm_settled 4 || qm_fail "the cache was not written"

# Killed with a current cache, then Clip4 is edited: the start reads the file, not the cache.
qm_kill9
qm_utf16 "d, edited meanwhile" > "$QM_CLIPS/Clip4.qms"
qm_start
qm_log_has "Clip3 added." || qm_fail "the four clips did not load"
qm_click_row 0
qm_expect_clipboard "d, edited meanwhile" "the newest clip"
qm_exit

# Clip1, just touched by another program (so the cache cannot vouch for it), is held open by
# it: skipped with a log line, and never touched while a capture and the exit save around it.
touch "$QM_CLIPS/Clip1.qms"
qm_helper "$QM_DIR/held" hold "$(winepath -w "$QM_CLIPS/Clip1.qms")" "$QM_DIR/held"
qm_start
qm_log_has "Cannot read clip file, left as it is" || qm_fail "the unreadable file was not logged"
qm_log_has "Clip2 added." && ! qm_log_has "Clip3 added." || qm_fail "not the three readable clips were loaded"
qm_copy_and_wait e 3
qm_exit
qm_clip_is 1 a && qm_clip_is 5 e || qm_fail "Clip1 '$(qm_clip_text 1)', Clip5 '$(qm_clip_text 5)'"
wine "$QM_PROBE" close-helpers >/dev/null 2>&1
qm_wait_until 10 qm_gone "${QM_HELPERS[-1]}" || qm_fail "the holder did not let go"
qm_start
qm_log_has "Clip4 added." || qm_fail "the freed clip did not come back"
qm_exit
}
qm_stage store_outside stage_store_outside

# "Clips.journal" made a folder: no renumbering can be committed. The files stay as they are,
# every capture still reaches a file of its own, and the user is told once, on screen.
stage_store_journal_folder() {
qm_seed_clips b b c d e   # b twice: the first save renumbers
mkdir "$QM_CLIPS/Clips.journal"
qm_start
qm_copy_and_wait f 4
qm_wait_until 10 qm_dialog Quillmate || qm_fail "the user was not told"
# The notice gives the platform's reason; it guesses at no full disk.
notice=$(qm_probe dialog-text Quillmate)
grep -qi "full" <<< "$notice" && qm_fail "the notice blames a full disk: $notice"
wine "$QM_PROBE" press-enter Quillmate
qm_copy_and_wait g 5
qm_exit
qm_clip_is 6 f && qm_clip_is 7 g || qm_fail "the captures were not saved: $(ls "$QM_CLIPS")"
[ "$(qm_log_count "left as they are")" -ge 1 ] || qm_fail "no log line"
}
qm_stage store_journal_folder stage_store_journal_folder

# A history of 320 MB (twenty clips of 8 M characters) starts, saves its cache and still takes a
# new clip; the next start loads it all again, from the cache or file by file.
stage_store_big() {
mkdir -p "$QM_CLIPS"
perl -e 'for my $i (1 .. 20) { open(my $f, ">:raw", "$ARGV[0]/Clip$i.qms") or die;
  print $f pack("v*", map ord, split //, "big $i ") . ("a\0" x 8_000_000) }' "$QM_CLIPS"
for round in 1 2; do
  qm_start
  qm_log_has "Clip$((18 + round)) added." || qm_fail "the big history did not load (round $round)"
  [ $round = 2 ] || { qm_copy_and_wait "small after big" 20; qm_wait_until 60 qm_settled 21 || qm_fail "no cache"; }
  qm_exit
done
qm_clip_is 21 "small after big" && [ "$(stat -c %s "$QM_CLIPS/Clip20.qms")" = 16000014 ] || qm_fail "the big history changed"
}
qm_stage store_big stage_store_big

# --- The clip folder on another volume (a mounted volume, a junction, a redirected folder): here a
# link to a folder on a tmpfs, so no file moves into it from the data folder in one step. Every
# capture is saved, and so is a renumbering (Clip2 made a copy of Clip1: the load drops it).
stage_other_volume() {
shm=$(mktemp -d /dev/shm/qm-clips.XXXXXX)
trap 'rm -rf "$shm"' EXIT   # the stage's own subshell
mkdir -p "$QM_DATA" && ln -s "$shm" "$QM_CLIPS"
qm_start
for i in 0 1 2; do qm_copy_and_wait "volume $i" $i; done
qm_exit
for i in 0 1 2; do qm_clip_is $((i + 1)) "volume $i" || qm_fail "Clip$((i + 1)) on the other volume: '$(qm_clip_text $((i + 1)))'"; done
qm_log_has ">>> " && qm_fail "saving to the other volume met a problem"
cp "$QM_CLIPS/Clip1.qms" "$QM_CLIPS/Clip2.qms"
qm_start
qm_copy_and_wait "volume 3" 2
qm_exit
[ "$(qm_clip_text 2)|$(qm_clip_text 3)" = "volume 2|volume 3" ] && ! [ -e "$QM_CLIPS/Clip4.qms" ] ||
  qm_fail "the renumbering on the other volume: $(ls "$QM_CLIPS")"
qm_log_has ">>> " && qm_fail "the renumbering on the other volume met a problem"
[ -L "$QM_CLIPS" ] || qm_fail "the link to the clip folder was replaced"
}
qm_stage other_volume stage_other_volume

# --- Links planted in the clip folder and the data folder lead out of them: reading through one is
# harmless, but no write, move or removal may reach what one leads to. Clip2 is a second name of
# an outside file (and a copy of Clip1, so the exit's save renumbers: Clip2 to Clip4 are written
# and Clip5 goes); Clip3 and Clip5, the journal and a temporary file are links, and so is Clip7,
# past the gap at 6, which the history meets after two more captures.
stage_planted_links() {
qm_start
for i in 0 1 2 3 4; do qm_copy_and_wait "own $i" $i; done
qm_exit
outside=$QM_DIR/outside && mkdir "$outside"
plant() { rm -f "$2"; qm_utf16 "$3" > "$outside/$1"; ln -s "$outside/$1" "$2"; }
plant journal "$QM_CLIPS/Clips.journal" "not a journal"
plant temp "$QM_DATA/Clip3.qms.tmp" "a temporary file's target"
plant middle "$QM_CLIPS/Clip3.qms" "middle outside"
plant newest "$QM_CLIPS/Clip5.qms" "newest outside"
plant beyond "$QM_CLIPS/Clip7.qms" "beyond the gap"
rm "$QM_CLIPS/Clip2.qms" && cp "$QM_CLIPS/Clip1.qms" "$outside/hard" && ln "$outside/hard" "$QM_CLIPS/Clip2.qms"
(cd "$outside" && sha1sum *) > "$QM_DIR/outside.sha1"
qm_start
qm_log_has "Clip3 added." && ! qm_log_has "Clip4 added." || qm_fail "the four texts did not load"
qm_exit
(cd "$outside" && sha1sum -c --quiet "$QM_DIR/outside.sha1") || qm_fail "a write or removal reached through a link"
[ "$(find "$QM_CLIPS" "$QM_DATA" -maxdepth 1 -type l)" = "$QM_CLIPS/Clip7.qms" ] || qm_fail "links left: $(find "$QM_DATA" -type l)"
[ "$(for n in 1 2 3 4; do qm_clip_text $n; echo; done | tr '\n' '|')" = "own 0|middle outside|own 3|newest outside|" ] &&
  ! [ -e "$QM_CLIPS/Clip5.qms" ] || qm_fail "the renumbered files: $(ls -l "$QM_CLIPS")"
[ "$(stat -c %h "$QM_CLIPS/Clip2.qms")" = 1 ] || qm_fail "Clip2 still shares its data"
[ "$(qm_log_count "A link stood in place of")/$(qm_log_count "(a hard link)")" = 4/1 ] || qm_fail "the links were not logged"
# The link past the gap is not moved aside (a move of it may take what it leads to along): it
# stays where it is, and the history goes around it.
qm_start
qm_copy_and_wait "own 5" 4
qm_copy_and_wait "own 6" 5
qm_exit
(cd "$outside" && sha1sum -c --quiet "$QM_DIR/outside.sha1") || qm_fail "a move reached through the link past the gap"
qm_clip_is 5 "own 5" && qm_clip_is 6 "own 6" && [ -L "$QM_CLIPS/Clip7.qms" ] || qm_fail "around the link: $(ls -l "$QM_CLIPS")"
qm_log_has "Cannot set aside stray clip file, left as it is: C:" || qm_fail "the link past the gap was not logged"
}
qm_stage planted_links stage_planted_links

qm_journey_end
