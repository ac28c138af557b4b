#!/usr/bin/env bash
# Draws every scene of the screenshot tool (each window, the control test form) to OUTDIR/<scene>.png
# in the Default skin, and again in every other skin the build makes to OUTDIR/<skin>/<scene>.png.
# usage: scripts/screens.sh OUTDIR [SCENE...]     (no SCENE: all of them; QmScreens --list names them)
# QM_SCREEN_SKINS="Default Graphite" chooses the skins (the first one goes to OUTDIR itself).
# Starts its own Xvfb and Wine prefix like the tests, and stops exactly those.
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 OUTDIR [SCENE...]" >&2; exit 2; }
mkdir -p "$1"
OUT=$(cd "$1" && pwd)
shift
cd "$(dirname "$0")/.."
WIN=${QM_BUILD_WIN:-$PWD/build/win}
cmake -S . -B "$WIN" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build "$WIN" -j "$(nproc)" --target QmScreens skin_packages >/dev/null
TOOL=$WIN/bin/QmScreens.exe

# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh
qm_start_display_and_wine

if [ $# -gt 0 ]; then
  SCENES=("$@")
else
  mapfile -t SCENES < <(wine "$TOOL" --list | tr -d '\r' | cut -f1)
fi

# Shows one scene, waits for the rectangle the tool reports once its windows are painted, and
# photographs that part of the screen until two photographs agree (the display may lag a paint).
shoot() {
  local scene=$1 target=$2 dir pid x y w h sig prev="" i
  dir=$(mktemp -d "$QM_TMP/scene.XXXXXX")
  wine "$TOOL" "$scene" "$(winepath -w "$dir")" >"$dir/out" 2>"$dir/err" &
  pid=$!
  for i in $(seq 600); do
    grep -q '^rect' "$dir/out" 2>/dev/null && break
    [ -d "/proc/$pid" ] || break
    sleep 0.05
  done
  if ! read -r _ x y w h < <(tr -d '\r' <"$dir/out" | grep '^rect'); then
    echo "FAIL: scene $scene showed nothing: $(cat "$dir/err")" >&2
    kill "$pid" 2>/dev/null || true
    return 1
  fi
  for i in $(seq 40); do
    import -window root "$dir/root.png"
    /usr/bin/convert "$dir/root.png" -crop "${w}x${h}+${x}+${y}" +repage "$dir/shot.png"
    sig=$(identify -format '%#' "$dir/shot.png")
    [ "$sig" = "$prev" ] && break
    prev=$sig
  done
  cp "$dir/shot.png" "$target"
  touch "$dir/stop"
  for i in $(seq 100); do [ -d "/proc/$pid" ] || break; sleep 0.05; done
  kill "$pid" 2>/dev/null || true
  echo "$target (${w}x${h})"
}

status=0
first=1
for skin in ${QM_SCREEN_SKINS:-Default Graphite}; do
  dest=$OUT
  [ $first = 1 ] || { dest=$OUT/$skin; mkdir -p "$dest"; }
  first=0
  export QM_SKIN=$skin
  for s in "${SCENES[@]}"; do shoot "$s" "$dest/$s.png" || status=1; done
done
exit $status
