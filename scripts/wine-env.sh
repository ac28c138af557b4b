# Sourced: starts a private Xvfb and a fresh 32-bit Wine prefix, and stops exactly those on exit.
qm_start_display_and_wine() {
  QM_TMP=$(mktemp -d /tmp/qm-test.XXXXXX)
  qm_start_display "$QM_TMP"
  export WINEPREFIX=$QM_TMP/pfx WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  mkdir -p "$WINEPREFIX"
  wineserver -p
  wineboot -i >/dev/null 2>&1
  qm_unmanaged_windows
  wineserver -k; wineserver -w
  qm_root_drive_device
  wineserver -p
  wineboot >/dev/null 2>&1   # start the services again here, not under ctest (they would hold its pipes)
  qm_prefix_fonts
  trap qm_stop_display_and_wine EXIT
}
# qm_prefix_fonts: Wine's own faces in the prefix's font folder. Without them Tahoma falls back to
# another face, and Wine's window captions draw their close button as the letter "r" (no Marlett).
qm_prefix_fonts() {
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
}
# qm_start_display DIR: a private Xvfb of 1280x800 as $DISPLAY, its process QM_XVFB (DIR holds its
# number).
qm_start_display() {
  local dfd=$1/display i=0
  exec 9>"$dfd"
  Xvfb -displayfd 9 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  QM_XVFB=$!
  exec 9>&-
  until [ -s "$dfd" ]; do sleep 0.05; i=$((i+1)); [ $i -lt 400 ] || { echo "Xvfb did not start" >&2; return 1; }; done
  export DISPLAY=:$(cat "$dfd")
}
# qm_root_drive_device: a prefix maps Z: to "/", and Wine takes the disk "/" is mounted from for
# that drive's device. Asked for the drive's volume (the save dialog asks for every drive) it opens
# that disk, which a user may not read, and prints "wine: Read access denied for device ..." each
# time. Z:'s device entry "z::" set to /dev/null names no disk: Wine reads none, and takes the
# volume's label and serial from the folder as before. Wine's mount manager reads the entry when
# it starts, so the prefix's server is stopped when the entry is new.
qm_root_drive_device() {
  local d=$WINEPREFIX/dosdevices
  if [ "$(readlink "$d/z:")" = / ] && ! [ -e "$d/z::" ] && ! [ -L "$d/z::" ]; then
    ln -s /dev/null "$d/z::"
    wineserver -k 2>/dev/null || true
    wineserver -w
  fi
}
# qm_keep_desktop PROBE: Wine's desktop process (explorer.exe /desktop) ends a second after its last
# user and is started again by the next program that needs it, inheriting that program's output;
# under ctest it then held a finished test's pipe open until ctest killed the test. A helper that
# keeps the desktop for the whole run starts it here, with no pipe of ctest's.
qm_keep_desktop() {
  local ready=$QM_TMP/desktop-ready i=0
  wine "$1" keep-desktop </dev/null >"$ready" 2>/dev/null &
  until grep -q ready "$ready" 2>/dev/null; do
    sleep 0.05; i=$((i+1)); [ $i -lt 400 ] || { echo "Wine's desktop did not start" >&2; return 1; }
  done
}
# Without a window manager, Wine waits up to 2 s for one whenever a managed window hides: the
# tests' prefix leaves its windows unmanaged (the tests assume a bare display).
qm_unmanaged_windows() {
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
}
# Under run.sh's window manager the other programs' windows are managed: the manager stacks them
# among themselves and below Quillmate's topmost windows, which Wine raises over them (with every
# program unmanaged, a new or clicked window of another program covers ours). Quillmate's own
# windows stay unmanaged, as on Windows: they stand exactly where the program puts them (a manager
# pushes a bar placed 6 px above the screen back onto it, and may place a window itself before Wine
# moves it) and a hide waits for no manager's answer. Wine's tray window is managed too: the
# manager's rule for it (scripts/openbox-rc.xml) lays it in the lower right corner without a title
# bar (unmanaged, it stood in the upper left corner over other programs' menus, with Wine's own
# title bar); a prefix set up by an earlier run.sh loses the setting that kept it unmanaged.
qm_managed_windows() {
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d Y /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\AppDefaults\Quillmate.exe\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wine reg delete 'HKCU\Software\Wine\AppDefaults\explorer.exe' /f >/dev/null 2>&1 || true
}

# The desktop scripts/run.sh gives Quillmate, shared with the test that checks it: a compositor, so
# that alpha shows, and a window manager. xcompmgr does not fit: it takes a window's shape as the X
# server holds it, unclipped by the window's size, and never reads it again; Wine builds the shape
# of a colour-keyed window from its whole drawing surface (rounded up to 32 px), and changes it as
# the window is drawn. picom clips the shape to the window and follows its changes.
QM_COMPOSITOR=(picom --backend xrender --config /dev/null)
QM_WINDOW_MANAGER=(openbox --sm-disable --config-file "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/openbox-rc.xml")
# qm_selection_owned NAME: true while some client owns the X selection NAME (WM_S0: a window
# manager; _NET_WM_CM_S0: a compositor).
qm_selection_owned() {
  python3 - "$1" <<'PY'
import ctypes, sys
x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XInternAtom.restype = ctypes.c_ulong
x.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x.XGetSelectionOwner.restype = ctypes.c_ulong
d = x.XOpenDisplay(None)
sys.exit(0 if d and x.XGetSelectionOwner(d, x.XInternAtom(d, sys.argv[1].encode(), 0)) else 1)
PY
}
# qm_desktop_start: starts on $DISPLAY what it lacks of that desktop, waits until each has taken
# the display, and sets the prefix's windows managed; QM_DESKTOP_PIDS holds what it started.
QM_DESKTOP_PIDS=()
qm_desktop_start() {
  local what selection i
  for what in QM_WINDOW_MANAGER:WM_S0 QM_COMPOSITOR:_NET_WM_CM_S0; do
    selection=${what#*:}; what=${what%%:*}[@]
    qm_selection_owned "$selection" && continue
    "${!what}" >/dev/null 2>&1 &
    QM_DESKTOP_PIDS+=($!)
    i=0
    until qm_selection_owned "$selection"; do
      sleep 0.05; i=$((i+1)); [ $i -lt 200 ] || { echo "${!what} did not start" >&2; return 1; }
    done
  done
  qm_managed_windows
}
# qm_desktop_stop: stops what qm_desktop_start started.
qm_desktop_stop() {
  local p
  for p in "${QM_DESKTOP_PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
  local i
  for p in "${QM_DESKTOP_PIDS[@]}"; do
    i=0; while [ -d "/proc/$p" ] && [ $i -lt 100 ]; do sleep 0.05; i=$((i+1)); done
  done
  QM_DESKTOP_PIDS=()
}
qm_stop_display_and_wine() {
  wineserver -k 2>/dev/null || true
  [ -n "${QM_XVFB:-}" ] && kill "$QM_XVFB" 2>/dev/null || true
  [ -n "${QM_TMP:-}" ] && rm -rf "$QM_TMP"
}
