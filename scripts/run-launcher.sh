#!/usr/bin/env bash
# Starts korvo.exe under Wine, beside the project's stand-in mame.exe and a
# few made-up ROM zips. With a display it runs until the window is closed.
# Without one it starts Xvfb, waits until the main window shows its game list
# (30 s at most), saves build/screenshot.png and exits 0.
set -euo pipefail
KORVO_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$KORVO_ROOT"
source scripts/wine-env.sh
prepare_wine_prefix

# The launcher keeps its files beside itself: run it from a folder of its own.
run_dir="$KORVO_ROOT/build/run"
mkdir -p "$run_dir"
cp build/windows/korvo.exe "$run_dir/korvo.exe"
[ -f "$run_dir/mame.exe" ] || cp build/windows/tools/fakemame/mame.exe "$run_dir/mame.exe" 2>/dev/null || true

# A few made-up ROM zips in MAME's roms folder, so that some rows show the
# "available" icon and the rest "missing". They hold no real ROM data.
mkdir -p "$run_dir/roms"
for set in ts2 starglad sfexp rvschool sfex2 xevi3dg tekken3 coh1000c coh3002c; do
  [ -f "$run_dir/roms/$set.zip" ] || python3 -c '
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("readme.txt", "A made-up demo zip for Korvo; it holds no ROM data.\n")
' "$run_dir/roms/$set.zip"
done

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec wine "$run_dir/korvo.exe" "$@"
fi

start_virtual_display
trap 'wineserver -k 2>/dev/null || true; stop_virtual_display' EXIT
wine "$run_dir/korvo.exe" "$@" >/dev/null 2>&1 &
launcher=$!

window=""
for _ in $(seq 600); do  # up to 60 s: the first start of a Wine prefix is slow
  window=$(xdotool search --name '^Korvo$' 2>/dev/null | head -1 || true)
  [ -n "$window" ] && break
  if ! kill -0 "$launcher" 2>/dev/null; then
    echo "korvo.exe ended before its window appeared" >&2
    exit 1
  fi
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "no KorvoMain window within 60 s" >&2
  exit 1
fi
# The first start asks the stand-in MAME for its games, which takes a moment.
if ! wine build/windows/wait_for_list.exe 30 >/dev/null 2>&1; then
  echo "the game list did not fill within 30 s; the screenshot shows the window as it is" >&2
fi
sleep 0.5  # let it paint
import -window root build/screenshot.png
echo "Screenshot: build/screenshot.png"
wineserver -k 2>/dev/null || true
exit 0
