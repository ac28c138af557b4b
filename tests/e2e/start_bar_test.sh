#!/usr/bin/env bash
# The start bar as a person uses it: a click on Down closes and opens the main window; holding
# Down drags the pair (the click that ends the drag toggles nothing), which snaps to the top and
# bottom edges; docked at the bottom the bar drops as the main window closes and rises as it
# opens; bClose hides both to the tray and a double click on the icon brings them back; without
# a tray icon bClose ends the program.
source "$(dirname "$0")/lib.sh"
# The bar's buttons, left to right: Down, then bClose (x y of each centre).
button() {
  qm_probe children QuillmateStart | sort -n | sed -n "$1p" |
    awk '{ print int(($1 + $3) / 2), $2 + 10 }'
}
click() { xdotool mousemove $1 $2; xdotool click 1; }
drag_down() {  # holds Down (PRESS_DY px below its centre) past the 25 ms that tell a drag from a
  local x y; read -r x y < <(button 1)   # click, moves it by DX DY, lets go
  y=$((y + ${3:-0}))
  xdotool mousemove $x $y mousedown 1; sleep 0.3
  xdotool mousemove $(( x + $1 < 0 ? 0 : x + $1 )) $(( y + $2 < 0 ? 0 : y + $2 )) mouseup 1
}
pair_at() {  # the bar at LEFT TOP, the main window 243 px left of and 36 px below it
  local l t ml mt
  read -r l t _ < <(qm_probe rect QuillmateStart); read -r ml mt _ < <(qm_probe rect QuillmateMain)
  [ "$l $t $ml $mt" = "$1 $2 $(( $1 - 243 )) $(( $2 + 36 ))" ]
}

qm_start
qm_wait_until 5 qm_visible QuillmateMain 1 || qm_fail "main window not shown at start"
click $(button 1)
qm_wait_until 5 qm_visible QuillmateMain 0 || qm_fail "Down did not close the main window"
click $(button 1)
qm_wait_until 5 qm_visible QuillmateMain 1 || qm_fail "Down did not open the main window"

read -r bl bt _ < <(qm_probe rect QuillmateStart)
drag_down 100 150
qm_wait_until 5 pair_at $((bl + 100)) $((bt + 150)) || qm_fail "pair not dragged: $(qm_probe rect QuillmateStart) / $(qm_probe rect QuillmateMain)"
qm_visible QuillmateMain 1 || qm_fail "the click that ended the drag closed the main window"
drag_down 0 $((2 - (bt + 150)))   # the bar's top 2 px below the screen's
qm_wait_until 5 pair_at $((bl + 100)) -6 || qm_fail "no snap to the top edge: $(qm_probe rect QuillmateStart)"

# Near the bottom the main window's foot snaps to 1 px past the screen's edge (35 px below the
# bar's top band); closed, the bar goes down by the main window's height less 6 px, and back up.
read -r _ mt _ mb _ < <(qm_probe rect QuillmateMain)
read -r _ screen_h < <(xdotool getdisplaygeometry)
mh=$((mb - mt)) dock=$((screen_h - (mb - mt) - 35))
drag_down 0 $((6 + dock + 3))
qm_wait_until 5 pair_at $((bl + 100)) $dock || qm_fail "no snap to the bottom edge: $(qm_probe rect QuillmateStart)"
click $(button 1)
qm_wait_until 5 qm_visible QuillmateMain 0 || qm_fail "Down did not close the docked main window"
read -r _ t _ < <(qm_probe rect QuillmateStart)
[ "$t" = $((dock + mh - 6)) ] || qm_fail "closed, the docked bar is at $t, not $((dock + mh - 6))"
# Clips that arrive while the list is closed leave the docked bar where it is; opened, the list
# grown by them still ends 1 px past the bottom.
qm_copy_and_wait "one" 0; qm_copy_and_wait "two" 1
read -r _ t2 _ b2 _ < <(qm_probe rect QuillmateStart)
[ "$t2" = "$t" ] || qm_fail "new clips moved the docked bar from $t to $t2 while the list was closed"
# Nor do they stretch the bar's window down over the list (a compositor shades all of it).
IFS=, read -r _ bar_h <<<"$(qm_place Start_Form)"
[ $((b2 - t2)) = "$bar_h" ] || qm_fail "the bar's window is $((b2 - t2)) px high, its skin $bar_h"
click $(button 1)
qm_wait_until 5 qm_visible QuillmateMain 1 || qm_fail "Down did not open the docked main window"
read -r _ mt _ mb _ < <(qm_probe rect QuillmateMain)
[ "$mb" = $((screen_h + 1)) ] || qm_fail "opened, the list ends at $mb, not $((screen_h + 1))"
# A drag pressed at Down's top edge that snaps the bar 9 px down: the release falls above the
# button and clicks nothing, and the next click on Down is not swallowed.
dock=$((mt - 36))
drag_down 0 -9 -9
qm_wait_until 5 pair_at $((bl + 100)) $dock || qm_fail "no snap back to the dock: $(qm_probe rect QuillmateStart)"
click $(button 1)
qm_wait_until 5 qm_visible QuillmateMain 0 || qm_fail "the click after a snapping drag was swallowed"
click $(button 1)
qm_wait_until 5 pair_at $((bl + 100)) $dock || qm_fail "opened, the pair is not back: $(qm_probe rect QuillmateStart)"

click $(button 2)
qm_wait_until 5 qm_visible QuillmateStart 0 || qm_fail "bClose did not hide the bar"
qm_visible QuillmateMain 0 || qm_fail "bClose did not hide the main window"
qm_click_tray_icon --repeat 2 --delay 80 1
qm_wait_until 5 qm_visible QuillmateMain 1 || qm_fail "a double click on the icon did not bring the pair back"
pair_at $((bl + 100)) $dock || qm_fail "the pair came back elsewhere"
# Closed and dropped past the left edge, the bar stops at it; at the next start the list opens
# beside the edge, the bar moved right for it, not past the edge.
click $(button 1)
qm_wait_until 5 qm_visible QuillmateMain 0 || qm_fail "Down did not close the main window"
drag_down -2000 -200
bar_left_is() { [ "$(qm_probe rect QuillmateStart | cut -d' ' -f1)" = "$1" ]; }
qm_wait_until 5 bar_left_is 0 || qm_fail "the bar is not at the left edge: $(qm_probe rect QuillmateStart)"
qm_exit

qm_start /noicon
qm_wait_until 5 qm_visible QuillmateMain 1 || qm_fail "main window not shown at start"
read -r ml _ < <(qm_probe rect QuillmateMain)
[ "$ml" -ge -3 ] || qm_fail "the list started at $ml, past the left edge"
click $(button 2)
qm_ended "bClose without a tray icon did not end the program"
echo "start bar: ok"
