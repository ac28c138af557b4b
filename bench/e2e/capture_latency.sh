#!/usr/bin/env bash
# Prints the capture latency: from another program's clipboard write (xclip) to the clip being in
# Quillmate's history (its "ClipN added." log line), over N copies; median, min and max.
QM_E2E_LIB=${QM_E2E_LIB:-$(dirname "$0")/../../tests/e2e/lib.sh}
source "$QM_E2E_LIB"
N=${QM_BENCH_COPIES:-25}
qm_start /noicon
samples=()
for i in $(seq 0 $((N - 1))); do
  t0=$(date +%s%N)
  printf 'latency sample %s' "$i" | xclip -selection clipboard -quiet >/dev/null 2>&1 &
  QM_XCLIPS+=($!)
  until grep -qF "Clip$i added." "$QM_DIR/Log.txt"; do
    [ $(( $(date +%s%N) - t0 )) -lt 10000000000 ] || qm_fail "clip $i never arrived"
    sleep 0.001
  done
  t1=$(date +%s%N)
  samples+=($(( (t1 - t0) / 1000 )))
done
qm_exit
printf '%s\n' "${samples[@]}" | sort -n | awk -v n="$N" '
  { v[NR] = $1 }
  END {
    med = (n % 2) ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
    printf "capture latency over %d copies: median %.1f ms, min %.1f ms, max %.1f ms\n", n, med / 1000, v[1] / 1000, v[n] / 1000
  }'
