#!/usr/bin/env bash
# Hostile conditions: hostile skins, then the uninstall survey against a recording server.
source "$(dirname "$0")/lib.sh"

# Each stage starts from a fresh first start of its own (lib.sh: qm_stage).

# --- Hostile skin folders, names and packages: a "Skin" that links elsewhere or holds foreign
# files, skin names that reach outside "Skins" or name devices, a broken default package, a deep one.
SKIN=$QM_DIR/Skin
set_skin() { sed -i "s/^SkinName=.*/SkinName=${1//\\/\\\\}\r/" "$QM_INI"; }
# The settings load is past the skin folder's deletion, or the program stopped at the skin.
past_skin_cleanup() { qm_log_has "Parametrs --" || ! [ -d "/proc/$QM_PID" ] || qm_dialog Quillmate; }
with_settings() { qm_start && qm_exit; }   # writes Data.INI

# "Skin" links to a folder of the user's: nothing in it is written or deleted. A folder or file link
# inside "Skin" (Wine reports a file link as a plain file) is moved aside with it and left there,
# and the start unpacks and loads the skin afresh.
stage_skin_links() {
with_settings
mkdir "$QM_DIR/victim" && echo "the user's file" > "$QM_DIR/victim/mine.txt"
for link in "$SKIN" "$SKIN/Main" "$SKIN/Sizes.dat"; do
  target=$QM_DIR/victim; [ "${link##*/}" = Sizes.dat ] && target=$QM_DIR/victim/mine.txt
  mkdir -p "$(dirname "$link")" && ln -s "$target" "$link"
  qm_launch
  if [ "$link" = "$SKIN" ]; then
    qm_wait_log ">>> Can't clear the skin folder" 20
    qm_wait_until 20 past_skin_cleanup || qm_fail "start-up did not get past the skin"
  else
    qm_wait_log "may lead out of the skin folder (a link); it was left where it is." 20
    qm_wait_log "End loading skin" 20
  fi
  [ "$(ls -A "$QM_DIR/victim")" = mine.txt ] && [ "$(cat "$QM_DIR/victim/mine.txt")" = "the user's file" ] \
    || qm_fail "the linked folder was changed: $(ls -A "$QM_DIR/victim")"
  qm_end
  rm -r "$SKIN" "$SKIN".old* 2>/dev/null || true
done
}
qm_stage skin_links stage_skin_links

# Names that are no plain file name count as missing, also when a package lies where they point.
stage_skin_names() {
with_settings
cp "$QM_DIR/Skins/Default.skn" "$QM_DIR/x.skn"
for name in '..\x' 'C:x' CON NUL AUX COM1 'con.x'; do
  set_skin "$name"
  qm_launch
  qm_wait_until 20 qm_dialog Quillmate || qm_fail "$name: no 'was not found' message"
  wine "$QM_PROBE" press-enter Quillmate
  qm_wait_log "Parsing comand..." 30
  qm_log_has ">>> Skin package $(winepath -w "$QM_DIR/Skins")\\$name.skn was not found; using the skin Default." \
    || qm_fail "$name: fall-back not logged"
  qm_exit
  grep -q $'^SkinName=Default\r$' "$QM_INI" || qm_fail "$name: the skin name was kept"
done
}
qm_stage skin_names stage_skin_names

# A deep package is removed whole after loading, and so is a file someone left in "Skin", with a log line.
stage_skin_deep() {
with_settings
qm_craft Deep 'leaf=$(printf "d/%.0s" $(seq 200)) && mkdir -p "$leaf" && echo deep > "$leaf/leaf.txt"'
mkdir "$SKIN" && echo stale > "$SKIN/left.txt"
set_skin Deep
qm_start
qm_log_has ">>> The skin folder $(winepath -w "$SKIN") held 1 files Quillmate did not unpack" || qm_fail "foreign files not logged"
qm_log_has "Unpacking skin Deep" || qm_fail "the deep skin was not unpacked"
left=$(compgen -G "$SKIN.old*" || true); [ -e "$SKIN" ] && left+=" $SKIN"
[ -n "$left" ] && qm_fail "the skin folder is left: $left"
qm_exit
}
qm_stage skin_deep stage_skin_deep

# A default package cut short: the log says so (every cut and flipped byte: HostileArchiveTest).
stage_skin_cut_default() {
with_settings
set_skin Default
truncate -s 3000 "$QM_DIR/Skins/Default.skn"
qm_launch
qm_wait_log ">>> Skin package $(winepath -w "$QM_DIR/Skins/Default.skn") could not be unpacked." 20
qm_end
}
qm_stage skin_cut_default stage_skin_cut_default

# --- "/uninstall" shows only the survey. Reason 3 with a comment holding "&", spaces and Cyrillic
# reaches the server exactly as typed; the close button sends nothing; with no server reachable
# OK still ends the program cleanly. The prefix's proxy points at a recording server of our own.
stage_survey() {
INET='HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings'
# The server logs each request line to stderr; it serves an empty folder, so every answer is 404.
mkdir "$QM_DIR/www"
python3 -u -m http.server --bind 127.0.0.1 --directory "$QM_DIR/www" 0 >"$QM_DIR/port" 2>"$QM_DIR/server.log" &
SERVER=$!
requests() { sed -n 's/.*"\(GET [^"]*\)".*/\1/p' "$QM_DIR/server.log"; }
survey_cleanup() {
  kill "$SERVER" "${HOSTILE:-}" 2>/dev/null || true
  wine reg delete "$INET" /v ProxyEnable /f >/dev/null 2>&1 || true
  wine reg delete "$INET" /v ProxyServer /f >/dev/null 2>&1 || true
}
trap survey_cleanup EXIT   # the stage's own subshell: the servers and the proxy go with it
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

# A proxy that never answers, answers a byte every 2 s, sends an endless body, endless headers or
# endless chunks (closing a reply not read to its end may read the rest first): the survey gives up
# within its own limits (12 s for the whole request) and ends cleanly; a few seconds more for the
# program's own end.
python3 -u - "$QM_DIR/mode" >"$QM_DIR/hport" 2>/dev/null <<'PY' &
import socket, sys, threading, time
s = socket.create_server(("127.0.0.1", 0)); print(s.getsockname()[1])
def serve(c):
    c.recv(65536); mode = open(sys.argv[1]).read().strip()
    ok = b"HTTP/1.1 200 OK\r\n"
    c.sendall({"hang": b"", "body": ok + b"\r\n", "chunked": ok + b"Transfer-Encoding: chunked\r\n\r\n"}.get(mode, ok))
    while True:
        if mode in ("hang", "trickle"): time.sleep(2)
        c.sendall({"hang": b"", "trickle": b"X", "body": b"x" * 65536, "chunked": b"10000\r\n" + b"x" * 65536 + b"\r\n"}
                  .get(mode, b"X-Pad: " + b"y" * 4000 + b"\r\n"))
while True: threading.Thread(target=serve, args=(s.accept()[0],), daemon=True).start()
PY
HOSTILE=$!
qm_wait_until 10 grep -q '[0-9]' "$QM_DIR/hport" || qm_fail "the hostile server did not start"
use_proxy "$(cat "$QM_DIR/hport")"
for mode in hang trickle body headers chunked; do
  echo "$mode" > "$QM_DIR/mode"
  start_survey
  reason 1
  press_ok
  t0=$(date +%s)
  qm_wait_until 18 qm_gone "$QM_PID" || qm_fail "$mode: the survey still runs after 18 s"
  wait "$QM_PID" || qm_fail "$mode: the survey ended with code $?"
  echo "$mode: ended after $(( $(date +%s) - t0 )) s"
done
kill "$HOSTILE"

kill "$SERVER"
use_proxy 9   # nothing listens there
start_survey
reason 2
press_ok
wait_end
wait "$QM_PID" || qm_fail "with no server the program ended with code $?"
}
qm_stage survey stage_survey

# --- Hostile clip files: one held open at start, files of several GiB, a journal too large to
# read at once. Nothing saved is lost or changed, and every new clip is saved.
stage_held_clip_file() {
qm_start
i=0; for t in one two three four five; do qm_copy_and_wait "$t" $i; i=$((i + 1)); done
qm_wait_until 10 qm_settled 5 || qm_fail "the five clips did not settle"
qm_exit

# Clip3 is held open by another program at start: four clips show. Three of them are deleted,
# and at the next start, with the file let go, it is back before "five", and stays in the
# history as three more texts are copied.
touch "$QM_CLIPS/Clip3.qms"   # newer than the cache: it is to be read
qm_helper "$QM_DIR/held" hold "$(winepath -w "$QM_CLIPS/Clip3.qms")" "$QM_DIR/held"
qm_start
qm_log_has "Clip3 added." && ! qm_log_has "Clip4 added." || qm_fail "not the four readable clips were loaded"
qm_click_row 1 && qm_with_keys 17 qm_click_row 2 && qm_with_keys 17 qm_click_row 3
qm_key 46   # Delete: "four", "two" and "one" go
qm_wait_log "Removed." 10
qm_exit
qm_end_helpers
qm_start
qm_log_has "Clip1 added." && ! qm_log_has "Clip2 added." || qm_fail "the held clip did not come back"
i=2; for t in a b c; do qm_copy_and_wait "$t" $i; i=$((i + 1)); done
qm_wait_until 20 qm_settled 5 || qm_fail "the history did not settle"
[ "$(for n in 1 2 3 4 5; do qm_clip_text $n; echo -n ,; done)" = "three,five,a,b,c," ] || qm_fail "files: $(ls "$QM_CLIPS")"
! compgen -G "$QM_CLIPS/*.stray" >/dev/null || qm_fail "a clip file was set aside"
qm_exit
}
qm_stage held_clip_file stage_held_clip_file

# Sparse files of 3 GiB (Clip2), 4 GiB and 20 bytes (Clip4) and a cache of 5 GiB: the start
# goes on around them and says so; deleting the oldest clip and copying one leave both files as
# they are, at their numbers.
stage_large_files() {
qm_seed_clips three five a b c
truncate -s 3G "$QM_CLIPS/Clip2.qms"
truncate -s $(( (4 << 30) + 20 )) "$QM_CLIPS/Clip4.qms"
truncate -s 5G "$QM_CLIPS/Clips.cache"
qm_start
[ "$(qm_log_count "Clip file too large to load")" = 2 ] && qm_log_has "Clip cache too large" || qm_fail "the large files were not logged"
qm_log_has "Clip2 added." && ! qm_log_has "Clip3 added." || qm_fail "not the three other clips were loaded"
qm_click_row 2 && qm_key 46   # "three", the oldest, goes
qm_wait_log "Removed." 10
qm_copy_and_wait d 2
qm_wait_until 20 qm_settled 6 || qm_fail "the history did not settle around the large files"
qm_exit
wait "$QM_PID" || qm_fail "the program ended with code $?"
[ "$(stat -c %s "$QM_CLIPS/Clip2.qms")/$(stat -c %s "$QM_CLIPS/Clip4.qms")" = "$((3 << 30))/$(( (4 << 30) + 20 ))" ] \
  || qm_fail "a large file changed: $(ls -l "$QM_CLIPS")"
[ "$(qm_clip_text 3),$(qm_clip_text 5),$(qm_clip_text 6)" = "a,c,d" ] || qm_fail "files: $(ls -l "$QM_CLIPS")"
}
qm_stage large_files stage_large_files

# A journal too large to read at once: six clips of 16 M characters behind two equal small ones,
# so that the first capture renumbers them all and commits about 190 MB; killed meanwhile. With
# a clip file it must write held open, the next start keeps the journal, shows the new history
# from it whole, tells the user once and keeps a new clip in it, and once the file is let go a
# start completes it all; with nothing held, it completes the save and the history is whole.
stage_huge_journal() {
mkdir -p "$QM_CLIPS"
perl -e 'for my $i (1 .. 8) { open(my $f, ">:raw", "$ARGV[0]/Clip$i.qms") or die;
  print $f $i <= 2 ? pack("v*", map ord, split //, "twice") : pack("v*", map ord, split //, "big $i ") . ("a\0" x 16_000_000) }' "$QM_CLIPS"
qm_start /noicon
qm_log_has "Clip6 added." || qm_fail "the big history did not load"
qm_copy "captured before the kill"
end=$((SECONDS + 60))
until [ -e "$QM_CLIPS/Clips.journal" ]; do [ "$SECONDS" -lt "$end" ] || qm_fail "no journal was committed"; done
qm_kill9
[ "$(stat -c %s "$QM_CLIPS/Clips.journal" 2>/dev/null || echo 0)" -gt $((64 << 20)) ] || qm_fail "the kill came after the renumbering"
cp -r "$QM_CLIPS" "$QM_DIR/killed"

touch "$QM_CLIPS/Clip5.qms"   # whether or not a cache was written before the kill, it is to be read
qm_helper "$QM_DIR/held5" hold "$(winepath -w "$QM_CLIPS/Clip5.qms")" "$QM_DIR/held5"
qm_start /noicon
qm_log_has "piece by piece" && qm_log_has "is completed later" || qm_fail "the journal was not kept"
qm_log_has "Clip7 added." && ! qm_log_has "Clip8 added." || qm_fail "not the whole new history loaded"
qm_wait_until 60 qm_dialog Quillmate || qm_fail "the user was not told"
wine "$QM_PROBE" dialog-text Quillmate | grep -q "cannot save the clip history" || qm_fail "told: $(qm_probe dialog-text Quillmate)"
wine "$QM_PROBE" press-enter Quillmate
qm_copy_and_wait "after the kept journal" 8
held_again() { [ "$(qm_log_count "Cannot write clip file: $(winepath -w "$QM_CLIPS/Clip5.qms")")" -ge 3 ]; }
qm_wait_until 60 held_again || qm_fail "the new clip's save did not meet the held file"
qm_dialog Quillmate && qm_fail "told again: $(qm_probe dialog-text Quillmate)"
qm_exit
qm_end_helpers
[ -e "$QM_CLIPS/Clips.journal" ] && ! compgen -G "$QM_CLIPS/*.unfinished*" >/dev/null || qm_fail "files: $(ls "$QM_CLIPS")"
qm_start /noicon
qm_log_has "Completed an interrupted save" && qm_log_has "Clip8 added." && ! qm_log_has "Clip9 added." ||
  qm_fail "the kept journal was not completed"
qm_clip_is 9 "after the kept journal" || qm_fail "the new clip was not saved: $(ls "$QM_CLIPS")"
qm_exit

rm -rf "$QM_CLIPS" && mv "$QM_DIR/killed" "$QM_CLIPS"
qm_start /noicon
qm_log_has "Completed an interrupted save" || qm_fail "the journal was not completed"
qm_log_has "Clip7 added." && ! qm_log_has "Clip8 added." || qm_fail "not the whole new history loaded"
! [ -e "$QM_CLIPS/Clips.journal" ] && qm_clip_is 8 "captured before the kill" || qm_fail "files: $(ls "$QM_CLIPS")"
qm_copy_and_wait "after the completion" 8
qm_wait_until 30 qm_clip_is 9 "after the completion" || qm_fail "the new clip was not saved"
qm_exit
}
qm_stage huge_journal stage_huge_journal

# A history emptied for good (no clips kept over a restart) with Clip3 held open at the start and at
# the exit: no empty place holders are written below it, the next start shows nothing of it, and
# sets Clip3 aside once it is let go.
stage_emptied_held_file() {
qm_start && qm_exit   # writes Data.INI
sed -i 's/^RestoreClips=True/RestoreClips=False/' "$QM_INI"
qm_seed_clips one two three four five
qm_helper "$QM_DIR/held" hold "$(winepath -w "$QM_CLIPS/Clip3.qms")" "$QM_DIR/held"
qm_start
qm_log_has "Clip3 added." && ! qm_log_has "Clip4 added." || qm_fail "not the four readable clips were loaded"
qm_exit
[ -z "$(find "$QM_CLIPS" -name 'Clip*.qms' -size 0)" ] || qm_fail "place holders: $(ls -l "$QM_CLIPS")"
qm_end_helpers
qm_start
qm_log_has "Clip0 added." && qm_fail "a clip of the emptied history came back"
set_aside() { [ -e "$QM_CLIPS/Clip3.qms.stray" ] && ! compgen -G "$QM_CLIPS/Clip*.qms" >/dev/null; }
qm_wait_until 20 set_aside || qm_fail "files: $(ls "$QM_CLIPS")"
[ "$(iconv -f UTF-16LE -t UTF-8 "$QM_CLIPS/Clip3.qms.stray")" = three ] || qm_fail "the held file's text changed"
qm_exit
}
qm_stage emptied_held_file stage_emptied_held_file

# A folder named Clip3.qms is neither a clip nor a gap: the clips on both sides of it load, a new
# clip goes above them, and the folder stays where it is.
stage_folder_clip() {
qm_seed_clips one two three four five
rm "$QM_CLIPS/Clip3.qms" && mkdir "$QM_CLIPS/Clip3.qms"
qm_start
qm_log_has "Clip3 added." && ! qm_log_has "Clip4 added." || qm_fail "not the four clips around the folder were loaded"
qm_copy_and_wait six 4
qm_wait_until 20 qm_settled 6 || qm_fail "the history did not settle"
qm_exit
[ -d "$QM_CLIPS/Clip3.qms" ] && ! compgen -G "$QM_CLIPS/*.stray*" >/dev/null || qm_fail "files: $(ls "$QM_CLIPS")"
[ "$(for n in 1 2 4 5 6; do qm_clip_text $n; echo -n ,; done)" = "one,two,four,five,six," ] || qm_fail "files: $(ls "$QM_CLIPS")"
}
qm_stage folder_clip stage_folder_clip

# The data folder on a small volume (a tmpfs: the stage needs root, and says so when it skips).
# Clip1 holds "small 1", Clip2 to Clip4 12 M characters each, and room is left for their journal
# and 4 MB more: deleting the oldest commits the renumbering and fills the volume as Clip1 takes
# its new text. The user hears that the disk is full; the next start, still full, keeps the
# journal (too large to read at once) and shows the new history whole; with room, the exit
# completes it.
stage_small_volume() {
mkdir -p "$QM_DATA"
if ! mount -t tmpfs -o size=230m tmpfs "$QM_DATA" 2>/dev/null; then
  echo "small_volume: skipped, no tmpfs can be mounted here (needs root)"
  return 0
fi
trap 'umount -l "$QM_DATA"' EXIT   # the stage's own subshell; a program still running keeps it till it ends
mkdir -p "$QM_CLIPS"
perl -e 'for my $i (1 .. 4) { open(my $f, ">:raw", "$ARGV[0]/Clip$i.qms") or die;
  print $f $i == 1 ? pack("v*", map ord, split //, "small 1") : pack("v*", map ord, split //, "big $i ") . ("a\0" x 12_000_000) }' "$QM_CLIPS"
qm_start /noicon
qm_wait_until 60 qm_settled 4 || qm_fail "the history did not settle"
avail=$(df --output=avail -B1 "$QM_DATA" | tail -1)
fallocate -l $(( avail - 3 * 24000012 - 4096 - (4 << 20) )) "$QM_DATA/filler"
qm_click_row 3 && qm_key 46   # "small 1", the oldest, goes
qm_wait_log "Removed." 10
qm_wait_until 60 qm_dialog Quillmate || qm_fail "the user was not told"
told=$(qm_probe dialog-text Quillmate)
full='(Disk full|There is not enough space on the disk)'   # Wine's words, and Windows'
grep -qE "as it is: $full " <<<"$told" || qm_fail "told: $told"
grep -qE "Cannot write clip file: .*Clip1\.qms \($full\)" "$QM_DIR/Log.txt" || qm_fail "the log has no full disk"
wine "$QM_PROBE" press-enter Quillmate
qm_exit
qm_start /noicon
qm_log_has "piece by piece" && qm_log_has "Clip2 added." && ! qm_log_has "Clip3 added." || qm_fail "not the new history, whole"
qm_wait_until 60 qm_dialog Quillmate && wine "$QM_PROBE" press-enter Quillmate
rm "$QM_DATA/filler"
qm_exit
[ "$(stat -c %s "$QM_CLIPS"/Clip{1,2,3}.qms | paste -sd,)" = 24000012,24000012,24000012 ] &&
  ! [ -e "$QM_CLIPS/Clip4.qms" ] && ! [ -e "$QM_CLIPS/Clips.journal" ] || qm_fail "files: $(ls -l "$QM_CLIPS")"
}
qm_stage small_volume stage_small_volume

qm_journey_end
