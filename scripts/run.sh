#!/usr/bin/env bash
# Builds Quillmate and runs it under Wine: on the current X display, or on a virtual one when
# there is none (then it says where to look). Stop it with Ctrl+C or from its tray menu.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
# Configured once: on a build folder that has its cache the toolchain file is not used again
# (CMake warns about it), and the build itself re-runs the configuration when a list changes.
[ -f build/win/CMakeCache.txt ] || cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build build/win -j "$(nproc)"
export WINEARCH=win32 WINEDEBUG=-all WINEPREFIX=${WINEPREFIX:-$HOME/.quillmate-wine}
started=()   # what this script started, and stops again
trap 'for p in "${started[@]}"; do kill "$p" 2>/dev/null || true; done' EXIT
if [ -z "${DISPLAY:-}" ]; then
  dfd=$(mktemp)
  exec 9>"$dfd"
  Xvfb -displayfd 9 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  started+=($!)
  exec 9>&-
  until [ -s "$dfd" ]; do sleep 0.05; done
  export DISPLAY=:$(cat "$dfd")
  echo "No display: Quillmate runs on the virtual display $DISPLAY (to look: DISPLAY=$DISPLAY import -window root shot.png)."
fi
# Alpha shows only with a compositor; one is started unless the display has one (the owner of
# the selection _NET_WM_CM_S0).
has_compositor() {
  python3 - <<'PY'
import ctypes, sys
x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XInternAtom.restype = ctypes.c_ulong
x.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x.XGetSelectionOwner.restype = ctypes.c_ulong
d = x.XOpenDisplay(None)
sys.exit(0 if d and x.XGetSelectionOwner(d, x.XInternAtom(d, b"_NET_WM_CM_S0", 0)) else 1)
PY
}
if ! has_compositor; then
  xcompmgr >/dev/null 2>&1 &
  started+=($!)
fi
[ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1
# Without a window manager Wine waits for one on every hide (about 2 s a window): its windows are
# left unmanaged by the same setting as the tests' prefix.
source scripts/wine-env.sh
qm_unmanaged_windows
appdata=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')")
echo "Program folder and Log.txt: $ROOT/build/win/bin"
echo "Settings and clips:         $appdata/Quillmate"
cd build/win/bin
wine Quillmate.exe "$@"
