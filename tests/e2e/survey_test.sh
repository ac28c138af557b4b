#!/usr/bin/env bash
# "/uninstall" shows only the survey. Reason 3 with a comment holding "&", spaces and Cyrillic
# reaches the server exactly as typed; the close button sends nothing; with no server reachable
# OK still ends the program cleanly. The prefix's proxy points at a recording server of our own.
source "$(dirname "$0")/lib.sh"
INET='HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings'
REQUESTS="$QM_DIR/requests.txt"
: > "$REQUESTS"
python3 - "$QM_DIR/port" "$REQUESTS" <<'PY' &
import http.server, sys
class Recorder(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        with open(sys.argv[2], "a") as f:
            f.write(self.requestline + "\n")
        self.send_response(200)
        self.end_headers()
        self.wfile.write(b"thanks")
    def log_message(self, *a):
        pass
server = http.server.HTTPServer(("127.0.0.1", 0), Recorder)
open(sys.argv[1], "w").write(str(server.server_port))
server.serve_forever()
PY
SERVER=$!
survey_cleanup() {
  kill "$SERVER" 2>/dev/null || true
  wine reg delete "$INET" /v ProxyEnable /f >/dev/null 2>&1 || true
  wine reg delete "$INET" /v ProxyServer /f >/dev/null 2>&1 || true
  qm_cleanup
}
trap survey_cleanup EXIT
qm_wait_until 10 test -s "$QM_DIR/port" || qm_fail "the recording server did not start"
use_proxy() {
  wine reg add "$INET" /v ProxyEnable /t REG_DWORD /d 1 /f >/dev/null 2>&1
  wine reg add "$INET" /v ProxyServer /t REG_SZ /d "127.0.0.1:$1" /f >/dev/null 2>&1
}
use_proxy "$(cat "$QM_DIR/port")"

survey_visible() { [ "$(wine "$QM_PROBE" visible QuillmateUninstall | tr -d '\r')" = 1 ]; }
start_survey() {
  (cd "$QM_DIR" && exec wine Quillmate.exe /uninstall >/dev/null 2>&1) &
  QM_PID=$!
  QM_PIDS+=("$QM_PID")
  qm_wait_until 20 survey_visible || qm_fail "no survey window"
  read -r SX SY _ < <(wine "$QM_PROBE" rect QuillmateUninstall | tr -d '\r')
}
click_at() { xdotool mousemove $((SX + $1)) $((SY + $2)) click 1; }
reason() { click_at 32 $((66 + 20 * ($1 - 1))); }
press_ok() { click_at 178 184; }
wait_end() { qm_wait_until 20 bash -c "! [ -d /proc/$QM_PID ]" || qm_fail "the survey did not end the program"; }

start_survey
reason 3
printf 'Too slow & big, слишком\r' > "$QM_DIR/comment.txt"
wine "$QM_PROBE" type QuillmateUninstall "$QM_DIR/comment.txt" || qm_fail "no comment box"
press_ok
wait_end
want='GET http://www.quillmate.com/stats/uninstall.php?r=3&d=Too%20slow%20%26%20big%2C%20%D1%81%D0%BB%D0%B8%D1%88%D0%BA%D0%BE%D0%BC HTTP/1.1'
# (Wine's proxy request names the default port as well)
[ "$(sed 's#quillmate.com:80/#quillmate.com/#' "$REQUESTS")" = "$want" ] || qm_fail "server saw: $(cat "$REQUESTS")"
[ -f "$QM_DIR/Log.txt" ] && qm_fail "the survey started the program (a log was written)"

start_survey
reason 1
click_at 333 13   # the close button
wait_end
[ "$(wc -l < "$REQUESTS")" = 1 ] || qm_fail "closing sent a request: $(tail -1 "$REQUESTS")"

kill "$SERVER"
use_proxy 9   # nothing listens there
start_survey
reason 2
press_ok
wait_end
wait "$QM_PID" || qm_fail "with no server the program ended with code $?"
echo "survey: ok"
