#!/usr/bin/env bash
# A double-clicked clip is pasted into the program that was in front before.
source "$(dirname "$0")/lib.sh"
qm_start
text=$'pasted — ünïcode ✓'
qm_copy_and_wait "$text" 0
handle_file=$QM_DIR/target.txt
wine "$QM_PROBE" edit-target "$handle_file" >/dev/null 2>&1 &
QM_HELPERS+=($!)
qm_wait_until 10 test -s "$handle_file" || qm_fail "no target window"
edit=$(head -n1 "$handle_file")
qm_wait_until 5 bash -c '[ "$(wine "$QM_PROBE" foreground | tr -d "\r")" = QMTarget ]' || qm_fail "target not in front"
sleep 0.2   # two ticks of the 50 ms watcher, which remembers the target
# Under Wine without a window manager the keys sometimes reach the target before its thread has
# taken the focus back, and the paste is lost. The target stays empty then, so trying again
# cannot hide a paste that lands twice or lands wrong.
for attempt in 1 2 3; do
  qm_click_row 0 2
  qm_wait_until 3 bash -c '[ -n "$(wine "$QM_PROBE" gettext "$1")" ]' _ "$edit" && break
  echo "paste attempt $attempt: target still empty" >&2
  wine "$QM_PROBE" focus-target >/dev/null 2>&1
  sleep 0.2
done
qm_wait_until 10 bash -c '[ "$(wine "$QM_PROBE" gettext "$1")" = "$2" ]' _ "$edit" "$text" \
  || qm_fail "target holds '$(wine "$QM_PROBE" gettext "$edit")'; in front: $(wine "$QM_PROBE" foreground); clipboard: '$(qm_clipboard)'"
qm_log_has "Clip1 added." && qm_fail "the paste added a clip"
# The Paste button pastes the selection (the clip the double click selected) once more; as above,
# a paste lost to the focus race leaves the text single, so trying again cannot hide a fault.
read -r L T R B < <(wine "$QM_PROBE" rect QuillmateMain | tr -d '\r')
for attempt in 1 2 3; do
  wine "$QM_PROBE" focus-target >/dev/null 2>&1
  sleep 0.2   # the watcher remembers the target again
  xdotool mousemove $((L + 75)) $((T + 20)) click 1
  qm_wait_until 3 bash -c '[ "$(wine "$QM_PROBE" gettext "$1")" != "$2" ]' _ "$edit" "$text" && break
  echo "Paste button attempt $attempt: target unchanged" >&2
done
[ "$(wine "$QM_PROBE" gettext "$edit")" = "$text$text" ] \
  || qm_fail "after Paste the target holds '$(wine "$QM_PROBE" gettext "$edit")'"
qm_exit
echo "paste: ok"
