#!/usr/bin/env bash
# The window benchmark under Wine and Xvfb, at 96 and at 144 DPI. It runs in a
# Wine prefix of its own, so that changing the DPI touches nothing the tests use.
# KORVO_BENCH_DPIS picks the DPIs, KORVO_BENCH_STARTS the starts of each kind;
# KORVO_BENCH_MARKS (a Windows path, e.g. 'Z:\tmp\marks.log') collects every
# start's timing marks, to see which phase of a start took the time.
set -euo pipefail
KORVO_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$KORVO_ROOT"
source scripts/wine-env.sh
export WINEPREFIX="$KORVO_ROOT/build/bench-wineprefix"
bench=${KORVO_BENCH_EXE:-build/windows/window_bench.exe}
if [ ! -f "$bench" ]; then
  echo "window bench: $bench is missing (make windows)" >&2
  exit 1
fi
prepare_wine_prefix
# Room for the launcher's default window at 144 DPI (1290 x 1080).
start_virtual_display 1920x1200
trap 'wineserver -k 2>/dev/null || true; stop_virtual_display' EXIT

for dpi in ${KORVO_BENCH_DPIS:-96 144}; do
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 </dev/null
  wineserver -w
  wine "$bench" ${KORVO_BENCH_STARTS:-} </dev/null
  wineserver -w
done
