#!/usr/bin/env bash
# A viewer after Quillmate in the chain gets every notification, and still does after Quillmate left.
source "$(dirname "$0")/lib.sh"
viewer_log=$QM_DIR/viewer.txt
wine "$QM_PROBE" cbviewer "$viewer_log" >/dev/null 2>&1 &
QM_HELPERS+=($!)
qm_wait_until 10 bash -c "grep -q joined '$viewer_log' 2>/dev/null" || qm_fail "viewer did not start"
qm_start
draws() { grep -c draw "$viewer_log" || true; }
base=$(draws)
for i in 0 1 2; do qm_copy_and_wait "chain text $i" $i; done
qm_wait_until 10 bash -c "[ \$(grep -c draw '$viewer_log') -ge $((base + 3)) ]" \
  || qm_fail "viewer after Quillmate saw $(( $(draws) - base )) of 3 changes"

qm_exit
[ "$(wine "$QM_PROBE" viewer-title | tr -d '\r')" = "QM viewer" ] || qm_fail "the chain lost the viewer"
base=$(draws)
qm_copy "after exit 1"
qm_wait_until 10 bash -c "[ \$(grep -c draw '$viewer_log') -ge $((base + 1)) ]" || qm_fail "chain broken after exit"
qm_copy "after exit 2"
qm_wait_until 10 bash -c "[ \$(grep -c draw '$viewer_log') -ge $((base + 2)) ]" || qm_fail "chain broken after exit"
wine "$QM_PROBE" leave-viewer
echo "chain: ok"
