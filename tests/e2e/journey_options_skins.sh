#!/usr/bin/env bash
# Options, skins and the settings file.
source "$(dirname "$0")/lib.sh"

# Each stage starts from a fresh first start of its own (lib.sh: qm_stage).

# --- The options dialog as a person uses it: opened from the main window; the active slider
# dragged to its left end and applied (the windows' alpha and Data.INI follow); autorun ticked
# through its label (the Run value); a drag thrown away by Cancel; the dark skin picked from the
# list and OK: every window changes and Data.INI holds what the dialog shows.
[ -f "$QM_SIZES" ] || qm_fail "no size table at $QM_SIZES"
# Moves like a person: the press comes once the control the pointer left has let the mouse go.
point() {  # point X Y: the pointer to that screen point, once a press there would reach it
  xdotool mousemove "$1" "$2"
  qm_wait_until 5 wine "$QM_PROBE" settled QuillmateOptions "$1" "$2" >/dev/null ||
    qm_fail "the mouse stays held away from $1,$2 by $(wine "$QM_PROBE" settled QuillmateOptions "$1" "$2")"
}
click() { point $((DX + $1)) $((DY + $2)); xdotool click 1; }
button() { local l t w; IFS=, read -r l t w _ <<<"$(qm_place "$1")"; click $((l + w / 2)) $((t + 12)); }
# The left of slider n's thumb on its page (thumb tops 47, 75, 103 on the page at 31, 75).
thumb_left() {
  qm_probe child-list QuillmateOptions |
    awk -v y=$((DY + 75 + $1)) -v x=$((DX + 31)) '$1 == "QuillmateFormsFrame" && $3 == y && $5 - $3 == 17 { print $2 - x }'
}
thumb_at() { [ "$(thumb_left "$1")" = "$2" ]; }
# Holds the thumb, moves far left, waits until a drag tick placed it, lets go.
drag_to_left_end() {
  local y=$((DY + 75 + $1 + 8)) from=$((DX + 31 + $(thumb_left "$1") + 5))
  point "$from" "$y"
  xdotool mousedown 1 mousemove $((DX + 40)) "$y"
  qm_wait_until 5 thumb_at "$1" 207 || qm_fail "thumb $1 did not follow the pointer (at $(thumb_left "$1"))"
  xdotool mouseup 1
}
# The main window's Options button: its second push button, made after the scroll bar.
open_from_main() {
  local l t r b
  read -r l t r b < <(qm_probe child-list QuillmateMain | awk '$1 == "QuillmateUserControl"' | sed -n 2p | cut -d' ' -f2-5)
  xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2)) click 1
  qm_shown QuillmateOptions 1 "the Options button did not open the dialog"
  read -r DX DY _ _ < <(qm_probe rect QuillmateOptions)
}

# The pixels of a window of the program, as one signature.
look() {
  local l t r b
  read -r l t r b _ < <(qm_probe rect "$1")
  import -window root -crop "$((r - l))x$((b - t))+$l+$t" rgb:- | md5sum
}

stage_options() {
qm_start
main_before=$(look QuillmateMain) start_before=$(look QuillmateStart)
open_from_main
thumb_at 47 325 || qm_fail "active thumb at $(thumb_left 47), not at 100 %"
drag_to_left_end 47
button Options_Apply
qm_wait_until 5 qm_alpha_is QuillmateMain 76 || qm_fail "main window alpha $(qm_probe alpha QuillmateMain)"
qm_alpha_is QuillmateStart 76 || qm_fail "start bar alpha $(qm_probe alpha QuillmateStart)"
[ "$(qm_ini Transparent)" = 76 ] && [ "$(qm_ini InactiveTransparent)" = 76 ] || qm_fail "Data.INI: $(cat "$QM_INI")"

click $((28 + 88 + 40)) $((50 + 6))  # the settings tab (its top, where any strip is drawn)
click $((31 + 32 + 60)) $((75 + 28 + 7))  # the label beside the autorun box
button Options_Apply
exe=$(winepath -w "$QM_DIR/Quillmate.exe" | tr -d '\r')
qm_wait_until 5 bash -c "wine reg query 'HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run' /v Quillmate 2>/dev/null | tr -d '\r' | grep -qiF '$exe'" ||
  qm_fail "no Run value for $exe"

click $((28 + 44)) $((50 + 6))  # back to page 1
drag_to_left_end 75
# An installer's entry under the same name: the box shows it off, and OK leaves it alone.
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
wine reg add "$run_key" /v Quillmate /d "\"$exe\"" /f >/dev/null 2>&1
button Options_Cancel
qm_shown QuillmateOptions 0 "Cancel did not close the dialog"
open_from_main
thumb_at 75 325 || qm_fail "Cancel kept the dragged inactive thumb (at $(thumb_left 75))"
# The dark skin from the list (rows 22 px apart below the field, in name order), then OK.
click $((31 + 56 + 40)) $((75 + 8 + 11))
click $((87 + 50)) $((105 + 22 + 11))
button Options_Ok
qm_shown QuillmateOptions 0 "OK did not close the dialog"
# OK fades the dialog out first, then loads the skin and saves.
skin_saved() { [ "$(qm_ini SkinName)" = Graphite ]; }
qm_wait_until 30 skin_saved || qm_fail "the chosen skin was not saved: $(cat "$QM_INI")"
[ "$(qm_ini InactiveTransparent) $(qm_ini PaiseSpeed) $(qm_ini SkinName)" = "76 1000 Graphite" ] ||
  qm_fail "OK saved other values"
qm_log_has "Unpacking skin Graphite" || qm_fail "the chosen skin was not loaded"
wine reg query "$run_key" /v Quillmate 2>/dev/null | tr -d '\r' | grep -qiF "\"$exe\"" ||
  qm_fail "OK changed another entry under Quillmate: $(wine reg query "$run_key" /v Quillmate 2>&1)"
[ "$(look QuillmateMain)" != "$main_before" ] && [ "$(look QuillmateStart)" != "$start_before" ] ||
  qm_fail "the windows kept their look"
qm_exit
}
qm_stage options stage_options

# --- A press anywhere but on a row closes the skin list and goes on to what lies there: the
# dialog's title, its lower left corner, the main window; with five packages, and with six, where
# the list scrolls. The hand leaves the list and taps as it arrives; a tap on the title moves
# nothing.
stage_skin_list_closes() {
for n in 1 2 3; do cp "$QM_DIR/Skins/Default.skn" "$QM_DIR/Skins/Extra$n.skn"; done
qm_start
open_from_main
read -r ML MT _ < <(qm_probe rect QuillmateMain)
list_shown() {  # list_shown 0|1: the list's frame, at 87,105 in the dialog, hidden or shown
  [ "$(qm_probe child-list QuillmateOptions | awk -v x=$((DX + 87)) -v y=$((DY + 105)) \
        '$1 == "QuillmateFormsFrame" && $2 == x && $3 == y { print $6 }')" = "$1" ]
}
for packages in 5 6; do
  [ "$packages" = 5 ] || cp "$QM_DIR/Skins/Default.skn" "$QM_DIR/Skins/Extra4.skn"
  for xy in "$((DX + 200)) $((DY + 20))" "$((DX + 12)) $((DY + 240))" "$((ML + 100)) $((MT + 80))"; do
    read -r x y <<<"$xy"
    click 127 94   # the skin field
    qm_wait_until 5 list_shown 1 || qm_fail "$packages packages: the list did not open"
    xdotool mousemove $((DX + 150)) $((DY + 150)) sleep 0.2 mousemove $((x - 20)) "$y" sleep 0.05 \
      mousemove "$x" "$y" click 1 sleep 0.3 mousemove $((x + 30)) $((y + 30))
    [ "$(qm_probe rect QuillmateOptions | cut -d' ' -f1-2)" = "$DX $DY" ] ||
      qm_fail "$packages packages: after a press at $x,$y the dialog follows the pointer"
    qm_wait_until 3 list_shown 0 || qm_fail "$packages packages: a press at $x,$y left the list open"
  done
done
qm_exit
}
qm_stage skin_list_closes stage_skin_list_closes

# --- Skins on the real program (how a broken skin loads, step by step: SkinLoad's tests): with a
# bitmap missing OK carries on in "Default" and keeps that setting; a size table that moves a
# button moves it on the screen; a broken skin chosen in the dialog and Cancel on the offer end
# the program through its own exit.
qm_use_skin() { mkdir -p "$QM_DATA"; printf '[Options]\r\nSkinName=%s\r\n' "$1" > "$QM_INI"; }
qm_box_says() { [ "$(qm_probe dialog-text Quillmate)" = "$1" ]; }
answer() {  # answer MESSAGE enter|cancel [SECONDS]: answers the message box once it says MESSAGE
  qm_wait_until "${3:-30}" qm_box_says "$1" || qm_fail "no box saying '$1'"
  wine "$QM_PROBE" "press-$2" Quillmate
}
no_skin_folder() { [ -d "$QM_DIR/Skin" ] && qm_fail "the skin folder was left behind" || true; }
offer=$'Error during load skin\nLoad Default skin?'

stage_skin_missing_bitmap() {
qm_craft NoExit 'rm Tray/Exit.bmp'
qm_use_skin NoExit
# Cancel on the offer at start-up ends the program there: it never gets ready.
qm_launch
answer "$offer" cancel
qm_ended "Cancel on the offer at start-up did not end the program"
! qm_log_has "Parsing comand..." || qm_fail "the start went on after Cancel"
no_skin_folder
qm_launch
answer "$offer" enter
qm_wait_log "Parsing comand..." 30
grep -q '>>> Error during loading skin: fTray.bExit' "$QM_DIR/Log.txt" || qm_fail "the missing bitmap is not logged"
no_skin_folder
qm_wait_until 10 qm_viewer_is_quillmate || qm_fail "not in the clipboard chain"
qm_exit
grep -q '^SkinName=Default' "$QM_INI" || qm_fail "the setting did not become Default"
}
qm_stage skin_missing_bitmap stage_skin_missing_bitmap

# A size table that moves the Paste button (the main window places it in twips).
stage_skin_sizes() {
qm_craft Moved "sed -i 's/^Main_Paste\[.*\]/Main_Paste[60,12,70,8]/' Sizes.dat"
qm_use_skin Moved
qm_start
read -r mx my _ _ < <(qm_probe rect QuillmateMain)
qm_probe children QuillmateMain | grep -qx "$((mx + 60)) $((my + 12)) $((mx + 130)) $((my + 37))" ||
  qm_fail "no button at 60,12 70 wide: $(wine "$QM_PROBE" children QuillmateMain | tr '\r\n' '; ')"
grep -q '^SkinName=Moved' "$QM_INI" || qm_fail "the skin was not kept"
qm_exit
}
qm_stage skin_sizes stage_skin_sizes

# Cancel on the offer still saves, with the skin the program wore, so the next start does not end
# the same way.
stage_skin_cancel() {
qm_craft Broken 'rm Main/i.bmp'
qm_use_skin Default
qm_start
qm_click_in QuillmateMain 20 19   # the main window's Options button
qm_shown QuillmateOptions 1 "no options dialog"
qm_click_in QuillmateOptions 225 95     # the skin list, then its first row
qm_click_in QuillmateOptions 130 116
qm_click_in QuillmateOptions 358 232    # Apply
answer "$offer" cancel 20
qm_ended "Cancel did not end the program"
qm_log_has "->Programm is unload" || qm_fail "the program did not end through its exit"
grep -q '^SkinName=Default' "$QM_INI" || qm_fail "saved $(qm_ini SkinName), not the skin in use"
no_skin_folder
}
qm_stage skin_cancel stage_skin_cancel

# --- A "Data.INI" saved in another form than the program writes keeps the user's values: UTF-16
# with a byte-order mark, read-only, hidden (other encodings and line ends: IniLoad's table). One
# that holds no settings at all is kept as "Data.INI.bad", with a log line, before the defaults.
# A link planted where the program writes (the temporary settings file, the ".bad" copy, the log)
# leads to a file of the user's, which keeps its place and text: the name is replaced as itself.
# The bar 300 px from the left: the main window, opening 243 px left of it, has room there.
user=$'[Global]\r\nTop=1500\r\nLeft=4500\r\n\r\n[Options]\r\nCombination=2\r\nTransparent=200\r\nSkinName=Default\r\n'
attrs() { wine cmd /c attrib "$(winepath -w "$QM_INI")" 2>/dev/null | cut -c1-10 | tr -d ' \r'; }

write_file() {
  case $1 in
    utf16) printf '\xFF\xFE'; printf '%s' "$user" | iconv -t UTF-16LE ;;
    garbage|link-bad) printf 'PK\x03\x04 not settings\x00\xff\r\nline two' ;;
    *) printf '%s' "$user" ;;
  esac
}
# name, attrib switches for the file (- for none), its attributes after the run; link-X plants the
# link at X
cases=("utf16 - A" "read-only +r AR" "hidden +h AH" "garbage - A" "link-tmp - A" "link-bad - A" "link-log - A")
declare -A planted=([link-tmp]=$QM_INI.tmp [link-bad]=$QM_INI.bad [link-log]=$QM_DIR/Log.txt)
stage_settings_file() {
  read -r name attrib after <<< "$1"
  mkdir -p "$QM_DATA"
  rm -f "$QM_INI" "$QM_INI.bad"
  write_file "$name" > "$QM_INI"
  [ "$attrib" = - ] || wine cmd /c attrib "$attrib" "$(winepath -w "$QM_INI")" >/dev/null 2>&1
  original=$(md5sum < "$QM_INI")
  link=${planted[$name]:-}
  [ -z "$link" ] || { echo "the user's file" > "$QM_DIR/mine.txt" && ln -s "$QM_DIR/mine.txt" "$link"; }
  QM_KEEP_LOG=$link qm_start
  if [ "$name" = garbage ] || [ "$name" = link-bad ]; then
    qm_log_has ">>> The settings file holds no settings Quillmate can read; it was kept as" || qm_fail "$name: not logged"
    [ "$(md5sum < "$QM_INI.bad")" = "$original" ] || qm_fail "$name: the .bad copy differs"
    qm_log_has "Paste style: 3" || qm_fail "$name: not the defaults"
  else
    qm_log_has "Paste style: 2" && qm_log_has "Transparent: 200" || qm_fail "$name: the user's values were not read"
    [ -e "$QM_INI.bad" ] && qm_fail "$name: a readable file was set aside"
  fi
  qm_exit
  [ "$(attrs)" = "$after" ] || qm_fail "$name: attributes $(attrs) after the run, expected $after"
  case $name in
    read-only) [ "$(md5sum < "$QM_INI")" = "$original" ] || qm_fail "$name: the file was changed" ;;
    garbage|link-bad) grep -q $'^Combination=3\r$' "$QM_INI" || qm_fail "$name: no defaults written" ;;
    *) grep -q $'^Combination=2\r$' "$QM_INI" && grep -q $'^Left=4500\r$' "$QM_INI" || qm_fail "$name: values lost: $(cat -A "$QM_INI")" ;;
  esac
  [ -z "$link" ] || { [ "$(cat "$QM_DIR/mine.txt")" = "the user's file" ] && ! [ -L "$link" ]; } ||
    qm_fail "$name: the link's file holds '$(cat "$QM_DIR/mine.txt" 2>&1)'; $(ls -l "$link" 2>&1)"
}
for c in "${cases[@]}"; do qm_stage "settings_file_${c%% *}" stage_settings_file "$c"; done

qm_journey_end
