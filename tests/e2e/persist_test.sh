#!/usr/bin/env bash
# Settings and clips survive a restart through the program's own exit path; with RestoreClips
# False they are gone after it; a bad settings value is logged and repaired.
source "$(dirname "$0")/lib.sh"
INI=$QM_DATA/Data.INI
CLIPS=$QM_DATA/Clips

# clip_text N: the text of clip file N (UTF-16LE without byte-order mark).
clip_text() { iconv -f UTF-16LE -t UTF-8 "$CLIPS/Clip$1.qms"; }
ini_keys() { tr -d '\r' < "$INI" | grep -c '='; }
# The log of an earlier run must not answer for this one.
start() { rm -f "$QM_DIR/Log.txt"; qm_start "$@"; }
ini_sections() { tr -d '\r' < "$INI" | grep -c '^\['; }

start
expected=$'[Global]\r\nTop=15\r\nLeft=7000\r\nFastExit=False\r\nFastHide=False\r\n\r\n[Options]\r\nRemExtra=False\r\nCombination=3\r\nTransparent=255\r\nInactiveTransparent=255\r\nRestoreClips=True\r\nPaiseSpeed=1000\r\nSkinName=Default\r\n\r\n'
[ "$(cat "$INI"; echo .)" = "$expected." ] || qm_fail "first start wrote: $(cat -A "$INI")"
qm_log_has "Paste style: 3" || qm_fail "no parameter block in the log"

qm_copy_and_wait "first text" 0
qm_copy_and_wait "second — ünï ✓" 1
qm_copy_and_wait "third text" 2
# Each capture is on disk at once, oldest first, as raw UTF-16LE.
[ "$(od -An -tx1 "$CLIPS/Clip1.qms" | tr -d ' \n' | cut -c1-8)" = "66006900" ] || qm_fail "Clip1 is not UTF-16LE"
[ "$(clip_text 2)" = "second — ünï ✓" ] || qm_fail "Clip2 holds '$(clip_text 2)'"
[ "$(clip_text 3)" = "third text" ] || qm_fail "Clip3 holds '$(clip_text 3)'"
qm_exit
[ "$(ini_sections)" -eq 2 ] && [ "$(ini_keys)" -eq 11 ] || qm_fail "INI after exit: $(cat "$INI")"
grep -q $'^RestoreClips=True\r$' "$INI" || qm_fail "RestoreClips not saved"

start
qm_log_has "Clip2 added." || qm_fail "the three clips did not come back"
qm_log_has "Clip3 added." && qm_fail "more clips than were saved"
# Row 0 is the newest, row 2 the oldest: selecting both joins them newest first.
qm_click_row 0
qm_wait_until 10 bash -c '[ "$(xclip -selection clipboard -o 2>/dev/null)" = "third text" ]' \
  || qm_fail "row 0 holds '$(qm_clipboard)'"
qm_click_row 2
qm_wait_until 10 bash -c '[ "$(xclip -selection clipboard -o 2>/dev/null)" = $'"'"'third text\nfirst text'"'"' ]' \
  || qm_fail "rows 0 and 2 hold '$(qm_clipboard)'"
qm_exit
[ "$(clip_text 1)" = "first text" ] && [ "$(clip_text 3)" = "third text" ] || qm_fail "files changed order"

# A word where a number belongs, and RestoreClips off: the clips are written, then deleted.
sed -i 's/^Transparent=255/Transparent=lots/; s/^RestoreClips=True/RestoreClips=False/' "$INI"
start
qm_log_has ">>> " || qm_fail "the bad value was not logged"
grep -q $'^Transparent=255\r$' "$INI" || qm_fail "the bad value was not repaired: $(cat "$INI")"
qm_log_has "Clip2 added." || qm_fail "the clips were not loaded before the exit that deletes them"
qm_exit
[ -e "$CLIPS/Clip1.qms" ] && qm_fail "clip files kept although RestoreClips is False"
[ -d "$CLIPS" ] || qm_fail "the clips folder went too"
start
qm_log_has "Clip0 added." && qm_fail "clips came back although RestoreClips is False"
qm_exit
echo "persist: ok"
