#!/usr/bin/env bash
# The options dialog as a person uses it: opened from the main window; the active slider dragged
# to its left end and applied (the windows' alpha and Data.INI follow); autorun ticked through
# its label (the Run value); a drag thrown away by Cancel; the dark skin picked from the list and
# OK: every window changes and Data.INI holds what the dialog shows.
source "$(dirname "$0")/lib.sh"
[ -f "$QM_SIZES" ] || qm_fail "no size table at $QM_SIZES"
alpha_is() { [ "$(qm_probe alpha "$1")" = "$2" ]; }
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
  qm_wait_until 10 qm_visible QuillmateOptions || qm_fail "the Options button did not open the dialog"
  read -r DX DY _ _ < <(qm_probe rect QuillmateOptions)
}

# The pixels of a window of the program, as one signature.
look() {
  local l t r b
  read -r l t r b _ < <(qm_probe rect "$1")
  import -window root "$QM_DIR/screen.png"
  /usr/bin/convert "$QM_DIR/screen.png" -crop "$((r - l))x$((b - t))+$l+$t" +repage "$QM_DIR/crop.png"
  identify -format '%#' "$QM_DIR/crop.png"
}

qm_start
main_before=$(look QuillmateMain) start_before=$(look QuillmateStart)
open_from_main
thumb_at 47 325 || qm_fail "active thumb at $(thumb_left 47), not at 100 %"
drag_to_left_end 47
button Options_Apply
qm_wait_until 5 alpha_is QuillmateMain 76 || qm_fail "main window alpha $(qm_probe alpha QuillmateMain)"
alpha_is QuillmateStart 76 || qm_fail "start bar alpha $(qm_probe alpha QuillmateStart)"
[ "$(qm_ini Transparent)" = 76 ] && [ "$(qm_ini InactiveTransparent)" = 76 ] || qm_fail "Data.INI: $(cat "$QM_DATA/Data.INI")"

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
qm_wait_until 10 qm_visible QuillmateOptions 0 || qm_fail "Cancel did not close the dialog"
open_from_main
thumb_at 75 325 || qm_fail "Cancel kept the dragged inactive thumb (at $(thumb_left 75))"
# The dark skin from the list (rows 22 px apart below the field, in name order), then OK.
click $((31 + 56 + 40)) $((75 + 8 + 11))
click $((87 + 50)) $((105 + 22 + 11))
button Options_Ok
qm_wait_until 10 qm_visible QuillmateOptions 0 || qm_fail "OK did not close the dialog"
# OK fades the dialog out first, then loads the skin and saves.
skin_saved() { [ "$(qm_ini SkinName)" = Graphite ]; }
qm_wait_until 30 skin_saved || qm_fail "the chosen skin was not saved: $(cat "$QM_DATA/Data.INI")"
echo "--- Data.INI after OK"
tr -d '\r' <"$QM_DATA/Data.INI"
[ "$(qm_ini InactiveTransparent) $(qm_ini PaiseSpeed) $(qm_ini SkinName)" = "76 1000 Graphite" ] ||
  qm_fail "OK saved other values"
qm_log_has "Unpacking skin Graphite" || qm_fail "the chosen skin was not loaded"
wine reg query "$run_key" /v Quillmate 2>/dev/null | tr -d '\r' | grep -qiF "\"$exe\"" ||
  qm_fail "OK changed another entry under Quillmate: $(wine reg query "$run_key" /v Quillmate 2>&1)"
[ "$(look QuillmateMain)" != "$main_before" ] && [ "$(look QuillmateStart)" != "$start_before" ] ||
  qm_fail "the windows kept their look"
qm_exit
echo "options: ok"
