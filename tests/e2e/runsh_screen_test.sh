#!/usr/bin/env bash
# The screen under scripts/run.sh's desktop (its compositor and window manager, started here by the
# same functions): after drags of the pair the whole screen shows exactly the windows' own pictures
# over what lies beneath them, in both skins; and a new or clicked notepad stays below the pair;
# Wine's tray stands in the lower right corner; with the notepad clicked first, the windows the
# program brings forward take the keys. QM_KEEP_SHOTS=FOLDER keeps the last comparison's
# screenshots and pictures there, and those of the About box and the save dialogs.
source "$(dirname "$0")/../../scripts/wine-env.sh"
# A prefix of its own, set up as run.sh sets up a new one: the desktop first, then Wine's tray
# program started under its window settings (the run's prefix started it long before, unmanaged).
# A display of its own too: the run's prefix keeps its desktop, and with it its tray window, which
# an icon left by a killed program keeps on the screen.
QM_OWN_PREFIX=$(mktemp -d /tmp/qm-runsh.XXXXXX)
export WINEPREFIX=$QM_OWN_PREFIX/pfx
qm_start_display "$QM_OWN_PREFIX"
trap 'qm_desktop_stop; wineserver -k 2>/dev/null; kill "$QM_XVFB"; rm -rf "$QM_OWN_PREFIX"' EXIT
qm_desktop_start
qm_prefix_fonts
wineserver -k; wineserver -w
source "$(dirname "$0")/lib.sh"
trap 'qm_cleanup; qm_desktop_stop; wineserver -k 2>/dev/null; kill "$QM_XVFB"; rm -rf "$QM_OWN_PREFIX"' EXIT
# A caret that blinks would show in one of two pictures taken moments apart and not in the other.
wine reg add 'HKCU\Control Panel\Desktop' /v CursorBlinkRate /d -1 /f >/dev/null 2>&1

read -r SW SH < <(xdotool getdisplaygeometry)
shot() { import -window root "$QM_DIR/$1.png"; }
# xid CLASS: the X window of a Wine window, found by its screen rectangle.
xid() {
  local l t r b w
  read -r l t r b _ < <(qm_probe rect "$1")
  for w in $(xdotool search --onlyvisible --class quillmate.exe); do
    [ "$(geometry "$w")" = "$l $t $((r - l)) $((b - t))" ] && { echo "$w"; return; }
  done
  qm_fail "no X window for $1"
}
geometry() {  # left top width height of an X window on the screen
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
                           /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}
# depth XID: how many of the screen's top-level windows lie above the one that holds XID (a window
# manager's frame holds its client).
depth() {
  local w=$1 root parent n=0 top
  root=$(xwininfo -root | awk '/Window id:/ {print $4; exit}')
  until parent=$(xwininfo -id "$w" -tree | awk '/Parent window id:/ {print $4}'); [ $((parent)) = $((root)) ]; do
    w=$parent
  done
  for top in $(xwininfo -root -children | awk '/^ +0x/ {print $1}'); do
    [ $((top)) = $((w)) ] && { echo "$n"; return; }
    n=$((n + 1))
  done
}
# keyed XID NAME: the window's own picture, transparent outside its X shape (its colour key), as
# NAME-keyed.png to be laid at NAME_AT (the picture holds only the part on the screen).
keyed() {
  local x y w h cw ch ox oy
  read -r x y w h < <(geometry "$1")
  import -window "$1" "$QM_DIR/$2-own.png"
  read -r cw ch < <(/usr/bin/convert "$QM_DIR/$2-own.png" -format '%w %h\n' info:)
  ox=$((x < 0 ? -x : 0)) oy=$((y < 0 ? -y : 0))
  printf -v "${2}_AT" '+%d+%d' $((x + ox)) $((y + oy))
  /usr/bin/convert -size "${w}x${h}" xc:black -fill white -draw "$(python3 - "$1" "$w" "$h" <<'PY'
import ctypes, sys
x = ctypes.CDLL("libX11.so.6"); xe = ctypes.CDLL("libXext.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
class R(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short), ("w", ctypes.c_ushort), ("h", ctypes.c_ushort)]
xe.XShapeGetRectangles.restype = ctypes.POINTER(R)
xe.XShapeGetRectangles.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                   ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int)]
d = x.XOpenDisplay(None); n = ctypes.c_int(); o = ctypes.c_int()
r = xe.XShapeGetRectangles(d, int(sys.argv[1]), 0, ctypes.byref(n), ctypes.byref(o))
w, h = int(sys.argv[2]), int(sys.argv[3])
for i in range(n.value):  # the window's shape, clipped to the window
    x1, y1 = min(r[i].x + r[i].w, w) - 1, min(r[i].y + r[i].h, h) - 1
    if r[i].x <= x1 and r[i].y <= y1: print(f"rectangle {r[i].x},{r[i].y} {x1},{y1}")
PY
  )" -crop "${cw}x${ch}+${ox}+${oy}" +repage "$QM_DIR/$2-mask.png"
  /usr/bin/convert "$QM_DIR/$2-own.png" "$QM_DIR/$2-mask.png" -alpha off -compose copy_opacity \
    -composite "$QM_DIR/$2-keyed.png"
}

# screen_is_clean WHAT: the whole screen equals the background (its colour at the lower left corner, where
# nothing is drawn) with the notepad's and the pair's own pictures laid on it in their stacking
# order; the notepad's frame and Wine's tray window are left as the screen shows them.
screen_is_clean() {
  shot screen
  local bg np nx ny nw nh fl fr ft fb tl tt tw th list bar first second bad
  bg=$(/usr/bin/convert "$QM_DIR/screen.png" -format "%[pixel:p{0,$((SH - 1))}]" info:)
  np=$(xdotool search --onlyvisible --name "Untitled - Notepad" | head -n1)
  read -r nx ny nw nh < <(geometry "$np")
  import -window "$np" "$QM_DIR/notepad-own.png"
  local extents; extents=$(xprop -id "$np" _NET_FRAME_EXTENTS | grep -o '= .*' | tr -d '=,' || true)
  read -r fl fr ft fb <<<"${extents:-0 0 0 0}"   # none without a window manager
  local frame="$((nw + $fl + $fr + 4))x$((nh + $ft + $fb + 4))+$((nx - $fl - 2))+$((ny - $ft - 2))"
  # Wine's tray window, with the frame a window manager gives it: where the window manager stacked
  # it, above the notepad or below it.
  local tray tfl tfr tft tfb tray_frame tray_over_notepad=0
  tray=$(xdotool search --onlyvisible --name 'Wine System Tray' | head -n1)
  read -r tl tt tw th < <(geometry "$tray")
  extents=$(xprop -id "$tray" _NET_FRAME_EXTENTS | grep -o '= .*' | tr -d '=,' || true)
  read -r tfl tfr tft tfb <<<"${extents:-0 0 0 0}"
  tray_frame="$((tw + tfl + tfr))x$((th + tft + tfb))+$((tl - tfl))+$((tt - tft))"
  [ "$(depth "$tray")" -lt "$(depth "$np")" ] && tray_over_notepad=1
  list=$(xid QuillmateMain) bar=$(xid QuillmateStart)
  keyed "$list" list; keyed "$bar" bar
  first=list second=bar
  [ "$(depth "$list")" -lt "$(depth "$bar")" ] && first=bar second=list
  local first_at=${first}_AT second_at=${second}_AT
  local tray_layer=( \( "$QM_DIR/screen.png" -crop "$tray_frame" \) -geometry "+${tray_frame#*+}" -composite )
  local below=() above=()
  if [ $tray_over_notepad = 1 ]; then above=("${tray_layer[@]}"); else below=("${tray_layer[@]}"); fi
  /usr/bin/convert -size "${SW}x${SH}" "xc:$bg" "${below[@]}" \
    \( "$QM_DIR/screen.png" -crop "$frame" \) -geometry "+${frame#*+}" -composite \
    "$QM_DIR/notepad-own.png" -geometry "+$nx+$ny" -composite "${above[@]}" \
    "$QM_DIR/$first-keyed.png" -geometry "${!first_at}" -composite \
    "$QM_DIR/$second-keyed.png" -geometry "${!second_at}" -composite -alpha off "$QM_DIR/expected.png"
  bad=$(/usr/bin/convert "$QM_DIR/screen.png" "$QM_DIR/expected.png" -compose difference -composite \
    -colorspace gray -threshold 0 -format '%[fx:round(mean*w*h)] at %@' info:)
  [ -z "${QM_KEEP_SHOTS:-}" ] || cp "$QM_DIR"/*.png "$QM_KEEP_SHOTS"/
  [ "${bad%% *}" = 0 ] || qm_fail "$1: $bad px differ from the windows' own pictures (list $list_AT, bar $bar_AT, notepad +$nx+$ny)"
}

bar_down() {  # the centre of the bar's Down button (its leftmost)
  qm_probe children QuillmateStart | sort -n | head -n1 | awk '{ print int(($1 + $3) / 2), $2 + 10 }'
}
# drag DX DY: holds Down and moves the pair by DX DY, as a hand would, in five steps.
drag() {
  local x y s l t
  read -r x y < <(bar_down); read -r l t _ < <(qm_probe rect QuillmateStart)
  xdotool mousemove "$x" "$y" mousedown 1; sleep 0.3
  for s in 1 2 3 4 5; do xdotool mousemove $((x + $1 * s / 5)) $((y + $2 * s / 5)); sleep 0.05; done
  xdotool mouseup 1
  qm_wait_until 5 bash -c '[ "$(wine "$QM_PROBE" rect QuillmateStart | tr -d "\r" | cut -d" " -f1,2)" = "$1" ]' _ \
    "$((l + $1)) $((t + $2))" || qm_fail "pair not dragged by $1,$2: $(qm_probe rect QuillmateStart)"
}
# The pair over the notepad, beside it on the bare screen, and last across its right edge.
drags() { drag 150 200; drag 250 -100; drag -200 150; drag 300 60; sleep 0.5; }

notepad() {
  wine notepad >/dev/null 2>&1 &
  QM_HELPERS+=($!)
  qm_wait_until 15 bash -c 'xdotool search --onlyvisible --name "Untitled - Notepad" >/dev/null' || qm_fail "no notepad"
  sleep 0.5
}

# tray_in_corner: Wine's tray stands in the lower right corner, without a title bar, over no other
# program's menus; TRAY_AT says where it stands.
tray_in_corner() {
  local tray tl tt tw th tfl tfr tft tfb
  tray=$(xdotool search --onlyvisible --name 'Wine System Tray' | head -n1)
  [ -n "$tray" ] || { TRAY_AT="nowhere"; return 1; }
  read -r tl tt tw th < <(geometry "$tray")
  read -r tfl tfr tft tfb <<<"$(xprop -id "$tray" _NET_FRAME_EXTENTS | grep -o '= .*' | tr -d '=,' || echo 0 0 0 0)"
  TRAY_AT="at $tl,$tt ${tw}x$th with frame extents ${tfl:-} ${tfr:-} ${tft:-} ${tfb:-}"
  [ $((tl + tw + ${tfr:-0})) = "$SW" ] && [ $((tt + th + ${tfb:-0})) = "$SH" ] && [ "${tft:-0}" -le 1 ]
}

qm_start
for i in 0 1 2 3 4 5; do qm_copy_and_wait "clip number $i" "$i"; done
qm_shown QuillmateMain 1 "no main window"
# The tray grows as the program's icon joins it and the manager lays it out again: the screen is
# compared once it stands.
qm_wait_until 10 tray_in_corner || qm_fail "Wine's tray stands $TRAY_AT, not in the lower right corner without a title bar"
# The pair stands where the program put it, in X as in its own view: the bar snapped 6 px above the
# screen's top (a window manager pushes it back onto the screen), the list beside it.
sleep 0.5
read -r l t _ < <(qm_probe rect QuillmateStart)
[ "$t" = -6 ] || qm_fail "the bar stands at $l,$t, not 6 px above the screen's top"
# Found at the program's rectangle, and left to the program: a manager may move a window it manages
# at any time (openbox's first placement of the bar is a race it sometimes loses), so the pair's X
# windows must be override-redirect, never framed by the manager.
for w in QuillmateStart QuillmateMain; do
  xwininfo -id "$(xid $w)" -all | grep -q 'Override Redirect State: yes' || qm_fail "$w is managed by the window manager"
done
# A new notepad opens over the pair's place and stays below it.
notepad
screen_is_clean "a new notepad over the pair"
drags
screen_is_clean "Default skin, after drags"
# A click on the notepad brings it forward, still below the pair.
xdotool mousemove 60 300 click 1
qm_wait_until 5 qm_foreground_is Notepad || qm_fail "the notepad did not take the front: $(qm_probe foreground)"
sleep 0.5
screen_is_clean "the notepad clicked"

# A hide answers at once under the window manager (unmanaged, Wine would wait about 2 s for one):
# Down closes the main window, and a second click at once opens it again.
read -r x y < <(bar_down)
xdotool mousemove "$x" "$y" click 1
qm_wait_until 5 qm_visible QuillmateMain 0 || qm_fail "Down did not close the main window"
t0=$(date +%s%N); xdotool click 1
qm_wait_until 5 qm_visible QuillmateMain 1 || qm_fail "Down did not open the main window"
took=$(( ($(date +%s%N) - t0) / 1000000 ))
[ "$took" -lt 1500 ] || qm_fail "the main window opened $took ms after its hide (about 2 s: Wine's wait for a window manager)"


# With the notepad clicked first, the windows the program brings forward take the keys.
click_notepad() {
  xdotool mousemove 60 300 click 1
  qm_wait_until 5 qm_foreground_is Notepad || qm_fail "the notepad did not take the front: $(qm_probe foreground)"
}
# button N: the centre of the main window's Nth button of its top row (1 Options ... 5 Tips).
button() {
  qm_probe children QuillmateMain | sort -k2,2n -k1,1n | head -n5 | sed -n "${1}p" |
    awk '{ print int(($1 + $3) / 2), int(($2 + $4) / 2) }'
}
click_at() { xdotool mousemove "$1" "$2" click 1; sleep 0.3; }
first_clip() {  # the upper row of the clip list, the main window's largest child
  qm_probe children QuillmateMain | awk '{ print ($3 - $1) * ($4 - $2), $1 + 50, $2 + 20 }' | sort -nr | head -n1 | cut -d' ' -f2-
}
# save_by HOW NAME: a clip clicked, Save, the upper item chosen by keys (Down, Enter) or by the
# mouse; the dialog takes the typed path of NAME and Enter, and the file is written.
save_by() {
  click_notepad
  read -r x y < <(first_clip); click_at "$x" "$y"
  read -r x y < <(button 3); click_at "$x" "$y"
  qm_wait_until 5 qm_visible QuillmatePopUp 1 || qm_fail "Save opened no menu"
  if [ "$1" = keys ]; then
    xdotool key Down; sleep 0.2; xdotool key Return
  else
    local l t r b; read -r l t r b _ < <(qm_probe rect QuillmatePopUp)
    click_at $(((l + r) / 2)) $((t + (b - t) / 4))
  fi
  qm_wait_until 10 bash -c 'xdotool search --onlyvisible --name "^Save As$" >/dev/null' || qm_fail "no save dialog ($1)"
  sleep 0.5; shot "save-$1"
  xdotool type --delay 20 "Z:${QM_DIR//\//\\}\\$2"; xdotool key Return
  qm_wait_until 10 test -s "$QM_DIR/$2.txt" ||
    qm_fail "the save dialog opened by $1 took no typed name: $(qm_probe foreground) in front, X focus on $(xdotool getwindowfocus getwindowname 2>&1)"
  grep -q "clip number" "$QM_DIR/$2.txt" || qm_fail "the file saved by $1 holds: $(cat "$QM_DIR/$2.txt")"
}
click_notepad
read -r x y < <(button 5); click_at "$x" "$y"
qm_wait_until 5 qm_visible QuillmateTips 1 || qm_fail "the Tips button opened no tips"
read -r x y < <(qm_probe children QuillmateTips | awk '{ print $3 - $1, int(($1 + $3) / 2), int(($2 + $4) / 2) }' |
  sort -nr | head -n1 | cut -d' ' -f2-)
click_at "$x" "$y"
qm_wait_until 5 qm_visible QuillmateAbout 1 || qm_fail "the tips' About opened no About box"
shot about
xdotool key Escape
qm_wait_until 5 qm_visible QuillmateAbout 0 ||
  qm_fail "Escape did not close the About box: $(qm_probe foreground) in front, X focus on $(xdotool getwindowfocus getwindowname 2>&1)"
save_by keys saved-by-keys
save_by mouse saved-by-mouse
[ -z "${QM_KEEP_SHOTS:-}" ] || cp "$QM_DIR"/about.png "$QM_DIR"/save-*.png "$QM_KEEP_SHOTS"/

qm_end_helpers
qm_exit
printf '[Options]\r\nSkinName=Graphite\r\n' > "$QM_INI"
qm_start
qm_wait_until 10 qm_visible QuillmateMain 1 || qm_fail "no main window in Graphite"
notepad
drags
screen_is_clean "Graphite skin, after drags"
echo "ok"
