#!/usr/bin/env bash
# With /noview the program stays out of the clipboard chain and captures nothing.
source "$(dirname "$0")/lib.sh"
viewer_log=$QM_DIR/viewer.txt
wine "$QM_PROBE" cbviewer "$viewer_log" >/dev/null 2>&1 &
QM_HELPERS+=($!)
qm_wait_until 10 bash -c "grep -q joined '$viewer_log' 2>/dev/null" || qm_fail "viewer did not start"
qm_start /noview /noicon
qm_log_has "Icon was added" && qm_fail "/noicon still added the tray icon"
[ "$(wine "$QM_PROBE" viewer-title | tr -d '\r')" = "QM viewer" ] || qm_fail "Quillmate joined the chain"
draws=$(grep -c draw "$viewer_log" || true)
qm_copy "not captured"
qm_wait_until 10 bash -c "[ \$(grep -c draw '$viewer_log') -gt $draws ]" || qm_fail "viewer saw no change"
qm_log_has "Start adding clip." && qm_fail "/noview captured a clip"
wine "$QM_PROBE" leave-viewer
qm_exit
echo "noview: ok"
