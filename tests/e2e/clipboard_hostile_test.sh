#!/usr/bin/env bash
# Unlucky clipboard moments: another program holding the clipboard open when the change is
# announced, copies back to back, a viewer that ends without leaving the chain, one that hangs.
source "$(dirname "$0")/lib.sh"
CLIPS=$QM_DATA/Clips
clip_texts() { for f in $(ls "$CLIPS" | sort -t p -k2 -n); do iconv -f UTF-16LE -t UTF-8 "$CLIPS/$f"; echo; done; }
viewer_log=$QM_DIR/viewer.txt
viewer() {  # viewer HOW: a viewer joins after Quillmate, then behaves as HOW says
  rm -f "$viewer_log"
  wine "$QM_PROBE" cbviewer "$viewer_log" "$1" >/dev/null 2>&1 &
  QM_HELPERS+=($!)
  qm_wait_until 10 bash -c "grep -q joined '$viewer_log' 2>/dev/null" || qm_fail "viewer did not start"
}
qm_start

# Held open while the change is announced: read once the holder lets go.
wine "$QM_PROBE" copy-hold "held open" 300 || qm_fail "could not copy"
qm_wait_log "Clip0 added." 5
qm_log_has ">>> Can't open clipboard!" && qm_fail "a held clipboard was given up"

# 200 copies back to back: taken in order; only ones replaced before they could be read are missing.
wine "$QM_PROBE" copy-many 200 burst || qm_fail "could not copy"
qm_wait_until 10 bash -c '[ "$(ls "$1" | wc -l)" -gt 1 ] && iconv -f UTF-16LE -t UTF-8 "$1/Clip$(ls "$1" | wc -l).qms" | grep -qx "burst 200"' _ "$CLIPS" \
  || qm_fail "the last copy was not taken"
taken=$(clip_texts | grep '^burst ' | cut -d' ' -f2)
[ "$taken" = "$(sort -n <<< "$taken")" ] || qm_fail "copies taken out of order"
echo "took $(wc -l <<< "$taken") of 200 back-to-back copies"

# A viewer that joined later and ended without leaving: capture goes on, and the log says why.
viewer die
qm_copy_and_wait "after a dead viewer" "$(ls "$CLIPS" | wc -l)"
qm_log_has ">>> Clipboard notifications stopped" || qm_fail "the broken chain was not logged"

# A viewer that joined later and hangs: the exit still finishes.
viewer hang
qm_exit
touch "$viewer_log.go"
echo "clipboard_hostile: ok"
