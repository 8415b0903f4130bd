#!/usr/bin/env bash
# Runs the Windows benchmarks (bench/*_bench_win.cpp, built by `make windows`)
# under Wine, with a virtual display for their windows.
set -uo pipefail
KORVO_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$KORVO_ROOT"
source scripts/wine-env.sh

shopt -s nullglob
benches=(build/windows/*_bench_win.exe)
[ ${#benches[@]} -gt 0 ] || exit 0
prepare_wine_prefix
[ -n "${DISPLAY:-}" ] || start_virtual_display
export KORVO_WIN_BUILD="$KORVO_ROOT/build/windows"
for b in "${benches[@]}"; do
  wine "$b" </dev/null
done
wineserver -k 2>/dev/null || true
stop_virtual_display
