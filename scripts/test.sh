#!/usr/bin/env bash
# Builds Quillmate (Windows tree and native sanitizer tree) and runs every test.
# Starts its own Xvfb, a fresh 32-bit Wine prefix and a warm wineserver; cleans up only those.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
JOBS=$(nproc)
WIN=${QM_BUILD_WIN:-$ROOT/build/win}
NAT=${QM_BUILD_NATIVE:-$ROOT/build/native}

cmake -S . -B "$WIN" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build "$WIN" -j "$JOBS"
cmake -S . -B "$NAT" -DQM_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$NAT" -j "$JOBS"

# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh
qm_start_display_and_wine
qm_keep_desktop "$WIN/tests/e2e/qmprobe.exe"

status=0
echo "== native tests (sanitizers)"
ctest --test-dir "$NAT" -j "$JOBS" --output-on-failure ${QM_CTEST_ARGS:-} || status=1
echo "== Windows tests (Wine)"
ctest --test-dir "$WIN" -j 4 --output-on-failure ${QM_CTEST_ARGS:-} || status=1
exit $status
