# Sourced by every end-to-end test: runs the real Quillmate.exe under Wine on the test run's display
# and watches it from outside (clipboard, log, files, windows). Needs DISPLAY and WINEPREFIX set,
# QM_BIN (the folder with Quillmate.exe) and QM_PROBE (qmprobe.exe).
set -euo pipefail

QM_DIR=$(mktemp -d /tmp/qm-e2e.XXXXXX)
QM_PIDS=()      # Quillmate processes: ended through their own exit path
QM_HELPERS=()   # helper processes of the test: simply killed
QM_XCLIPS=()

# What outlives a journey's stages: the failures so far and the processes each stage started.
QM_RUN=$(mktemp -d /tmp/qm-run.XXXXXX)
QM_STAGE=journey

# qm_fail WHAT: a failed check. It ends the current stage, unless QM_SOFT is set (QM_SOFT=1 qm_...):
# then the check is recorded and the stage goes on, for a check whose failure leaves the state the
# next steps stand on.
qm_fail() {
  echo "FAIL [$QM_STAGE]: $*" >&2
  echo "[$QM_STAGE] $*" >>"$QM_RUN/failures"
  if [ -n "${QM_SOFT:-}" ]; then : >"$QM_RUN/stage-failed"; return 0; fi
  [ -f "$QM_DIR/Log.txt" ] && { echo "--- Log.txt" >&2; cat "$QM_DIR/Log.txt" >&2; }
  exit 1
}

# qm_wait_until SECONDS COMMAND...: polls COMMAND until it succeeds.
qm_wait_until() {
  local limit=$1; shift
  local end=$(( $(date +%s%N) + limit * 1000000000 ))
  until "$@"; do
    [ "$(date +%s%N)" -lt "$end" ] || return 1
    sleep 0.05
  done
}
qm_gone() { ! [ -d "/proc/$1" ]; }

# qm_end_helpers: closes the test's helper processes (a Wine process killed by a signal can stall
# the next one for seconds, so they are asked first).
qm_end_helpers() {
  [ ${#QM_HELPERS[@]} -gt 0 ] || return 0
  wine "$QM_PROBE" close-helpers >/dev/null 2>&1 || true
  for p in "${QM_HELPERS[@]}"; do qm_wait_until 2 qm_gone "$p" || kill "$p" 2>/dev/null || true; done
  QM_HELPERS=()
}

# qm_end_started: ends every process a stage started (their ids are kept in files, since a stage
# runs in a subshell): the clipboard owners, the helpers, and Quillmate through its own exit path,
# answering a message box it may still show.
qm_end_started() {
  local p
  for p in $(cat "$QM_RUN/xclips" 2>/dev/null); do kill "$p" 2>/dev/null || true; done
  if [ -s "$QM_RUN/helpers" ]; then
    wine "$QM_PROBE" close-helpers >/dev/null 2>&1 || true
    for p in $(cat "$QM_RUN/helpers"); do qm_wait_until 2 qm_gone "$p" || kill "$p" 2>/dev/null || true; done
  fi
  for p in $(cat "$QM_RUN/pids" 2>/dev/null); do qm_stop "$p" 15 || kill "$p" 2>/dev/null || true; done
  rm -f "$QM_RUN/xclips" "$QM_RUN/helpers" "$QM_RUN/pids"
  QM_PIDS=() QM_HELPERS=() QM_XCLIPS=()
}
qm_cleanup() {
  qm_end_started
  rm -rf "$QM_DIR" "$QM_RUN"
}
trap qm_cleanup EXIT

# qm_stage NAME FUNCTION: one stage of a journey, from a fresh start of its own state (qm_fresh). A
# failed check ends only this stage: the journey goes on with the next one and fails at its end
# (qm_journey_end) with every failure, so that one fault hides no other stage's checks.
# QM_STAGES=REGEX runs only the stages whose names match.
qm_stage() {
  local name=$1 rc; shift
  [ -z "${QM_STAGES:-}" ] || [[ $name =~ $QM_STAGES ]] || return 0
  QM_STAGE=$name
  qm_fresh
  rm -f "$QM_RUN/stage-failed"
  set +e
  ( set -eE
    trap 'echo "[$QM_STAGE] stopped at a failing command, line $LINENO: $BASH_COMMAND" | tee -a "$QM_RUN/failures" >&2' ERR
    "$@" )
  rc=$?
  set -e
  qm_end_started
  [ -e "$QM_RUN/stage-failed" ] && rc=1
  if [ "$rc" = 0 ]; then echo "$name: ok"; else echo "$name: FAILED" >&2; echo "$name" >>"$QM_RUN/failed-stages"; fi
  QM_STAGE=journey
}
# qm_journey_end: fails the journey when any stage failed, listing every failed check.
qm_journey_end() {
  [ -s "$QM_RUN/failed-stages" ] || return 0
  echo "=== failed stages: $(paste -sd' ' "$QM_RUN/failed-stages")" >&2
  cat "$QM_RUN/failures" >&2 2>/dev/null || true
  exit 1
}

QM_APPDATA=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')")
QM_DATA="$QM_APPDATA/Quillmate"
QM_INI=$QM_DATA/Data.INI
QM_CLIPS=$QM_DATA/Clips

# qm_fresh: a first start again, for the next stage of a journey: the helpers are closed, the
# program folder holds only the exe, its library and its skins, and the user's data folder is gone.
qm_fresh() {
  qm_end_helpers
  find "$QM_DIR" -mindepth 1 -delete
  cp "$QM_BIN/Quillmate.exe" "$QM_DIR/"
  if [ -f "$QM_BIN/Skin.dll" ]; then cp "$QM_BIN/Skin.dll" "$QM_DIR/"; else : > "$QM_DIR/Skin.dll"; fi
  if [ -d "$QM_BIN/Skins" ]; then cp -r "$QM_BIN/Skins" "$QM_DIR/"; fi
  rm -rf "$QM_DATA"
  : >"$QM_RUN/stderr"
}
qm_fresh

qm_log_has() { [ -f "$QM_DIR/Log.txt" ] && grep -qF -- "$1" "$QM_DIR/Log.txt"; }
qm_log_count() { [ -f "$QM_DIR/Log.txt" ] && grep -cF -- "$1" "$QM_DIR/Log.txt" || echo 0; }
qm_wait_log() { qm_wait_until "${2:-20}" qm_log_has "$1" || qm_fail "no log line '$1'"; }
# qm_probe COMMAND ARGS...: the probe's output without carriage returns.
qm_probe() { wine "$QM_PROBE" "$@" 2>/dev/null | tr -d '\r'; }
qm_viewer_is_quillmate() { [ "$(qm_probe viewer-title)" = "Quillmate" ]; }
# qm_visible CLASS [0|1]: true while a top-level window of that class is shown (or, with 0, is not).
qm_visible() { local v; v=$(qm_probe rect "$1" | cut -d' ' -f5); [ "${v:-0}" = "${2:-1}" ]; }
# qm_shown CLASS 0|1 WHAT: waits up to 10 s for qm_visible, or fails saying WHAT.
qm_shown() { qm_wait_until 10 qm_visible "$1" "$2" || qm_fail "$3"; }
qm_alpha_is() { [ "$(qm_probe alpha "$1")" = "$2" ]; }
qm_foreground_is() { [ "$(qm_probe foreground)" = "$1" ]; }
# qm_ended [WHAT]: waits until the Quillmate process has ended.
qm_ended() { qm_wait_until 20 qm_gone "$QM_PID" || qm_fail "${1:-Quillmate did not end}"; }
qm_kill9() { kill -9 "$QM_PID"; wait "$QM_PID" 2>/dev/null || true; }
qm_ini() { tr -d '\r' <"$QM_INI" | grep "^$1=" | cut -d= -f2; }
qm_utf16() { printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE; }
qm_clip_text() { iconv -f UTF-16LE -t UTF-8 "$QM_CLIPS/Clip$1.qms" 2>/dev/null; }  # raw UTF-16LE, no BOM
qm_clip_is() { [ "$(qm_clip_text "$1")" = "$2" ]; }
# qm_seed_clips TEXT...: clip files Clip1 (the oldest) onward holding the TEXTs, as a start finds them.
qm_seed_clips() {
  local n=0 t
  mkdir -p "$QM_CLIPS"
  for t in "$@"; do n=$((n + 1)); qm_utf16 "$t" >"$QM_CLIPS/Clip$n.qms"; done
}
# qm_settled N: the store is at rest with N clips: no journal, no temporary file, and a cache
# written after the newest clip file.
qm_settled() {
  ! [ -e "$QM_CLIPS/Clips.journal" ] && [ -z "$(find "$QM_DATA" -name '*.tmp' -print -quit)" ] &&
    [ "$QM_CLIPS/Clips.cache" -nt "$QM_CLIPS/Clip$1.qms" ]
}

# qm_launch ARGS...: starts Quillmate without waiting for anything (QM_KEEP_LOG: leaves the log);
# what it and Wine write to the terminal goes to $QM_RUN/stderr (emptied by qm_fresh).
qm_launch() {
  # The program deletes it too, but a stale one would fool a wait for a line.
  [ -n "${QM_KEEP_LOG:-}" ] || rm -f "$QM_DIR/Log.txt"
  (cd "$QM_DIR" && exec wine Quillmate.exe "$@" >/dev/null 2>>"$QM_RUN/stderr") &
  QM_PID=$!
  QM_PIDS+=("$QM_PID")
  echo "$QM_PID" >>"$QM_RUN/pids"
}

# qm_dialog TITLE: true while a message box with that title is shown.
qm_dialog() { wine "$QM_PROBE" dialog-text "$1" >/dev/null 2>&1; }

# qm_stop PID [TRIES]: ends that Quillmate whatever it is doing (running, or showing a message box)
# and waits for it; false when it still runs after TRIES (50) attempts 0.2 s apart.
qm_stop() {
  for _ in $(seq "${2:-50}"); do
    qm_gone "$1" && return 0
    wine "$QM_PROBE" press-enter Quillmate >/dev/null 2>&1 || wine "$QM_PROBE" close >/dev/null 2>&1 || true
    sleep 0.2
  done
  qm_gone "$1"
}
qm_end() { qm_stop "$QM_PID" || qm_fail "Quillmate did not end"; }

# qm_start ARGS...: starts Quillmate and waits until it is ready (in the viewer chain unless /noview).
qm_start() {
  qm_launch "$@"
  qm_wait_log "Parsing comand..." 30
  case " $* " in
    *" /noview "*) ;;
    *) qm_wait_until 10 qm_viewer_is_quillmate || qm_fail "Quillmate did not join the clipboard chain" ;;
  esac
}

# qm_exit: ends Quillmate through its own exit path and waits for the process.
qm_exit() {
  wine "$QM_PROBE" close >/dev/null 2>&1 || qm_fail "no hidden Quillmate window to close"
  qm_ended "Quillmate did not exit"
}

# qm_helper READY COMMAND ARGS...: runs the probe's COMMAND as another program beside the test and
# waits until it has written the file READY.
qm_helper() {
  local ready=$1; shift
  wine "$QM_PROBE" "$@" >/dev/null 2>&1 &
  QM_HELPERS+=($!)
  echo $! >>"$QM_RUN/helpers"
  qm_wait_until 10 test -s "$ready" || qm_fail "the helper '$1' did not start"
}

# qm_click_tray_icon XDOTOOL-CLICK-ARGS...: clicks the program's tray icon (the first one of Wine's
# tray window) once that window is on the screen: it appears some moments after the first icon.
qm_click_tray_icon() {
  qm_wait_until 10 bash -c 'xdotool search --onlyvisible --name "Wine System Tray" >/dev/null 2>&1' ||
    qm_fail "no system tray window"
  xdotool mousemove 12 32 click "$@"
}
# qm_tray_menu: a right press on the icon opens the tray menu. The menu closes whenever another
# window is in front, as it should; Wine's own tray window sometimes takes the front after the
# click, later than the menu did, and then the press is made again.
qm_tray_menu() {
  local attempt
  for attempt in 1 2 3; do
    QM_TRAY_T0=$(date +%s%N)   # when the press that opened the menu began
    qm_click_tray_icon 3
    qm_wait_until 5 qm_visible QuillmateTray && sleep 0.3 && qm_visible QuillmateTray && return 0
    qm_foreground_is __winex11_standalone_tray || break
    echo "tray menu attempt $attempt: Wine's tray window took the front" >&2
  done
  qm_fail "no tray menu; in front: $(qm_probe foreground)"
}

# qm_craft NAME CHANGE...: packs the default skin's files as NAME.skn after running each CHANGE
# (a shell command) in the copied folder.
qm_craft() {
  local name=$1; shift
  local dir="$QM_DIR/craft-$name"
  rm -rf "$dir"; cp -r "$QM_SKIN_FOLDERS/Default" "$dir"
  for change in "$@"; do (cd "$dir" && eval "$change"); done
  "$QM_RARPACK" --rar4 "$QM_DIR/Skins/$name.skn" "$dir" >/dev/null || qm_fail "cannot pack $name"
  rm -rf "$dir"
}

# qm_copy TEXT: another program (xclip) puts TEXT on the clipboard, byte for byte.
qm_copy() {
  printf '%s' "$1" | xclip -selection clipboard -quiet >/dev/null 2>&1 &
  QM_XCLIPS+=($!)
  echo $! >>"$QM_RUN/xclips"
}
# qm_copy_and_wait TEXT N: copies TEXT and waits until clip number N was added.
qm_copy_and_wait() { qm_copy "$1"; qm_wait_log "Clip$2 added." 10; }

# qm_click_row N [CLICKS]: clicks the main window's row N (0 = top) like a person would.
qm_click_row() {
  local r; r=$(qm_probe rect QuillmateMain) || qm_fail "no main window"
  set -- "$1" "${2:-1}" $r
  # Rows are 70 px high in a frame 10 px from the left and 37 px from the top of the window.
  local x=$(( $3 + 150 )) y=$(( $4 + 37 + 70 * $1 + 35 ))
  # (--sync would wait 15 s whenever the pointer already stands there)
  xdotool mousemove "$x" "$y"
  xdotool click --repeat "$2" --delay 120 1
}

qm_clipboard() { xclip -selection clipboard -o 2>/dev/null; }
# qm_expect_clipboard TEXT [WHAT]: waits until the clipboard holds TEXT.
qm_expect_clipboard() {
  qm_wait_until 10 bash -c '[ "$(xclip -selection clipboard -o 2>/dev/null)" = "$1" ]' _ "$1" ||
    qm_fail "${2:-clipboard}: clipboard holds '$(qm_clipboard)', expected '$1'"
}

# qm_click_in CLASS X Y: clicks the point X,Y of the window of that class.
qm_click_in() {
  local l t; read -r l t _ < <(qm_probe rect "$1"); xdotool mousemove $((l + $2)) $((t + $3)) click 1
}
# Places from the default skin's size table: qm_place KEY prints "left,top,width,height";
# qm_press_in CLASS KEY presses the button placed by KEY.
QM_SIZES="$QM_BIN/../skins/Default/Sizes.dat"
qm_place() { tr -d '\r' <"$QM_SIZES" | grep -o "^$1\[[0-9,]*\]" | tr -dc '0-9,'; }
qm_press_in() { local l t w; IFS=, read -r l t w _ <<<"$(qm_place "$2")"; qm_click_in "$1" $((l + w / 2)) $((t + 12)); }

# qm_edit_target: another program in front with an edit box; its handle in QM_EDIT.
qm_edit_target() {
  qm_helper "$QM_DIR/target.txt" edit-target "$QM_DIR/target.txt"
  QM_EDIT=$(head -n1 "$QM_DIR/target.txt")
  qm_wait_until 5 qm_foreground_is QMTarget || qm_fail "target not in front"
  sleep 0.2   # two ticks of the 50 ms watcher, which remembers the target
}
# qm_refocus_target: the target back in front, remembered by the watcher.
qm_refocus_target() { wine "$QM_PROBE" focus-target >/dev/null 2>&1; sleep 0.2; }
qm_target_text() { wine "$QM_PROBE" gettext "$QM_EDIT"; }
qm_target_has() { [ "$(qm_target_text)" = "$1" ]; }
# qm_paste_until TEXT ACTION...: runs ACTION (a paste) until the target holds TEXT. Under Wine without
# a window manager the keys sometimes reach the target before its thread has taken the focus back,
# and the paste is lost. The target keeps its old text then, so trying again cannot hide a paste
# that lands twice or lands wrong.
qm_paste_until() {
  local want=$1 before attempt; shift; before=$(qm_target_text)
  for attempt in 1 2 3; do
    "$@"
    qm_wait_until 3 qm_target_has "$want" && return 0
    [ "$(qm_target_text)" = "$before" ] || break
    echo "paste attempt $attempt: target unchanged" >&2
    qm_refocus_target
  done
  qm_fail "target holds '$(qm_target_text)'; in front: $(qm_probe foreground); clipboard: '$(qm_clipboard)'"
}

# qm_key VK: one press of a key; qm_with_keys "VK..." COMMAND...: holds the keys down (as the
# keyboard would) while COMMAND runs.
qm_key() { wine "$QM_PROBE" key "$1" down; wine "$QM_PROBE" key "$1" up; }
qm_with_keys() {
  local k keys=$1; shift
  for k in $keys; do wine "$QM_PROBE" key "$k" down; done
  "$@"
  for k in $keys; do wine "$QM_PROBE" key "$k" up; done
}
