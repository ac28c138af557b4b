#!/usr/bin/env bash
# A double-clicked clip is pasted into the program that was in front before; the Paste button
# pastes the selection once more.
source "$(dirname "$0")/lib.sh"
qm_start
text=$'pasted — ünïcode ✓ Привет 😀\ttab'
qm_copy_and_wait "$text" 0
qm_edit_target
qm_paste_until "$text" qm_click_row 0 2
qm_log_has "Clip1 added." && qm_fail "the paste added a clip"
wine "$QM_PROBE" focus-target >/dev/null 2>&1
sleep 0.2   # the watcher remembers the target again
qm_paste_until "$text$text" qm_click_in QuillmateMain 75 20
qm_exit
echo "paste: ok"
