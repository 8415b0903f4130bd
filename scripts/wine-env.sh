# Sourced by the scripts that run Windows programs: a private Wine prefix
# inside the build folder and a virtual display when there is no real one.
KORVO_ROOT=${KORVO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX="$KORVO_ROOT/build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

KORVO_XVFB_PID=""
start_virtual_display() {
  # Xvfb picks a free display number itself and writes it to the pipe, so
  # several checkouts can run their window tests at the same time. The
  # optional argument is the screen size (WIDTHxHEIGHT).
  local fifo n="" size=${1:-1280x1024}
  fifo=$(mktemp -u /tmp/korvo-xvfb.XXXXXX)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  KORVO_XVFB_PID=$!
  read -r -t 20 n <"$fifo" || true
  rm -f "$fifo"
  if [ -z "$n" ]; then
    echo "Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$n"
  for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 0
}
stop_virtual_display() {
  [ -n "$KORVO_XVFB_PID" ] && kill "$KORVO_XVFB_PID" 2>/dev/null || true
}

# The first start of a prefix takes a while; do it once, quietly.
prepare_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1 </dev/null || true
    # Without a window manager (Xvfb) Wine should draw the window frames itself.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null || true
  fi
  # A program that crashes must end with its backtrace on stderr: Wine's crash
  # dialog would wait on a virtual display for a click that never comes.
  if ! grep -q '"ShowCrashDialog"=dword:00000000' "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null || true
    timeout 120 wineserver -w 2>/dev/null || wineserver -k 2>/dev/null || true
  fi
  # Wine maps file names through the locale: without a UTF-8 one, names
  # beyond ASCII cannot be made.
  case "${LC_ALL:-${LC_CTYPE:-${LANG:-}}}" in
    *UTF-8* | *utf8* | *UTF8* | *utf-8*) ;;
    *) export LC_ALL=C.UTF-8 ;;
  esac
}

# The screen's DPI that Wine reports to programs (LogPixels); it takes effect
# for the programs of the next wineserver.
set_wine_dpi() {
  wineserver -k 2>/dev/null || true
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 </dev/null || true
  timeout 120 wineserver -w 2>/dev/null || wineserver -k 2>/dev/null || true
}
