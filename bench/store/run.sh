#!/usr/bin/env bash
# Prints the clip store's figures: the Windows build under Wine on real files, then the native
# build (a sanitizer build, so slower). Usage: bash bench/store/run.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
WIN=${QM_BUILD_WIN:-build/win}
NAT=${QM_BUILD_NATIVE:-build/native}
cmake --build "$WIN" --target bench_store -j "$(nproc)" >/dev/null
cmake --build "$NAT" --target bench_store -j "$(nproc)" >/dev/null
work=$(mktemp -d /tmp/qm-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh
qm_start_display_and_wine
echo "== Windows build under Wine (ClipStoreWin32: clsFile, FlushFileBuffers, MoveFileEx)"
wine "$WIN/bench/store/bench_store.exe" "$(winepath -w "$work")\\win" 2>&1 | tr -d '\r'
echo "== native build (ClipStoreDisk: stdio, fsync, rename)"
"$NAT/bench/store/bench_store" "$work/native"
