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
# Alpha shows only with a compositor, and topmost windows stay on top only under a window manager:
# whichever of the two the display lacks is started (and stopped again at the end).
source scripts/wine-env.sh
trap 'qm_desktop_stop; for p in "${started[@]}"; do kill "$p" 2>/dev/null || true; done' EXIT
new_prefix=0; [ -d "$WINEPREFIX" ] || new_prefix=1
qm_desktop_start   # before Wine's first window (its tray)
# A new prefix's set-up started Wine's tray program before the window settings were written: it
# starts again, with them, as Quillmate starts.
[ "$new_prefix" = 0 ] || wineserver -k
qm_root_drive_device   # no error line when a save dialog opens
qm_prefix_fonts        # the skins' face, and the close glyph of Wine's own captions
appdata=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')")
echo "Program folder and Log.txt: $ROOT/build/win/bin"
echo "Settings and clips:         $appdata/Quillmate"
cd build/win/bin
wine Quillmate.exe "$@"
