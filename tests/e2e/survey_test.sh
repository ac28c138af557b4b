#!/usr/bin/env bash
# "/uninstall" shows only the survey. Reason 3 with a comment holding "&", spaces and Cyrillic
# reaches the server exactly as typed; the close button sends nothing; with no server reachable
# OK still ends the program cleanly. The prefix's proxy points at a recording server of our own.
source "$(dirname "$0")/lib.sh"
INET='HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings'
# The server logs each request line to stderr; it serves an empty folder, so every answer is 404.
mkdir "$QM_DIR/www"
python3 -u -m http.server --bind 127.0.0.1 --directory "$QM_DIR/www" 0 >"$QM_DIR/port" 2>"$QM_DIR/server.log" &
SERVER=$!
requests() { sed -n 's/.*"\(GET [^"]*\)".*/\1/p' "$QM_DIR/server.log"; }
survey_cleanup() {
  kill "$SERVER" 2>/dev/null || true
  wine reg delete "$INET" /v ProxyEnable /f >/dev/null 2>&1 || true
  wine reg delete "$INET" /v ProxyServer /f >/dev/null 2>&1 || true
  qm_cleanup
}
trap survey_cleanup EXIT
qm_wait_until 10 grep -q 'port [0-9]' "$QM_DIR/port" || qm_fail "the recording server did not start"
use_proxy() {
  wine reg add "$INET" /v ProxyEnable /t REG_DWORD /d 1 /f >/dev/null 2>&1
  wine reg add "$INET" /v ProxyServer /t REG_SZ /d "127.0.0.1:$1" /f >/dev/null 2>&1
}
use_proxy "$(grep -o 'port [0-9]*' "$QM_DIR/port" | cut -d' ' -f2)"

start_survey() {
  qm_launch /uninstall
  qm_wait_until 20 qm_visible QuillmateUninstall || qm_fail "no survey window"
}
click_at() { qm_click_in QuillmateUninstall "$@"; }
reason() { click_at 32 $((66 + 20 * ($1 - 1))); }
press_ok() { click_at 178 184; }
wait_end() { qm_ended "the survey did not end the program"; }

start_survey
reason 3
printf 'Too slow & big, слишком\r' > "$QM_DIR/comment.txt"
wine "$QM_PROBE" type QuillmateUninstall "$QM_DIR/comment.txt" || qm_fail "no comment box"
press_ok
wait_end
want='GET http://www.quillmate.com/stats/uninstall.php?r=3&d=Too%20slow%20%26%20big%2C%20%D1%81%D0%BB%D0%B8%D1%88%D0%BA%D0%BE%D0%BC HTTP/1.1'
# (Wine's proxy request names the default port as well)
[ "$(requests | sed 's#quillmate.com:80/#quillmate.com/#')" = "$want" ] || qm_fail "server saw: $(cat "$QM_DIR/server.log")"
[ -f "$QM_DIR/Log.txt" ] && qm_fail "the survey started the program (a log was written)"

start_survey
reason 1
click_at 333 13   # the close button
wait_end
[ "$(requests | wc -l)" = 1 ] || qm_fail "closing sent a request: $(requests | tail -1)"

kill "$SERVER"
use_proxy 9   # nothing listens there
start_survey
reason 2
press_ok
wait_end
wait "$QM_PID" || qm_fail "with no server the program ended with code $?"
echo "survey: ok"
