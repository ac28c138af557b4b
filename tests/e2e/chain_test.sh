#!/usr/bin/env bash
# The clipboard viewer chain, kind and unkind: with /noview Quillmate stays out of it and captures
# nothing; a viewer after Quillmate gets every notification and keeps the chain when Quillmate leaves; a clipboard held open when a change is announced, copies
# back to back, a viewer that ends without leaving the chain and one that hangs lose no capture and
# hang no exit.
source "$(dirname "$0")/lib.sh"
CLIPS=$QM_DATA/Clips
viewer_log=$QM_DIR/viewer.txt
viewer() {  # viewer [die|hang]: a viewer joins the chain in front of whatever is there
  rm -f "$viewer_log"
  wine "$QM_PROBE" cbviewer "$viewer_log" "$@" >/dev/null 2>&1 &
  QM_HELPERS+=($!)
  qm_wait_until 10 bash -c "grep -q joined '$viewer_log' 2>/dev/null" || qm_fail "viewer did not start"
}
draws() { grep -c draw "$viewer_log" || true; }
draws_reach() { qm_wait_until 10 bash -c "[ \$(grep -c draw '$viewer_log') -ge $1 ]"; }
clip_count() { ls "$CLIPS" | grep -c '^Clip[0-9]*\.qms$'; }  # the store keeps other files beside them
newest_is() { qm_clip_is "$(clip_count)" "$1"; }

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
echo "chain: ok"
