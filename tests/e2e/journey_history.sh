#!/usr/bin/env bash
# The history in the main window: paste, selection, export and removal.
source "$(dirname "$0")/lib.sh"

# Each stage starts from a fresh first start of its own (lib.sh: qm_stage).

# seven_clips: a start with the clips "clip A" (oldest) to "clip G" (newest); rows 0..4 show G F E D C.
seven_clips() {
  qm_seed_clips "clip A" "clip B" "clip C" "clip D" "clip E" "clip F" "clip G"
  qm_start
  qm_log_has "Clip6 added." || qm_fail "the seven clips did not load"
}
nl=$'\n'

# --- A double-clicked clip is pasted into the program that was in front before; the Paste
# button pastes the selection once more.
stage_paste() {
qm_start
text=$'pasted — ünïcode ✓ Привет 😀\ttab'
qm_copy_and_wait "$text" 0
qm_edit_target
qm_paste_until "$text" qm_click_row 0 2
qm_log_has "Clip1 added." && qm_fail "the paste added a clip"
qm_refocus_target
qm_paste_until "$text$text" qm_click_in QuillmateMain 75 20
qm_exit
}
qm_stage paste stage_paste

# --- The main window as a person uses it: Shift, Ctrl and Ctrl+Shift clicks put the joined
# selection on the clipboard, the wheel scrolls.
stage_selection() {
qm_start
for i in 0 1 2 3 4 5 6; do qm_copy_and_wait "clip $(printf "\\x$(printf %x $((65 + i)))")" "$i"; done
# Rows 0..4 now show clips G F E D C.

# The keys work as soon as a click on a clip has made the window active, at a fresh start too.
qm_click_row 0
qm_with_keys 17 qm_key 65
QM_SOFT=1 qm_expect_clipboard "clip G${nl}clip F${nl}clip E${nl}clip D${nl}clip C${nl}clip B${nl}clip A" "Ctrl+A after a click"

# Hover looks go when the pointer leaves the window: Paste, Save, the "i" button, the up arrow.
read -r L T _ < <(qm_probe rect QuillmateMain)
look() { import -window root -crop 12x8+$((L + x - 6))+$((T + y - 4)) rgb:- | md5sum; }
shows() { [ "$(look)" = "$rest" ]; }
for xy in "60 19" "145 19" "308 19" "308 50"; do
  read -r x y <<<"$xy"; rest=$(look)
  xdotool mousemove $((L + x)) $((T + y)) sleep 0.1 mousemove $((L + x + 1)) $((T + y))
  qm_wait_until 3 eval '! shows' || QM_SOFT=1 qm_fail "no hover look at $x,$y"
  xdotool mousemove 1270 790
  qm_wait_until 3 shows || QM_SOFT=1 qm_fail "the hover look at $x,$y stays"
done

# keys (- for none), row, the clipboard after the click (rows joined by |)
while IFS=' ' read -r keys row want <&3; do
  if [ "$keys" = - ]; then qm_click_row "$row"; else qm_with_keys "${keys//,/ }" qm_click_row "$row"; fi
  [ "$want" = - ] || QM_SOFT=1 qm_expect_clipboard "${want//|/$nl}" "keys $keys, row $row"
done 3<<'CASES'
- 1 clip F
16 3 clip F|clip E|clip D
17 2 clip F|clip D
17,16 1 -
- 4 clip F|clip C
16 2 clip F|clip E|clip D|clip C
CASES
# (Ctrl+Shift on F drops it from the order and keeps it selected, so the plain click that clears
# the clips the order names keeps F; the last Shift click goes upward from the anchor C.)
qm_log_has "Clip7 added." && qm_fail "a selection became a clip"

# One notch of the wheel moves the view one clip down: row 0 shows F.
read -r L T _ < <(qm_probe rect QuillmateMain)
xdotool mousemove $((L + 150)) $((T + 100)) click 5
qm_click_row 0
qm_expect_clipboard "clip F" "click after a wheel turn"
qm_exit
}
qm_stage selection stage_selection

# --- Dragged by its background, the window takes the start bar along (243 px right, 36 px up). The
# window reads the pointer when it handles the press, so the hand moves at a person's pace.
stage_drag() {
qm_start
read -r L T _ < <(qm_probe rect QuillmateMain)
xdotool mousemove $((L + 4)) $((T + 50)) mousedown 1 sleep 0.1 mousemove $((L + 24)) $((T + 60)) \
  sleep 0.1 mousemove $((L + 44)) $((T + 80)) sleep 0.1 mouseup 1
read -r L2 T2 _ < <(qm_probe rect QuillmateMain)
read -r SL ST _ < <(qm_probe rect QuillmateStart)
[ "$((L2 - L)) $((T2 - T)) $((SL - L2)) $((T2 - ST))" = "40 30 243 36" ] \
  || qm_fail "drag: main from $L,$T to $L2,$T2, start bar at $SL,$ST"
qm_exit
}
qm_stage drag stage_drag

# menu BUTTON_LEFT_PX ITEM: opens the menu under the button at that x and clicks item 0 (upper) or 1.
menu() {
  qm_click_in QuillmateMain $(($1 + 20)) 20
  qm_wait_until 5 qm_visible QuillmatePopUp || qm_fail "no menu"
  read -r PL PT _ < <(qm_probe rect QuillmatePopUp)
  xdotool mousemove $((PL + 40)) $((PT + 10 + 20 * $2)) sleep 0.1 mousemove $((PL + 41)) $((PT + 10 + 20 * $2)) click 1
}

# --- The Save menu's lower item exports every clip through the real save dialog, typed as a
# person would.
stage_export() {
seven_clips
out=$QM_DIR/export
menu 121 1
qm_wait_until 10 bash -c 'xdotool search --onlyvisible --name "^Save As$" >/dev/null' || qm_fail "no save dialog"
dlg=$(xdotool search --onlyvisible --name "^Save As$" | head -n1)
xdotool windowfocus --sync "$dlg"
xdotool type "$(winepath -w "$out")"
xdotool key Return
qm_wait_until 10 test -s "$out.txt" || qm_fail "nothing exported"
[ "$(cat "$out.txt")" = "$(printf 'clip G\r\nclip F\r\nclip E\r\nclip D\r\nclip C\r\nclip B\r\nclip A\r')" ] \
  || qm_fail "export holds '$(od -c "$out.txt" | head)'"
qm_exit
# The dialog asks for the volume of every drive; a user sees no error line on the terminal meanwhile.
[ ! -s "$QM_RUN/stderr" ] || qm_fail "the terminal shows: $(cat "$QM_RUN/stderr")"
}
qm_stage export stage_export

# --- The Delete menu removes the selected clips and then all of them, the files following.
stage_delete() {
seven_clips
qm_click_row 1
qm_expect_clipboard "clip F" "a click on row 1"
# Delete, upper item: the selected clip F goes; the files hold the others, oldest first.
menu 208 0
qm_wait_log "Removed." 10
qm_wait_until 10 test ! -f "$QM_CLIPS/Clip7.qms" || qm_fail "clip files not rewritten"
texts=$(for n in 1 2 3 4 5 6; do qm_clip_text $n; echo; done)
[ "$texts" = "$(printf 'clip A\nclip B\nclip C\nclip D\nclip E\nclip G')" ] || qm_fail "clip files hold: $texts"

# Another program in front, a click back on clip G and the Delete key remove G.
qm_edit_target
qm_click_row 0
qm_key 46
qm_wait_until 10 test ! -f "$QM_CLIPS/Clip6.qms" || qm_fail "Delete after coming back from another program"

# Delete, lower item: all clips go, and their files with them.
menu 208 1
qm_wait_until 10 bash -c '[ "$(grep -c "Removed\." "$1")" -ge 3 ]' _ "$QM_DIR/Log.txt" || qm_fail "not removed"
qm_wait_until 10 test ! -f "$QM_CLIPS/Clip1.qms" || qm_fail "clip files remain"
qm_exit
}
qm_stage delete stage_delete

# --- A tap on a menu item (the pointer lands on it and presses at once, as a pen or a touch
# screen gives) runs that item, whichever item the menu lit when it was last used.
stage_menu_taps() {
qm_start
for i in 0 1 2; do qm_copy_and_wait "tap $i" "$i"; done   # rows: tap 2, tap 1, tap 0
tap() {
  qm_click_in QuillmateMain $(($1 + 20)) 20
  qm_wait_until 5 qm_visible QuillmatePopUp || qm_fail "no menu"
  read -r PL PT _ < <(qm_probe rect QuillmatePopUp)
  xdotool mousemove $((PL + 40)) $((PT + 10 + 20 * $2)) click 1
}
# save_dialog: waits for the save dialog and gives it the keys.
save_dialog() {
  qm_wait_until 10 bash -c 'xdotool search --onlyvisible --name "^Save As$" >/dev/null' || qm_fail "no save dialog"
  xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "^Save As$" | head -n1)"
}
# Save › All clips, then cancelled, leaves the lower item lit; Delete › Selected clips by a tap.
menu 121 1
save_dialog
xdotool key Escape
qm_wait_until 10 bash -c '! xdotool search --onlyvisible --name "^Save As$" >/dev/null' || qm_fail "no cancel"
qm_click_row 1
tap 208 0
qm_wait_log "Removed." 10
qm_log_has "Start remove all clips." && qm_fail "a tap on Selected clips removed all clips"
qm_wait_until 10 test ! -f "$QM_CLIPS/Clip3.qms" || qm_fail "clip files not rewritten"
[ "$(qm_clip_text 1)$(qm_clip_text 2)" = "tap 0tap 2" ] || qm_fail "the tap removed the wrong clips"
# The upper item is lit now; Save › All clips by a tap with one clip selected exports both.
qm_click_row 0
tap 121 1
save_dialog
xdotool type "$(winepath -w "$QM_DIR/tapped")"
xdotool key Return
qm_wait_until 10 test -s "$QM_DIR/tapped.txt" || qm_fail "nothing exported"
[ "$(cat "$QM_DIR/tapped.txt")" = "$(printf 'tap 2\r\ntap 0\r')" ] \
  || qm_fail "a tap on All clips exported '$(od -c "$QM_DIR/tapped.txt" | head)'"
qm_exit
}
qm_stage menu_taps stage_menu_taps

qm_journey_end
