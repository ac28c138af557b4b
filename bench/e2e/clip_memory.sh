#!/usr/bin/env bash
# Prints how much a 10 MB clip (ten million characters, 20 MB of UTF-16) raises Quillmate's
# resident memory at its peak: from the clipboard through the history, the row, the clip file and
# the cache, measured from outside on the Wine process (its peak resident size, reset before the
# copy). The goal is three times the text's UTF-16 size.
QM_E2E_LIB=${QM_E2E_LIB:-$(dirname "$0")/../../tests/e2e/lib.sh}
source "$QM_E2E_LIB"
CHARS=${QM_BENCH_CLIP_CHARS:-10000000}
kb() { awk -v k="$1:" '$1 == k { print $2 }' "/proc/$QM_PID/status"; }
settled() { [ "$QM_DATA/Clips/Clips.cache" -nt "$QM_DATA/Clips/Clip1.qms" ]; }

qm_start /noicon
sleep 2   # start-up's own peak is behind us
echo 5 > "/proc/$QM_PID/clear_refs"   # the peak now starts from the current size
before=$(kb VmRSS)
head -c "$CHARS" < <(yes 'the quick brown fox jumps over the lazy dog 0123456789' | tr -d '\n') > "$QM_DIR/big.txt"
xclip -selection clipboard -quiet < "$QM_DIR/big.txt" >/dev/null 2>&1 &
QM_XCLIPS+=($!)
qm_wait_log "Clip0 added." 120
qm_wait_until 120 settled || qm_fail "the clip was not saved"
sleep 1
peak=$(kb VmHWM)
[ "$(stat -c %s "$QM_DATA/Clips/Clip1.qms")" = $((CHARS * 2)) ] || qm_fail "the clip file is not the whole text"
qm_exit
printf '10 MB clip: peak resident +%d MB (goal <= 60 MB)\n' $(( (peak - before) / 1024 ))
