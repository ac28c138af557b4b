#!/usr/bin/env bash
# Exit from the tray menu asks first. Ticking the box by its label and then Cancel keeps the
# program running and forgets the tick; OK without the tick ends it with FastExit off. With the
# tick (and the hide notice's tick) OK saves both, and the next Exit ends at once.
source "$(dirname "$0")/lib.sh"
visible() { [ "$(wine "$QM_PROBE" visible "$1" | tr -d '\r')" = "$2" ]; }
rect() { wine "$QM_PROBE" rect "$1" | tr -d '\r'; }
click_in() {  # click_in CLASS X Y: a point of that window
  local l t; read -r l t _ < <(rect "$1"); xdotool mousemove $((l + $2)) $((t + $3)); xdotool click 1
}
# Places from the skin's size table: press_in CLASS KEY presses the button placed by KEY,
# label_in CLASS KEY the label beside the check box placed by KEY.
SIZES="$QM_BIN/../skins/Default/Sizes.dat"
place() { tr -d '\r' <"$SIZES" | grep -o "^$1\[[0-9,]*\]" | tr -dc '0-9,'; }
press_in() { local l t w; IFS=, read -r l t w _ <<<"$(place "$2")"; click_in "$1" $((l + w / 2)) $((t + 12)); }
label_in() { local l t; IFS=, read -r l t <<<"$(place "$2")"; click_in "$1" $((l + 40)) $((t + 6)); }
ask_exit() {
  qm_click_tray_icon 3
  qm_wait_until 5 visible QuillmateTray 1 || qm_fail "no tray menu"
  press_in QuillmateTray Tray_Exit
}
exit_dialog() {
  ask_exit
  qm_wait_until 5 visible QuillmateExit 1 || qm_fail "Exit did not ask"
}
tick() { label_in QuillmateExit Exit_Check; }
ok() { press_in QuillmateExit Exit_OK; }
cancel() { press_in QuillmateExit Exit_Cancel; }
ended() { qm_wait_until 20 bash -c "! [ -d /proc/$QM_PID ]" || qm_fail "Quillmate did not end"; }
setting() { tr -d '\r' < "$QM_DATA/Data.INI" | grep -x "$1=.*" | cut -d= -f2; }

qm_start
exit_dialog
tick
cancel
qm_wait_until 5 visible QuillmateExit 0 || qm_fail "Cancel did not close the dialog"
exit_dialog
ok
ended
[ "$(setting FastExit)" = False ] || qm_fail "FastExit $(setting FastExit) after a Cancel that cleared the tick"

qm_start
press_in QuillmateStart Start_Close   # the bar's close button: the hide notice
qm_wait_until 5 visible QuillmateHide 1 || qm_fail "no hide notice"
label_in QuillmateHide Hide_Check
press_in QuillmateHide Hide_OK
qm_wait_until 5 visible QuillmateHide 0 || qm_fail "OK did not close the notice"
exit_dialog
tick
ok
ended
[ "$(setting FastExit) $(setting FastHide)" = "True True" ] || qm_fail "saved $(setting FastExit) $(setting FastHide)"

qm_start
ask_exit
ended
echo "exit: ok"
