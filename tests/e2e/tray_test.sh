#!/usr/bin/env bash
# A right press on the real tray icon opens the menu at the cursor and a second one closes it;
# Insert opens nothing without clips; with clips it opens the quick-insert window, whose row
# pastes its clip into the program that was in front before.
source "$(dirname "$0")/lib.sh"
qm_start
tray_visible() { [ "$(wine "$QM_PROBE" visible QuillmateTray | tr -d '\r')" = "$1" ]; }
right_click_icon() { qm_click_tray_icon 3; }

right_click_icon
qm_wait_until 5 tray_visible 1 || qm_fail "no tray menu after a right press on the icon"
read -r left top _ < <(wine "$QM_PROBE" rect QuillmateTray | tr -d '\r')
[ "$left $top" = "12 32" ] || qm_fail "menu at $left,$top, not at the cursor 12,32"
right_click_icon
qm_wait_until 5 tray_visible 0 || qm_fail "a second right press did not close the menu"

# The top-left corner (x y) of the first visible child window of CLASS, by KEY (2: topmost,
# 1: leftmost).
first_child() { wine "$QM_PROBE" children "$1" | tr -d '\r' | sort -k"$2" -n | head -n1 | awk '{ print $1, $2 }'; }
click_insert() {
  right_click_icon
  qm_wait_until 5 tray_visible 1 || qm_fail "no tray menu"
  read -r x y < <(first_child QuillmateTray 2)
  xdotool mousemove $((x + 30)) $((y + 10)) click 1
}
insert_visible() { [ "$(wine "$QM_PROBE" visible QuillmateInsert | tr -d '\r')" = "$1" ]; }
click_insert
sleep 0.3   # time enough for the window to fade in, were Insert not disabled
insert_visible 0 || qm_fail "Insert opened the quick-insert window without clips"

text=$'quick insert — ünïcode ✓'
qm_copy_and_wait "older clip" 0
qm_copy_and_wait "$text" 1
wine "$QM_PROBE" edit-target "$QM_DIR/target.txt" >/dev/null 2>&1 &
QM_HELPERS+=($!)
qm_wait_until 10 test -s "$QM_DIR/target.txt" || qm_fail "no target window"
edit=$(head -n1 "$QM_DIR/target.txt")
qm_wait_until 5 bash -c '[ "$(wine "$QM_PROBE" foreground | tr -d "\r")" = QMTarget ]' || qm_fail "target not in front"
sleep 0.2   # two ticks of the watcher, which remembers the target
qm_wait_until 5 tray_visible 0 || qm_fail "the menu stayed open behind another program"
# Without a window manager the keys sometimes reach the target before it has the focus back and
# the paste is lost; the target then stays empty, so another try cannot hide a wrong paste.
for attempt in 1 2 3; do
  click_insert
  qm_wait_until 5 insert_visible 1 || qm_fail "Insert did not open the quick-insert window"
  read -r x y < <(first_child QuillmateInsert 1)   # the list; its first row holds the newest clip
  xdotool mousemove $((x + 60)) $((y + 30)) click 1
  qm_wait_until 3 bash -c '[ -n "$(wine "$QM_PROBE" gettext "$1")" ]' _ "$edit" && break
  echo "paste attempt $attempt: target still empty" >&2
  wine "$QM_PROBE" focus-target >/dev/null 2>&1
  qm_wait_until 5 tray_visible 0 || true
done
qm_wait_until 10 bash -c '[ "$(wine "$QM_PROBE" gettext "$1")" = "$2" ]' _ "$edit" "$text" \
  || qm_fail "target holds '$(wine "$QM_PROBE" gettext "$edit")'; in front: $(wine "$QM_PROBE" foreground); clipboard: '$(qm_clipboard)'"
qm_wait_until 5 insert_visible 0 || qm_fail "the quick-insert window stayed open after the paste"
qm_wait_until 5 tray_visible 0 || qm_fail "the menu stayed open after the paste"
qm_exit
echo "tray: ok"
