# Sourced by every end-to-end test: runs the real Quillmate.exe under Wine on the test run's display
# and watches it from outside (clipboard, log, files, windows). Needs DISPLAY and WINEPREFIX set,
# QM_BIN (the folder with Quillmate.exe) and QM_PROBE (qmprobe.exe).
set -euo pipefail

QM_DIR=$(mktemp -d /tmp/qm-e2e.XXXXXX)
QM_PIDS=()      # Quillmate processes: ended through their own exit path
QM_HELPERS=()   # helper processes of the test: simply killed
QM_XCLIPS=()

qm_fail() { echo "FAIL: $*" >&2; [ -f "$QM_DIR/Log.txt" ] && { echo "--- Log.txt" >&2; cat "$QM_DIR/Log.txt" >&2; }; exit 1; }

qm_cleanup() {
  for p in "${QM_XCLIPS[@]}"; do kill "$p" 2>/dev/null || true; done
  # A Wine process killed by a signal can stall the next one for seconds: close helpers first.
  if [ ${#QM_HELPERS[@]} -gt 0 ]; then
    wine "$QM_PROBE" close-helpers >/dev/null 2>&1 || true
    for p in "${QM_HELPERS[@]}"; do
      for _ in $(seq 40); do [ -d "/proc/$p" ] || break; sleep 0.05; done
      kill "$p" 2>/dev/null || true
    done
  fi
  for p in "${QM_PIDS[@]}"; do
    [ -d "/proc/$p" ] || continue
    wine "$QM_PROBE" close >/dev/null 2>&1 || true
    for _ in $(seq 50); do [ -d "/proc/$p" ] || break; sleep 0.1; done
    kill "$p" 2>/dev/null || true
  done
  rm -rf "$QM_DIR"
}
trap qm_cleanup EXIT

# The program folder: the exe, its library and its skins, in a folder of this test's own.
cp "$QM_BIN/Quillmate.exe" "$QM_DIR/"
if [ -f "$QM_BIN/Skin.dll" ]; then cp "$QM_BIN/Skin.dll" "$QM_DIR/"; else : > "$QM_DIR/Skin.dll"; fi
[ -d "$QM_BIN/Skins" ] && cp -r "$QM_BIN/Skins" "$QM_DIR/"

# The user's data folder, emptied so every test starts as a first start.
QM_APPDATA=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')")
QM_DATA="$QM_APPDATA/Quillmate"
rm -rf "$QM_DATA"

# qm_wait_until SECONDS COMMAND...: polls COMMAND until it succeeds.
qm_wait_until() {
  local limit=$1; shift
  local end=$(( $(date +%s%N) + limit * 1000000000 ))
  until "$@"; do
    [ "$(date +%s%N)" -lt "$end" ] || return 1
    sleep 0.05
  done
}

qm_log_has() { [ -f "$QM_DIR/Log.txt" ] && grep -qF -- "$1" "$QM_DIR/Log.txt"; }
qm_log_count() { [ -f "$QM_DIR/Log.txt" ] && grep -cF -- "$1" "$QM_DIR/Log.txt" || echo 0; }
qm_wait_log() { qm_wait_until "${2:-20}" qm_log_has "$1" || qm_fail "no log line '$1'"; }
qm_viewer_is_quillmate() { [ "$(wine "$QM_PROBE" viewer-title 2>/dev/null | tr -d '\r')" = "Quillmate" ]; }

# qm_launch ARGS...: starts Quillmate without waiting for anything.
qm_launch() {
  rm -f "$QM_DIR/Log.txt"   # the program deletes it too, but a stale one would fool a wait for a line
  (cd "$QM_DIR" && exec wine Quillmate.exe "$@" >/dev/null 2>&1) &
  QM_PID=$!
  QM_PIDS+=("$QM_PID")
}

# qm_dialog TITLE: true while a message box with that title is shown.
qm_dialog() { [ "$(wine "$QM_PROBE" window-title "$1" 2>/dev/null | tr -d '\r')" = 1 ]; }

# qm_end: ends Quillmate whatever it is doing (running, or showing a message box), then waits for it.
qm_end() {
  for _ in $(seq 50); do
    [ -d "/proc/$QM_PID" ] || return 0
    wine "$QM_PROBE" press-enter Quillmate >/dev/null 2>&1 || wine "$QM_PROBE" close >/dev/null 2>&1 || true
    sleep 0.2
  done
  qm_fail "Quillmate did not end"
}

# qm_start ARGS...: starts Quillmate and waits until it is ready (in the viewer chain unless /noview).
qm_start() {
  qm_launch "$@"
  qm_wait_log "Parsing comand..." 30
  case " $* " in
    *" /noview "*) ;;
    *) qm_wait_until 10 qm_viewer_is_quillmate || qm_fail "Quillmate did not join the clipboard chain" ;;
  esac
}

# qm_click_tray_icon XDOTOOL-CLICK-ARGS...: clicks the program's tray icon (the first one of Wine's
# tray window) once that window is on the screen: it appears some moments after the first icon.
qm_click_tray_icon() {
  qm_wait_until 10 bash -c 'xdotool search --onlyvisible --name "Wine System Tray" >/dev/null 2>&1' ||
    qm_fail "no system tray window"
  xdotool mousemove 12 32 click "$@"
}

# qm_exit: ends Quillmate through its own exit path and waits for the process.
qm_exit() {
  wine "$QM_PROBE" close >/dev/null 2>&1 || qm_fail "no hidden Quillmate window to close"
  qm_wait_until 20 bash -c "! [ -d /proc/$QM_PID ]" || qm_fail "Quillmate did not exit"
}

# qm_copy TEXT: another program (xclip) puts TEXT on the clipboard, byte for byte.
qm_copy() {
  printf '%s' "$1" | xclip -selection clipboard -quiet >/dev/null 2>&1 &
  QM_XCLIPS+=($!)
}

# qm_copy_and_wait TEXT N: copies TEXT and waits until clip number N was added.
qm_copy_and_wait() {
  qm_copy "$1"
  qm_wait_log "Clip$2 added." 10
}

# qm_click_row N [CLICKS]: clicks the main window's row N (0 = top) like a person would.
qm_click_row() {
  local r; r=$(wine "$QM_PROBE" rect QuillmateMain | tr -d '\r') || qm_fail "no main window"
  set -- "$1" "${2:-1}" $r
  # Rows are 70 px high in a frame 10 px from the left and 37 px from the top of the window.
  local x=$(( $3 + 150 )) y=$(( $4 + 37 + 70 * $1 + 35 ))
  # (--sync would wait 15 s whenever the pointer already stands there)
  xdotool mousemove "$x" "$y"
  xdotool click --repeat "$2" --delay 120 1
}

qm_clipboard() { xclip -selection clipboard -o 2>/dev/null; }

# qm_with_keys "VK..." COMMAND...: holds the keys down (as the keyboard would) while COMMAND runs.
qm_with_keys() {
  local k keys=$1; shift
  for k in $keys; do wine "$QM_PROBE" key "$k" down; done
  "$@"
  for k in $keys; do wine "$QM_PROBE" key "$k" up; done
}
