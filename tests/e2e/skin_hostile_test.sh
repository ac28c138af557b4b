#!/usr/bin/env bash
# Hostile skin folders, names and packages: a "Skin" that links elsewhere or holds foreign files,
# skin names that reach outside "Skins" or name devices, broken default packages, a deep package.
source "$(dirname "$0")/lib.sh"
INI=$QM_DATA/Data.INI
SKIN=$QM_DIR/Skin
set_skin() { sed -i "s/^SkinName=.*/SkinName=${1//\\/\\\\}\r/" "$INI"; }
# The settings load is past the skin folder's deletion, or the program stopped at the skin.
past_skin_cleanup() { qm_log_has "Parametrs --" || ! [ -d "/proc/$QM_PID" ] || qm_dialog Quillmate; }
qm_start && qm_exit   # writes Data.INI

# "Skin" links to a folder of the user's: nothing in it is written or deleted. A folder or file link
# inside "Skin" (Wine reports a file link as a plain file) is moved aside with it and left there,
# and the start unpacks and loads the skin afresh.
mkdir "$QM_DIR/victim" && echo "the user's file" > "$QM_DIR/victim/mine.txt"
for link in "$SKIN" "$SKIN/Main" "$SKIN/Sizes.dat"; do
  target=$QM_DIR/victim; [ "${link##*/}" = Sizes.dat ] && target=$QM_DIR/victim/mine.txt
  mkdir -p "$(dirname "$link")" && ln -s "$target" "$link"
  qm_launch
  if [ "$link" = "$SKIN" ]; then
    qm_wait_log ">>> Can't clear the skin folder" 20
    qm_wait_until 20 past_skin_cleanup || qm_fail "start-up did not get past the skin"
  else
    qm_wait_log "may lead out of the skin folder (a link); it was left where it is." 20
    qm_wait_log "End loading skin" 20
  fi
  [ "$(ls -A "$QM_DIR/victim")" = mine.txt ] && [ "$(cat "$QM_DIR/victim/mine.txt")" = "the user's file" ] \
    || qm_fail "the linked folder was changed: $(ls -A "$QM_DIR/victim")"
  qm_end
  rm -r "$SKIN" "$SKIN".old* 2>/dev/null || true
done

# Names that are no plain file name count as missing, also when a package lies where they point.
cp "$QM_DIR/Skins/Default.skn" "$QM_DIR/x.skn"
for name in '..\x' 'C:x' CON NUL AUX COM1 'con.x'; do
  set_skin "$name"
  qm_launch
  qm_wait_until 20 qm_dialog Quillmate || qm_fail "$name: no 'was not found' message"
  wine "$QM_PROBE" press-enter Quillmate
  qm_wait_log "Parsing comand..." 30
  qm_log_has ">>> Skin package $(winepath -w "$QM_DIR/Skins")\\$name.skn was not found; using the skin Default." \
    || qm_fail "$name: fall-back not logged"
  qm_exit
  grep -q $'^SkinName=Default\r$' "$INI" || qm_fail "$name: the skin name was kept"
done

# A deep package is removed whole after loading, and so is a file someone left in "Skin", with a log line.
qm_craft Deep 'leaf=$(printf "d/%.0s" $(seq 200)) && mkdir -p "$leaf" && echo deep > "$leaf/leaf.txt"'
mkdir "$SKIN" && echo stale > "$SKIN/left.txt"
set_skin Deep
qm_start
qm_log_has ">>> The skin folder $(winepath -w "$SKIN") held 1 files Quillmate did not unpack" || qm_fail "foreign files not logged"
qm_log_has "Unpacking skin Deep" || qm_fail "the deep skin was not unpacked"
left=$(compgen -G "$SKIN.old*" || true); [ -e "$SKIN" ] && left+=" $SKIN"
[ -n "$left" ] && qm_fail "the skin folder is left: $left"
qm_exit

# A default package that is empty, garbage or cut short: the log says so.
set_skin Default
cp "$QM_DIR/Skins/Default.skn" "$QM_DIR/good.skn"
for kind in empty garbage cut; do
  case $kind in
    empty) : > "$QM_DIR/Skins/Default.skn" ;;
    garbage) head -c 3000 /dev/urandom > "$QM_DIR/Skins/Default.skn" ;;
    cut) head -c 3000 "$QM_DIR/good.skn" > "$QM_DIR/Skins/Default.skn" ;;
  esac
  qm_launch
  qm_wait_log ">>> Skin package $(winepath -w "$QM_DIR/Skins/Default.skn") could not be unpacked." 20
  qm_end
done
echo "skin_hostile: ok"
