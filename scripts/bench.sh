#!/usr/bin/env bash
# Builds Quillmate and runs every benchmark; each prints its own figures. Not part of the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
WIN=$ROOT/build/win
NAT=$ROOT/build/native-release
cmake -S . -B "$WIN" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build "$WIN" -j "$(nproc)" >/dev/null
cmake -S . -B "$NAT" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$NAT" -j "$(nproc)" >/dev/null
source scripts/wine-env.sh
qm_start_display_and_wine
export QM_BIN=$WIN/bin QM_PROBE=$WIN/tests/e2e/qmprobe.exe

# Native benchmark programs, then the same under Wine, then the scripted ones.
for b in $(find "$NAT/bench" -maxdepth 3 -type f -name 'bench_*' -perm -u+x 2>/dev/null | sort); do
  echo "== $(basename "$b") (native)"; "$b"
done
for b in $(find "$WIN/bench" -maxdepth 3 -type f -name 'bench_*.exe' 2>/dev/null | sort); do
  echo "== $(basename "$b") (Wine)"; wine "$b"
done
for s in $(find bench -name '*.sh' | sort); do
  echo "== $s"; bash "$s"
done
