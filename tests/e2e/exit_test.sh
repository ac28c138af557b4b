#!/usr/bin/env bash
# Exit from the tray menu asks first. Ticking the box by its label and then Cancel keeps the
# program running and forgets the tick; OK without the tick ends it with FastExit off. With the
# tick (and the hide notice's tick) OK saves both, and the next Exit ends at once.
source "$(dirname "$0")/lib.sh"
# label_in CLASS KEY: clicks the label beside the check box placed by KEY.
label_in() { local l t; IFS=, read -r l t <<<"$(qm_place "$2")"; qm_click_in "$1" $((l + 40)) $((t + 6)); }
ask_exit() { qm_tray_menu; qm_press_in QuillmateTray Tray_Exit; }
exit_dialog() {
  ask_exit
  qm_wait_until 5 qm_visible QuillmateExit || qm_fail "Exit did not ask"
}

qm_start
exit_dialog
label_in QuillmateExit Exit_Check
qm_press_in QuillmateExit Exit_Cancel
qm_wait_until 5 qm_visible QuillmateExit 0 || qm_fail "Cancel did not close the dialog"
exit_dialog
qm_press_in QuillmateExit Exit_OK
qm_ended
[ "$(qm_ini FastExit)" = False ] || qm_fail "FastExit $(qm_ini FastExit) after a Cancel that cleared the tick"

qm_start
qm_press_in QuillmateStart Start_Close   # the bar's close button: the hide notice
qm_wait_until 5 qm_visible QuillmateHide || qm_fail "no hide notice"
label_in QuillmateHide Hide_Check
qm_press_in QuillmateHide Hide_OK
qm_wait_until 5 qm_visible QuillmateHide 0 || qm_fail "OK did not close the notice"
exit_dialog
label_in QuillmateExit Exit_Check
qm_press_in QuillmateExit Exit_OK
qm_ended
[ "$(qm_ini FastExit) $(qm_ini FastHide)" = "True True" ] || qm_fail "saved $(qm_ini FastExit) $(qm_ini FastHide)"

qm_start
ask_exit
qm_ended
echo "exit: ok"
