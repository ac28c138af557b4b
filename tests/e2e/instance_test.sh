#!/usr/bin/env bash
# A second start ends at once, brings the first one forward and leaves its log alone; another
# program's window with "quillmate" in its title stops nothing.
source "$(dirname "$0")/lib.sh"
wine "$QM_PROBE" titled "QUILLMATE.txt - Editor" >/dev/null 2>&1 &
QM_HELPERS+=($!)
qm_wait_until 10 bash -c '[ "$(wine "$QM_PROBE" visible QMTarget | tr -d "\r")" = 1 ]' || qm_fail "no editor window"
qm_start
qm_copy_and_wait "before second start" 0
before=$(md5sum < "$QM_DIR/Log.txt")

(cd "$QM_DIR" && exec wine Quillmate.exe >/dev/null 2>&1) &
second=$!
qm_wait_until 20 bash -c "! [ -d /proc/$second ]" || qm_fail "the second instance kept running"
wait "$second" || qm_fail "the second instance failed"
[ "$(md5sum < "$QM_DIR/Log.txt")" = "$before" ] || qm_fail "the second instance touched the log"
[ -d "/proc/$QM_PID" ] || qm_fail "the first instance ended"
qm_wait_until 5 bash -c '[ "$(wine "$QM_PROBE" foreground | tr -d "\r")" = QuillmateStart ]' \
  || qm_fail "the first instance's start bar is not in front"
# The first instance still captures.
qm_copy_and_wait "after second start" 1
qm_exit
echo "instance: ok"
