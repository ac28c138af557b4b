#!/usr/bin/env bash
# The start bar, the tray and quick insert, and the ways out, in one walk where one start allows.
source "$(dirname "$0")/lib.sh"

# Each stage starts from a fresh first start of its own (lib.sh: qm_stage).

# --- The start bar as a person uses it: a click on Down closes and opens the main window; holding
# Down drags the pair (the click that ends the drag toggles nothing), which snaps to the top and
# bottom edges; docked at the bottom the bar drops as the main window closes and rises as it
# opens; bClose hides both to the tray and a double click on the icon brings them back.
# The bar's buttons, left to right: Down, then bClose (x y of each centre).
button() {
  qm_probe children QuillmateStart | sort -n | sed -n "$1p" |
    awk '{ print int(($1 + $3) / 2), $2 + 10 }'
}
click() { xdotool mousemove $1 $2; xdotool click 1; }
# down OPEN WHAT: a click on Down, after which the main window is shown (1) or not (0).
down() { click $(button 1); qm_shown QuillmateMain "$1" "$2"; }
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

# to_bottom: the pair dragged to the bottom edge, where it docks (sets bl, screen_h, mh, dock).
to_bottom() {
  read -r bl bt _ < <(qm_probe rect QuillmateStart)
  drag_down 100 150
  qm_wait_until 5 pair_at $((bl + 100)) $((bt + 150)) || qm_fail "pair not dragged: $(qm_probe rect QuillmateStart) / $(qm_probe rect QuillmateMain)"
  read -r _ mt _ mb _ < <(qm_probe rect QuillmateMain)
  read -r _ screen_h < <(xdotool getdisplaygeometry)
  mh=$((mb - mt)) dock=$((screen_h - (mb - mt) - 35))
  drag_down 0 $((dock - (bt + 150) + 3))
  qm_wait_until 5 pair_at $((bl + 100)) $dock || qm_fail "no snap to the bottom edge: $(qm_probe rect QuillmateStart)"
}

stage_bar() {
qm_start
qm_shown QuillmateMain 1 "main window not shown at start"
down 0 "Down did not close the main window"
down 1 "Down did not open the main window"

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
down 0 "Down did not close the docked main window"
read -r _ t _ < <(qm_probe rect QuillmateStart)
[ "$t" = $((dock + mh - 6)) ] || qm_fail "closed, the docked bar is at $t, not $((dock + mh - 6))"
click $(button 1)
qm_wait_until 5 pair_at $((bl + 100)) $dock || qm_fail "opened, the pair is not back: $(qm_probe rect QuillmateStart)"

click $(button 2)
qm_shown QuillmateStart 0 "bClose did not hide the bar"
qm_visible QuillmateMain 0 || qm_fail "bClose did not hide the main window"
qm_click_tray_icon --repeat 2 --delay 80 1
# Shown at the start of its fade, the main window is brought to the front at its end, which would
# close a tray menu opened meanwhile: the next step waits for the whole fade.
qm_wait_until 10 qm_alpha_is QuillmateMain 255 || qm_fail "a double click on the icon did not bring the pair back"
pair_at $((bl + 100)) $dock || qm_fail "the pair came back elsewhere"
qm_exit
}
qm_stage bar stage_bar

# --- The tray menu and quick insert: a right press on the real tray icon opens the
# menu at the cursor and a second one closes it; Insert opens nothing without clips; with clips it
# opens the quick-insert window, whose row pastes its clip into the program that was in front.
# The second time the program answers at once after a hide: Wine's windows are unmanaged
# (Managed=N, qm_unmanaged_windows, which scripts/run.sh calls too), so a hide does not wait about
# 2 s for a window manager.
stage_tray() {
qm_start
for round in 1 2; do
  qm_tray_menu
  took=$(( ($(date +%s%N) - QM_TRAY_T0) / 1000000 ))
  read -r left top _ < <(qm_probe rect QuillmateTray)
  [ "$left $top" = "12 32" ] || qm_fail "menu at $left,$top, not at the cursor 12,32"
  qm_click_tray_icon 3
  qm_shown QuillmateTray 0 "a second right press did not close the menu"
done
[ "$took" -lt 1500 ] || qm_fail "the menu reopened $took ms after the hide (about 2 s: a wait for a window manager)"

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
qm_shown QuillmateTray 0 "the menu stayed open behind another program"
# Insert, then the list's first row, which holds the newest clip.
insert_first() {
  qm_wait_until 5 qm_visible QuillmateTray 0 || true
  click_insert
  qm_shown QuillmateInsert 1 "Insert did not open the quick-insert window"
  read -r x y < <(first_child QuillmateInsert 1)
  xdotool mousemove $((x + 60)) $((y + 30)) click 1
}
qm_paste_until "$text" insert_first
qm_shown QuillmateInsert 0 "the quick-insert window stayed open after the paste"
qm_shown QuillmateTray 0 "the menu stayed open after the paste"
qm_exit
}
qm_stage tray stage_tray

# --- Docked at the bottom with the list closed
# A new clip leaves the closed, docked bar where it is and does not stretch the bar's window down
# over the list (a compositor shades all of it); opened, the grown list ends 1 px past the bottom.
stage_docked() {
qm_start
qm_copy_and_wait "first" 0
qm_copy_and_wait "second" 1
to_bottom
down 0 "Down did not close the docked main window"
read -r _ t _ < <(qm_probe rect QuillmateStart)
qm_copy_and_wait "one more" 2
read -r _ t2 _ b2 _ < <(qm_probe rect QuillmateStart)
[ "$t2" = "$t" ] || qm_fail "a new clip moved the docked bar from $t to $t2 while the list was closed"
IFS=, read -r _ bar_h <<<"$(qm_place Start_Form)"
[ $((b2 - t2)) = "$bar_h" ] || qm_fail "the bar's window is $((b2 - t2)) px high, its skin $bar_h"
down 1 "Down did not open the docked main window"
read -r _ mt _ mb _ < <(qm_probe rect QuillmateMain)
[ "$mb" = $((screen_h + 1)) ] || qm_fail "opened, the list ends at $mb, not $((screen_h + 1))"
# A drag pressed at Down's top edge that snaps the bar 9 px down: the release falls above the
# button and clicks nothing, and the next click on Down is not swallowed.
drag_down 0 -9 -9
qm_wait_until 5 pair_at $((bl + 100)) $((mt - 36)) || qm_fail "no snap back to the dock: $(qm_probe rect QuillmateStart)"
down 0 "the click after a snapping drag was swallowed"
# Drops and openings of the closed bar (the list now three rows high). Dropped in the bottom band
# by the left edge, the bar makes way for the list as it opens (the list from 3 px left of the
# screen, its foot 1 px past the bottom); dropped at the right edge just above the band the opening
# list asks for, the bar rises for the list. Each time, closed, the bar is back where it was dropped.
bar_at() { local l t; read -r l t _ < <(qm_probe rect QuillmateStart); [ "$l $t" = "$1 $2" ]; }
read -r screen_w _ < <(xdotool getdisplaygeometry)
read -r _ mt _ mb _ < <(qm_probe rect QuillmateMain)
mh=$((mb - mt))
read -r l t _ < <(qm_probe rect QuillmateStart)
for drop in "100 $t $((screen_h - mh - 35))" "$((screen_w - 80)) $((screen_h - mh - 25)) $((screen_h - mh - 35))"; do
  read -r x y open_y <<<"$drop"
  drag_down $((x - l + (x > l ? 2 : 0))) $((y - t))   # rightward, 2 px on: the edge's band snaps it
  qm_wait_until 5 bar_at $x $y || qm_fail "closed bar not dropped at $x,$y: $(qm_probe rect QuillmateStart)"
  l=$x t=$y
  down 1 "Down did not open the list dropped at $x,$y"
  open_x=$(( x < 240 ? 240 : x ))
  qm_wait_until 5 pair_at $open_x $open_y || qm_fail "dropped at $x,$y, the list opened at $(qm_probe rect QuillmateMain)"
  down 0 "Down did not close the list dropped at $x,$y"
  qm_wait_until 5 bar_at $x $y || qm_fail "closed, the bar dropped at $x,$y is at $(qm_probe rect QuillmateStart)"
done
# Dragged while open, the pair stands where it was put: closing leaves the bar there.
down 1 "Down did not open the list"
drag_down 0 -100
qm_wait_until 5 pair_at $x $((open_y - 100)) || qm_fail "pair not dragged: $(qm_probe rect QuillmateStart)"
read -r cx cy < <(button 1)   # closed off Down's centre: the next press there is no double click
click $((cx + 10)) $cy
qm_shown QuillmateMain 0 "Down did not close the dragged list"
qm_wait_until 5 bar_at $x $((open_y - 100)) || qm_fail "closed after a drag, the bar is at $(qm_probe rect QuillmateStart)"
# Closed and dropped past the left edge, the bar stops at it; at the next start (below) the list
# opens beside the edge, the bar moved right for it, not past the edge.
drag_down -2000 -200
bar_left_is() { [ "$(qm_probe rect QuillmateStart | cut -d' ' -f1)" = "$1" ]; }
qm_wait_until 5 bar_left_is 0 || qm_fail "the bar is not at the left edge: $(qm_probe rect QuillmateStart)"
qm_exit

# bClose without a tray icon ends the program; the list opened at this start stands on the screen.
qm_start /noicon
qm_shown QuillmateMain 1 "main window not shown at start"
read -r ml _ < <(qm_probe rect QuillmateMain)
[ "$ml" -ge -3 ] || qm_fail "the list started at $ml, past the left edge"
click $(button 2)
qm_ended "bClose without a tray icon did not end the program"
}
qm_stage docked stage_docked

# --- Exit from the tray menu asks first. Ticking the box by its label and then Cancel
# keeps the program running and forgets the tick; OK without the tick ends it with FastExit off.
# label_in CLASS KEY: clicks the label beside the check box placed by KEY.
label_in() { local l t; IFS=, read -r l t <<<"$(qm_place "$2")"; qm_click_in "$1" $((l + 40)) $((t + 6)); }
ask_exit() { qm_tray_menu; qm_press_in QuillmateTray Tray_Exit; }
exit_dialog() { ask_exit; qm_shown QuillmateExit 1 "Exit did not ask"; }
stage_exit() {
qm_start
exit_dialog
label_in QuillmateExit Exit_Check
qm_press_in QuillmateExit Exit_Cancel
qm_shown QuillmateExit 0 "Cancel did not close the dialog"
exit_dialog
qm_press_in QuillmateExit Exit_OK
qm_ended
[ "$(qm_ini FastExit)" = False ] || qm_fail "FastExit $(qm_ini FastExit) after a Cancel that cleared the tick"
}
qm_stage exit stage_exit

# --- The exit and hide notices remember their ticks: OK saves both, and the next Exit ends at once.
stage_notices() {
qm_start
qm_press_in QuillmateStart Start_Close   # the bar's close button: the hide notice
qm_shown QuillmateHide 1 "no hide notice"
label_in QuillmateHide Hide_Check
qm_press_in QuillmateHide Hide_OK
qm_shown QuillmateHide 0 "OK did not close the notice"
exit_dialog
label_in QuillmateExit Exit_Check
qm_press_in QuillmateExit Exit_OK
qm_ended
[ "$(qm_ini FastExit) $(qm_ini FastHide)" = "True True" ] || qm_fail "saved $(qm_ini FastExit) $(qm_ini FastHide)"

qm_start
ask_exit
qm_ended
}
qm_stage notices stage_notices

# --- Nothing is taken or saved once the exit has begun. With RestoreClips off, a text copied while
# the windows fade out (the fades answer what other programs send, the clipboard's notice too) and
# a logoff notice meanwhile leave no clip file and no cache behind, so the next start has no history.
# Out by bClose without a tray icon, and by WM_CLOSE to the hidden window; slow fades for time.
stage_exit_takes_nothing() {
  local way=$1
  mkdir -p "$QM_DATA"
  printf '[Options]\r\nRestoreClips=False\r\nPaiseSpeed=100\r\n' > "$QM_INI"
  qm_start /noicon
  qm_copy_and_wait "kept until the exit" 0
  qm_copy_and_wait "also until the exit" 1
  if [ $way = bClose ]; then click $(button 2); else wine "$QM_PROBE" close; fi
  qm_wait_log "Information was saved" 10
  qm_copy "copied during the exit"
  wine "$QM_PROBE" end-session >/dev/null 2>&1 || true
  wine "$QM_PROBE" send-close >/dev/null 2>&1 || true   # a second close, answered within the fades
  qm_ended
  ! qm_log_has "Clip2 added." || qm_fail "$way: a text copied during the exit was taken"
  [ "$(qm_log_count 'Information was saved')/$(qm_log_count 'prepering to exit')" = 1/1 ] ||
    qm_fail "$way: saved or began the exit again during the exit"
  left=$(ls -A "$QM_CLIPS")
  [ -z "$left" ] || qm_fail "$way: after the exit the clip folder holds: $left"
}
for way in bClose WM_CLOSE; do qm_stage "exit_takes_nothing_$way" stage_exit_takes_nothing $way; done

# --- Two starts at once on one data folder: one runs; the other brings it forward and ends before
# it writes its log or touches a clip file. Several rounds from two program folders, then a round for
# each other way of writing the folder's path; and the same program started twice on two folders.
# start_as DIR [APPDATA]: Quillmate.exe of DIR, with the user's folders under APPDATA when given.
start_as() {
  if [ -n "${2:-}" ]; then (cd "$1" && exec wine cmd /c "set APPDATA=$2&& Quillmate.exe" >/dev/null 2>&1) &
  else (cd "$1" && exec wine Quillmate.exe >/dev/null 2>&1) &
  fi
}
clip_files() { find "$QM_CLIPS" -name 'Clip*.qms' -printf '%f %s %T@\n' | sort; }
# two_starts WHAT DIR_A APPDATA_A DIR_B APPDATA_B [DATA_B]: one round; DATA_B is B's own data folder,
# which B must not have made when it ended.
two_starts() {
  local what=$1 dir_a=$2 dir_b=$4 data_b=${6:-} files_before a b loser
  files_before=$(clip_files)
  rm -f "$dir_a/Log.txt" "$dir_b/Log.txt"
  start_as "$dir_a" "$3"; a=$!
  start_as "$dir_b" "$5"; b=$!
  QM_PIDS+=("$a" "$b")
  echo "$a $b" >>"$QM_RUN/pids"
  one_ready() {  # one has ended, the other is ready
    { qm_gone "$a" && ! qm_gone "$b" && grep -qF "Parsing comand..." "$dir_b/Log.txt" 2>/dev/null; } ||
      { qm_gone "$b" && ! qm_gone "$a" && grep -qF "Parsing comand..." "$dir_a/Log.txt" 2>/dev/null; }
  }
  qm_wait_until 30 one_ready || qm_fail "$what: running: $(qm_gone "$a" || echo first) $(qm_gone "$b" || echo second)"
  qm_wait_until 10 qm_viewer_is_quillmate || qm_fail "$what: the one left is not in the clipboard chain"
  if qm_gone "$a"; then QM_PID=$b loser=$dir_a; else QM_PID=$a loser=$dir_b; fi
  [ "$dir_a" = "$dir_b" ] || ! [ -e "$loser/Log.txt" ] || qm_fail "$what: the instance that ended wrote its log"
  [ "$(clip_files)" = "$files_before" ] || qm_fail "$what: clip files changed: $(clip_files)"
  [ -z "$data_b" ] || qm_gone "$a" || ! [ -e "$data_b" ] || qm_fail "$what: the instance that ended made $data_b"
  qm_exit
}
stage_two_starts() {
other=$QM_DIR/other
mkdir "$other"
cp -r "$QM_DIR/Quillmate.exe" "$QM_DIR/Skin.dll" "$QM_DIR/Skins" "$other/"
qm_start
qm_copy_and_wait "in the shared data folder" 0
qm_exit
for round in 1 2 3 4; do two_starts "round $round" "$QM_DIR" "" "$other" ""; done
# The same folder, written as: a drive letter that aliases it, its \\?\ form, its Z: path, the path
# of a folder link to it, and (both through that link) its 8.3 form against its long one.
z() { echo "Z:${1//\//\\}"; }   # the Z: path of a Linux path, links not followed
roaming=$(winepath -w "$QM_APPDATA")
link="$QM_DIR/roaming link" && ln -s "$QM_APPDATA" "$link"
long=$(z "$link") short=$(qm_probe short-path "$(z "$link")")
[ -n "$short" ] && [ "$short" != "$long" ] || qm_fail "no 8.3 form of $long: '$short'"
trap 'rm -f "$WINEPREFIX/dosdevices/q:"' EXIT   # the stage's own subshell
ln -s "$QM_APPDATA" "$WINEPREFIX/dosdevices/q:"
two_starts "drive letter" "$QM_DIR" "" "$other" 'Q:'
two_starts "\\\\?\\ prefix" "$QM_DIR" "" "$other" "\\\\?\\$roaming"
two_starts "Z: path" "$QM_DIR" "" "$other" "$(z "$QM_APPDATA")"
two_starts "folder link" "$QM_DIR" "" "$other" "$long"
two_starts "8.3 form" "$QM_DIR" "$long" "$other" "$short"
# One program on two data folders: it runs once all the same.
mkdir "$QM_DIR/elsewhere"
two_starts "same program" "$QM_DIR" "" "$QM_DIR" "$(z "$QM_DIR/elsewhere")" "$QM_DIR/elsewhere/Quillmate"
}
qm_stage two_starts stage_two_starts

# --- A start with the bar saved just above the band the opening list asks for: the bar rises only
# to fit the list, and closing puts it back where it was saved.
stage_start_above_band() {
qm_start
read -r _ mt _ mb _ < <(qm_probe rect QuillmateMain)
read -r screen_w screen_h < <(xdotool getdisplaygeometry)
qm_exit
x=$((screen_w - 80)) y=$((screen_h - (mb - mt) - 25))
sed -i "s/^Top=.*/Top=$((y * 15))\r/; s/^Left=.*/Left=$((x * 15))\r/" "$QM_INI"
qm_start
qm_shown QuillmateMain 1 "main window not shown at start"
read -r l t _ < <(qm_probe rect QuillmateStart)
[ "$l" = "$x" ] && [ "$t" -lt "$y" ] || qm_fail "saved at $x,$y, the open bar stands at $l,$t"
down 0 "Down did not close the main window"
bar_at() { local l t; read -r l t _ < <(qm_probe rect QuillmateStart); [ "$l $t" = "$1 $2" ]; }
qm_wait_until 5 bar_at $x $y || qm_fail "closed, the bar saved at $x,$y is at $(qm_probe rect QuillmateStart)"
qm_exit
# Saved where a drop at the screen's top docks it (6 px above the screen), the bar starts there.
sed -i "s/^Top=.*/Top=-90\r/; s/^Left=.*/Left=7005\r/" "$QM_INI"
qm_start
qm_shown QuillmateMain 1 "main window not shown at start"
read -r l t _ < <(qm_probe rect QuillmateStart)
[ "$l $t" = "467 -6" ] || qm_fail "saved docked at the top (Top=-90), the bar starts at $l,$t"
qm_exit
}
qm_stage start_above_band stage_start_above_band

qm_journey_end
