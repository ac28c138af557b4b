#!/usr/bin/env bash
# A "Data.INI" saved in another form than the program writes keeps the user's values: UTF-8 or
# UTF-16 with a byte-order mark, LF line ends, read-only, hidden. One that holds no settings at all
# is kept as "Data.INI.bad", with a log line, before the defaults are written.
source "$(dirname "$0")/lib.sh"
INI=$QM_DATA/Data.INI
# The bar 300 px from the left: the main window, opening 243 px left of it, has room there.
user=$'[Global]\r\nTop=1500\r\nLeft=4500\r\n\r\n[Options]\r\nCombination=2\r\nTransparent=200\r\nSkinName=Default\r\n'
attrs() { wine cmd /c attrib "$(winepath -w "$INI")" 2>/dev/null | cut -c1-10 | tr -d ' \r'; }

write_file() {
  case $1 in
    utf8-bom) printf '\xEF\xBB\xBF%s' "$user" ;;
    utf16) printf '\xFF\xFE'; printf '%s' "$user" | iconv -t UTF-16LE ;;
    lf-only) printf '%s' "$user" | tr -d '\r' ;;
    garbage) printf 'PK\x03\x04 not settings\x00\xff\r\nline two' ;;
    *) printf '%s' "$user" ;;
  esac
}
# name, attrib switches for the file (- for none), its attributes after the run
cases=("utf8-bom - A" "utf16 - A" "lf-only - A" "read-only +r AR" "hidden +h AH" "garbage - A")
qm_start && qm_exit   # makes the data folder
for c in "${cases[@]}"; do
  read -r name attrib after <<< "$c"
  rm -f "$INI" "$INI.bad"
  write_file "$name" > "$INI"
  [ "$attrib" = - ] || wine cmd /c attrib "$attrib" "$(winepath -w "$INI")" >/dev/null 2>&1
  original=$(md5sum < "$INI")
  qm_start
  if [ "$name" = garbage ]; then
    qm_log_has ">>> The settings file holds no settings Quillmate can read; it was kept as" || qm_fail "$name: not logged"
    [ "$(md5sum < "$INI.bad")" = "$original" ] || qm_fail "$name: the .bad copy differs"
    qm_log_has "Paste style: 3" || qm_fail "$name: not the defaults"
  else
    qm_log_has "Paste style: 2" && qm_log_has "Transparent: 200" || qm_fail "$name: the user's values were not read"
    [ -e "$INI.bad" ] && qm_fail "$name: a readable file was set aside"
  fi
  qm_exit
  [ "$(attrs)" = "$after" ] || qm_fail "$name: attributes $(attrs) after the run, expected $after"
  case $name in
    read-only) [ "$(md5sum < "$INI")" = "$original" ] || qm_fail "$name: the file was changed" ;;
    garbage) grep -q $'^Combination=3\r$' "$INI" || qm_fail "$name: no defaults written" ;;
    *) grep -q $'^Combination=2\r$' "$INI" && grep -q $'^Left=4500\r$' "$INI" || qm_fail "$name: values lost: $(cat -A "$INI")" ;;
  esac
  echo "$name: ok"
done
echo "settings_file: ok"
