#!/usr/bin/env bash
# Start-up writes its log in order and starts the updater with the version; another program's
# window with "quillmate" in its title stops nothing; a second start ends at once, brings the
# first one forward and leaves its log alone; without Skin.dll the program refuses to run with its
# critical message, writing nothing.
source "$(dirname "$0")/lib.sh"
cp "$QM_PROBE" "$QM_DIR/Updater.exe"
echo "stale line from the last run" > "$QM_DIR/Log.txt"
wine "$QM_PROBE" edit-target "$QM_DIR/editor.txt" "QUILLMATE.txt - Editor" >/dev/null 2>&1 &
QM_HELPERS+=($!)
qm_wait_until 10 test -s "$QM_DIR/editor.txt" || qm_fail "no editor window"
qm_start
qm_wait_until 10 test -s "$QM_DIR/updater-args.txt" || qm_fail "the updater was not started"
grep -q 'Updater.exe /version:1\.0\.1' "$QM_DIR/updater-args.txt" || qm_fail "updater got: $(cat "$QM_DIR/updater-args.txt")"
qm_log_has "stale line" && qm_fail "the old log was not deleted"
expected=$'Log opened. Starting Quillmate...\r\nQuillmate version: 1.0.1\r\n\r\nStart loading data\r\n'
printf '%s' "$expected" | cmp -s -n ${#expected} - "$QM_DIR/Log.txt" || qm_fail "log does not start as expected"
grep -qE '^[0-2][0-9]:[0-5][0-9]:[0-5][0-9] \|\| Run updater\.\.\.'$'\r''$' "$QM_DIR/Log.txt" || qm_fail "no stamped updater line"
ready=$'Data was loaded\r\n\r\n\r\n->Programm is ready to start\r\n\r\n\r\n'
grep -qzF "$ready" "$QM_DIR/Log.txt" || qm_fail "no ready block"

cp "$QM_DIR/Log.txt" "$QM_DIR/log-before"   # the first instance may add lines of its own later
(cd "$QM_DIR" && exec wine Quillmate.exe >/dev/null 2>&1) &
second=$!
qm_wait_until 20 bash -c "! [ -d /proc/$second ]" || qm_fail "the second instance kept running"
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
qm_exit
tail_expected=$'\r\n\r\n->Programm is unload\r\n'
tail -c ${#tail_expected} "$QM_DIR/Log.txt" | cmp -s - <(printf '%s' "$tail_expected") || qm_fail "log does not end with the unload line"
grep -qzF $'\r\n\r\n->Programm is prepering to exit\r\n\r\n\r\n' "$QM_DIR/Log.txt" || qm_fail "no exit block"

# The slowest fade speed the settings file can hold (1) still starts and ends in moments; the
# figures are in bench/e2e/fade_speed.sh.
sed -i 's/^PaiseSpeed=.*/PaiseSpeed=1\r/' "$QM_DATA/Data.INI"
qm_start
qm_log_has "Raise speed: 1" || qm_fail "the speed from the file was not used"
qm_exit

# Without the library: the critical message, then the end; no log is written.
rm -f "$QM_DIR/Skin.dll"
qm_launch
qm_wait_until 20 qm_dialog "Critical Error" || qm_fail "no critical message"
[ -d "/proc/$QM_PID" ] || qm_fail "ended before the message was answered"
wine "$QM_PROBE" press-enter "Critical Error"
qm_ended "did not end after the message"
[ -f "$QM_DIR/Log.txt" ] && qm_fail "a log was written without the library"
echo "startup: ok"
