#!/usr/bin/env bash
# Skins on the real program: a skin with a bitmap missing offers the default skin (Cancel ends the
# program, OK carries on in "Default" and keeps that setting); a short caption table offers it too;
# a size table that moves a button moves it on the screen; the log shows every load.
source "$(dirname "$0")/lib.sh"

qm_use_skin() { mkdir -p "$QM_DATA"; printf '[Options]\r\nSkinName=%s\r\n' "$1" > "$QM_DATA/Data.INI"; }
qm_box_says() { [ "$(qm_probe dialog-text Quillmate)" = "$1" ]; }
answer() {  # answer MESSAGE enter|cancel [SECONDS]: answers the message box once it says MESSAGE
  qm_wait_until "${3:-30}" qm_box_says "$1" || qm_fail "no box saying '$1'"
  wine "$QM_PROBE" "press-$2" Quillmate
}
no_skin_folder() { [ -d "$QM_DIR/Skin" ] && qm_fail "the skin folder was left behind" || true; }
offer=$'Error during load skin\nLoad Default skin?'

# A bitmap missing, Cancel: the program ends and leaves no skin folder behind.
qm_craft NoExit 'rm Tray/Exit.bmp'
qm_use_skin NoExit
qm_launch
answer "$offer" cancel
qm_ended "Cancel did not end the program"
no_skin_folder
grep -q '>>> Error during loading skin: fTray.bExit' "$QM_DIR/Log.txt" || qm_fail "the missing bitmap is not logged"

# The same, OK: the program runs in the default skin and keeps that setting.
qm_launch
answer "$offer" enter
qm_wait_log "Parsing comand..." 30
sed -e 's/^[0-9:]* || //' -e 's/\r$//' "$QM_DIR/Log.txt" | grep -E '^(Start|End) loading skin|^>>> Error' |
  sed 's/:.*//' | tr '\n' '|' > "$QM_DIR/skinlog"
[ "$(cat "$QM_DIR/skinlog")" = "Start loading skin|>>> Error during loading skin|Start loading skin|End loading skin|" ] ||
  qm_fail "skin log lines: $(cat "$QM_DIR/skinlog")"
no_skin_folder
qm_wait_until 10 qm_viewer_is_quillmate || qm_fail "not in the clipboard chain"
qm_exit
grep -q '^SkinName=Default' "$QM_DATA/Data.INI" || qm_fail "the setting did not become Default"

# A caption table one line short: the offer; OK loads the default skin, then the first load goes on.
qm_craft Short "head -c -2 Language.dat | sed '\$d' > l && mv l Language.dat"
qm_use_skin Short
qm_launch
answer $'Error during load skin language\nLoad Default skin?' enter
qm_wait_log "Parsing comand..." 30
[ "$(qm_log_count 'End loading skin')" = 2 ] || qm_fail "the first load did not go on after the default one"
qm_exit

# A size table that moves the Paste button (the main window places it in twips).
qm_craft Moved "sed -i 's/^Main_Paste\[.*\]/Main_Paste[60,12,70,8]/' Sizes.dat"
qm_use_skin Moved
qm_start
read -r mx my _ _ < <(qm_probe rect QuillmateMain)
qm_probe children QuillmateMain | grep -qx "$((mx + 60)) $((my + 12)) $((mx + 130)) $((my + 37))" ||
  qm_fail "no button at 60,12 70 wide: $(wine "$QM_PROBE" children QuillmateMain | tr '\r\n' '; ')"
grep -q '^SkinName=Moved' "$QM_DATA/Data.INI" || qm_fail "the skin was not kept"
qm_exit

# A broken skin chosen in the options dialog, Cancel on the offer: the program still saves and
# ends through its own exit, with the skin it wore, so the next start does not end the same way.
qm_craft Broken 'rm Main/i.bmp'
qm_use_skin Default
qm_start
qm_click_in QuillmateMain 20 19   # the main window's Options button
qm_wait_until 10 qm_visible QuillmateOptions || qm_fail "no options dialog"
qm_click_in QuillmateOptions 225 95     # the skin list, then its first row
qm_click_in QuillmateOptions 130 116
qm_click_in QuillmateOptions 358 232    # Apply
answer "$offer" cancel 20
qm_ended "Cancel did not end the program"
qm_log_has "->Programm is unload" || qm_fail "the program did not end through its exit"
grep -q '^SkinName=Default' "$QM_DATA/Data.INI" || qm_fail "saved $(qm_ini SkinName), not the skin in use"
no_skin_folder
echo "skin: ok"
