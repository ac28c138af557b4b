#!/usr/bin/env bash
# A right press on the real tray icon opens the menu at the cursor and a second one closes it;
# Insert opens nothing without clips; with clips it opens the quick-insert window, whose row
# pastes its clip into the program that was in front before.
source "$(dirname "$0")/lib.sh"
qm_start
qm_tray_menu
read -r left top _ < <(qm_probe rect QuillmateTray)
[ "$left $top" = "12 32" ] || qm_fail "menu at $left,$top, not at the cursor 12,32"
qm_click_tray_icon 3
qm_wait_until 5 qm_visible QuillmateTray 0 || qm_fail "a second right press did not close the menu"
# The program answers at once after a hide: Wine's windows are unmanaged (Managed=N, as
# scripts/run.sh sets it), so a hide does not wait about 2 s for a window manager that is absent.
t0=$(date +%s%N)
qm_tray_menu
took=$(( ($(date +%s%N) - t0) / 1000000 ))
[ "$took" -lt 1000 ] || qm_fail "the menu reopened $took ms after the hide"
qm_click_tray_icon 3
qm_wait_until 5 qm_visible QuillmateTray 0 || qm_fail "a second right press did not close the menu"

# The top-left corner (x y) of the first visible child window of CLASS, by KEY (2: topmost,
# 1: leftmost).
first_child() { qm_probe children "$1" | sort -k"$2" -n | head -n1 | awk '{ print $1, $2 }'; }
click_insert() {
  qm_tray_menu
  read -r x y < <(first_child QuillmateTray 2)
  xdotool mousemove $((x + 30)) $((y + 10)) click 1
}
click_insert
sleep 0.3   # time enough for the window to fade in, were Insert not disabled
qm_visible QuillmateInsert 0 || qm_fail "Insert opened the quick-insert window without clips"

text=$'quick insert — ünïcode ✓'
qm_copy_and_wait "older clip" 0
qm_copy_and_wait "$text" 1
qm_edit_target
qm_wait_until 5 qm_visible QuillmateTray 0 || qm_fail "the menu stayed open behind another program"
# Insert, then the list's first row, which holds the newest clip.
insert_first() {
  qm_wait_until 5 qm_visible QuillmateTray 0 || true
  click_insert
  qm_wait_until 5 qm_visible QuillmateInsert || qm_fail "Insert did not open the quick-insert window"
  read -r x y < <(first_child QuillmateInsert 1)
  xdotool mousemove $((x + 60)) $((y + 30)) click 1
}
qm_paste_until "$text" insert_first
qm_wait_until 5 qm_visible QuillmateInsert 0 || qm_fail "the quick-insert window stayed open after the paste"
qm_wait_until 5 qm_visible QuillmateTray 0 || qm_fail "the menu stayed open after the paste"
qm_exit
echo "tray: ok"
