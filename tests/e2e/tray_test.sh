#!/usr/bin/env bash
# A right press on the real tray icon opens the menu at the cursor and a second one closes it;
# Insert opens nothing without clips; with clips it opens the quick-insert window, whose row
# pastes its clip into the program that was in front before.
source "$(dirname "$0")/lib.sh"
qm_start
tray_visible() { [ "$(wine "$QM_PROBE" visible QuillmateTray | tr -d '\r')" = "$1" ]; }
right_click_icon() { xdotool mousemove 12 32 click 3; }

right_click_icon
qm_wait_until 5 tray_visible 1 || qm_fail "no tray menu after a right press on the icon"
read -r left top _ < <(wine "$QM_PROBE" rect QuillmateTray | tr -d '\r')
[ "$left $top" = "12 32" ] || qm_fail "menu at $left,$top, not at the cursor 12,32"
right_click_icon
qm_wait_until 5 tray_visible 0 || qm_fail "a second right press did not close the menu"
qm_exit
echo "tray: ok"
