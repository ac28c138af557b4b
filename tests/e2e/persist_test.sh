#!/usr/bin/env bash
# Settings and clips survive a restart through the program's own exit path; with RestoreClips
# False they are gone after it; a bad settings value is logged and repaired.
source "$(dirname "$0")/lib.sh"
INI=$QM_DATA/Data.INI
CLIPS=$QM_DATA/Clips

qm_start
expected=$'[Global]\r\nTop=15\r\nLeft=7000\r\nFastExit=False\r\nFastHide=False\r\n\r\n[Options]\r\nRemExtra=False\r\nCombination=3\r\nTransparent=255\r\nInactiveTransparent=255\r\nRestoreClips=True\r\nPaiseSpeed=1000\r\nSkinName=Default\r\n\r\n'
[ "$(cat "$INI"; echo .)" = "$expected." ] || qm_fail "first start wrote: $(cat -A "$INI")"
qm_log_has "Paste style: 3" || qm_fail "no parameter block in the log"
qm_copy_and_wait "first text" 0
qm_copy_and_wait "second — ünï ✓" 1
qm_copy_and_wait "third text" 2
# Each capture reaches the disk within moments, oldest first.
qm_wait_until 10 qm_clip_is 3 "third text" || qm_fail "Clip3 was not saved"
[ "$(od -An -tx1 -N4 "$CLIPS/Clip1.qms" | tr -d ' \n')" = "66006900" ] || qm_fail "Clip1 is not UTF-16LE"
[ "$(qm_clip_text 2)|$(qm_clip_text 3)" = "second — ünï ✓|third text" ] || qm_fail "Clip2, Clip3: $(qm_clip_text 2), $(qm_clip_text 3)"
qm_exit
[ "$(tr -d '\r' < "$INI" | grep -c '^\[')/$(grep -c = "$INI")" = 2/11 ] || qm_fail "INI after exit: $(cat "$INI")"

qm_start
qm_log_has "Clip2 added." && ! qm_log_has "Clip3 added." || qm_fail "not the three saved clips came back"
# Row 0 is the newest, row 2 the oldest: selecting both (Ctrl adds) joins them newest first.
qm_click_row 0
qm_expect_clipboard "third text" "row 0"
qm_with_keys 17 qm_click_row 2
qm_expect_clipboard $'third text\nfirst text' "rows 0 and 2"
qm_exit
[ "$(qm_clip_text 1)|$(qm_clip_text 3)" = "first text|third text" ] || qm_fail "files changed order"

# A word where a number belongs, and RestoreClips off: the clips are loaded, written, then deleted.
sed -i 's/^Transparent=255/Transparent=lots/; s/^RestoreClips=True/RestoreClips=False/' "$INI"
qm_start
qm_log_has ">>> " && grep -q $'^Transparent=255\r$' "$INI" || qm_fail "the bad value was not logged and repaired"
qm_log_has "Clip2 added." || qm_fail "the clips were not loaded before the exit that deletes them"
qm_exit
[ -d "$CLIPS" ] && ! [ -e "$CLIPS/Clip1.qms" ] || qm_fail "clip files kept although RestoreClips is False"
qm_start
qm_log_has "Clip0 added." && qm_fail "clips came back although RestoreClips is False"
qm_exit
echo "persist: ok"
