#!/usr/bin/env bash
# Builds Quillmate and runs it under Wine: on the current X display, or on a virtual one when
# there is none (then it says where to look). Stop it with Ctrl+C or from its tray menu.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build build/win -j "$(nproc)"
export WINEARCH=win32 WINEDEBUG=-all WINEPREFIX=${WINEPREFIX:-$HOME/.quillmate-wine}
if [ -z "${DISPLAY:-}" ]; then
  dfd=$(mktemp)
  exec 9>"$dfd"
  Xvfb -displayfd 9 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  exec 9>&-
  until [ -s "$dfd" ]; do sleep 0.05; done
  export DISPLAY=:$(cat "$dfd")
  trap 'kill $xvfb 2>/dev/null' EXIT
  echo "No display: Quillmate runs on the virtual display $DISPLAY (to look: DISPLAY=$DISPLAY import -window root shot.png)."
fi
[ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1
appdata=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')")
echo "Program folder and Log.txt: $ROOT/build/win/bin"
echo "Settings and clips:         $appdata/Quillmate"
cd build/win/bin
wine Quillmate.exe "$@"
