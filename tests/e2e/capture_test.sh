#!/usr/bin/env bash
# Texts copied in another program become clips; repeats, blanks and file lists do not.
source "$(dirname "$0")/lib.sh"
qm_start

qm_copy_and_wait "first text" 0
qm_copy "first text"          # the same text again: no new clip
qm_copy " "                   # a single blank: no clip
# A file manager's copy: a drop list with a text beside it. (xclip's text/uri-list is no good
# here: Wine sometimes offers it as plain text without the drop list.)
wine "$QM_PROBE" copy-files "a file list" "$QM_DIR/files-set" >/dev/null 2>&1 &
QM_HELPERS+=($!)
qm_wait_until 10 test -f "$QM_DIR/files-set" || qm_fail "file list not copied"
qm_copy_and_wait "  " 1       # two blanks are a clip; it also marks that the ones before were seen
[ "$(qm_log_count ' added.')" -eq 2 ] || qm_fail "expected exactly two clips"
# Each notification was read: one "Start adding clip." per text that reached the history's checks.
qm_log_has "Clip2 added." && qm_fail "a repeat, a blank or a file list became a clip"
qm_exit
qm_log_has "->Programm is unload" || qm_fail "no orderly exit"
echo "capture: ok"
