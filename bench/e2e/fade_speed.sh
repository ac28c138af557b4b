#!/usr/bin/env bash
# Prints how long start-up (to the ready log line) and exit take with the default fade speed, the
# slowest speed the options slider stores (30) and the slowest the settings file can hold (1).
QM_E2E_LIB=${QM_E2E_LIB:-$(dirname "$0")/../../tests/e2e/lib.sh}
source "$QM_E2E_LIB"
qm_start /noicon && qm_exit   # writes Data.INI
for speed in 1000 30 1; do
  sed -i "s/^PaiseSpeed=.*/PaiseSpeed=$speed\r/" "$QM_DATA/Data.INI"
  t0=$(date +%s%N)
  qm_start /noicon
  t1=$(date +%s%N)
  qm_exit
  t2=$(date +%s%N)
  echo "PaiseSpeed $speed: start-up $(( (t1 - t0) / 1000000 )) ms, exit $(( (t2 - t1) / 1000000 )) ms"
done
