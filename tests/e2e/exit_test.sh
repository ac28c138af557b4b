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
ask_exit() {
  qm_click_tray_icon 3
  qm_wait_until 5 visible QuillmateTray 1 || qm_fail "no tray menu"
  click_in QuillmateTray 86 112   # Exit, the fourth row
}
exit_dialog() {
  ask_exit
  qm_wait_until 5 visible QuillmateExit 1 || qm_fail "Exit did not ask"
}
tick() { click_in QuillmateExit 60 47; }       # the label beside the box
ok() { click_in QuillmateExit 53 80; }
cancel() { click_in QuillmateExit 139 80; }
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
click_in QuillmateStart 64 24   # the bar's close button: the hide notice
qm_wait_until 5 visible QuillmateHide 1 || qm_fail "no hide notice"
click_in QuillmateHide 60 131   # its label
click_in QuillmateHide 293 162  # OK
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
