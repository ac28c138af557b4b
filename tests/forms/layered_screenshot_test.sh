#!/usr/bin/env bash
# Photographs a layered borderless form over a green backdrop: its magenta (colour key) areas
# must show the backdrop, its image and label their own colours. Needs DISPLAY and WINEPREFIX.
set -euo pipefail
DIR=$(mktemp -d /tmp/qm-layered.XXXXXX)
wine "$1" "$(winepath -w "$DIR")" >/dev/null 2>&1 &
PID=$!
trap 'kill "$PID" 2>/dev/null || true; rm -rf "$DIR"' EXIT
for _ in $(seq 300); do [ -f "$DIR/ready" ] && break; sleep 0.05; done
[ -f "$DIR/ready" ] || { echo "FAIL: the probe never drew its windows"; exit 1; }

import -window root "$DIR/shot.png"
expect() {
  local got; got=$(/usr/bin/convert "$DIR/shot.png" -format "%[pixel:p{$1,$2}]" info:)
  [ "$got" = "$3" ] || { echo "FAIL: pixel ($1,$2) is $got, expected $3 ($4)"; exit 1; }
  echo "ok: ($1,$2) $got $4"
}
expect 400 250 "srgb(0,200,0)" "magenta area of the layered form shows the backdrop"
expect 165 165 "srgb(220,0,0)" "the image"
expect 255 165 "srgb(0,0,220)" "the label"
expect 120 120 "srgb(0,200,0)" "the backdrop beside the layered form"
