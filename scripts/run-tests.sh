#!/usr/bin/env bash
# Runs every test that `make test` builds and ends with one line
# "N passed, N failed" over all of them; exits non-zero on any failure.
set -uo pipefail
KORVO_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$KORVO_ROOT"
source scripts/wine-env.sh

passed=0
failed=0
failed_suites=()
mkdir -p build/test-logs
rm -rf build/screenshots

# Runs one GoogleTest executable and adds its counts. A run that dies before
# its summary (a sanitizer report, a crash) counts as one failure.
run_gtest() {
  local name=$1; shift
  local log="build/test-logs/$name.log"
  "$@" >"$log" 2>&1 </dev/null
  local rc=$?
  local p f
  p=$(grep -aoE '^\[  PASSED  \] [0-9]+' "$log" | grep -oE '[0-9]+$' | tail -1)
  f=$(grep -aoE '^\[  FAILED  \] [0-9]+ tests?, listed' "$log" | grep -oE '^\[  FAILED  \] [0-9]+' | grep -oE '[0-9]+$' | tail -1)
  p=${p:-0}; f=${f:-0}
  # A run that died before its summary (a crash under Wine may still end with 0) failed.
  if { [ "$rc" -ne 0 ] || ! grep -aq '^\[==========\] .* ran\.' "$log"; } && [ "$f" -eq 0 ]; then f=1; fi
  passed=$((passed + p)); failed=$((failed + f))
  if [ "$f" -ne 0 ]; then
    failed_suites+=("$name")
    echo "FAILED: $name (log: $log)"
    grep -aE '^\[  FAILED  \]|ERROR: AddressSanitizer|WARNING: ThreadSanitizer|runtime error|^\[ WATCHDOG \]|^  window "' "$log" | head -20
    # A run that never reached its summary: the test it was in.
    grep -aq '^\[==========\] .* ran\.' "$log" || grep -a '^\[ RUN      \]' "$log" | tail -1
    grep -aE '^Unhandled exception' "$log" | head -3
    grep -aA16 '^Backtrace:' "$log" | head -17
    # What each failed check said: a failure seen only on a CI machine can be read from its output alone.
    grep -aE -A8 ': Failure$' "$log" | head -60
  else
    echo "ok: $name ($p tests)"
  fi
}

# Native suites (AddressSanitizer and UBSan).
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for t in build/native/test_*; do
  [ -x "$t" ] || continue
  run_gtest "$(basename "$t")" "$t"
done

# The tests that start threads (list loader, waiting and stopping MAME,
# captured runs, the Check ROM Set task) again under ThreadSanitizer: a data
# race makes the run exit non-zero, which counts as a failure.
export TSAN_OPTIONS=halt_on_error=0:second_deadlock_stack=1
tsan_suites=(
  "test_launch:CapturedRun.*:GameListLoader.*:Play.*:Frontend.*"
  "test_romcheck:RomCheckReport.*"
  "test_romaudit:CollectionAudit.*:MameAgreement.*:HashPipe.*"
)
for suite in "${tsan_suites[@]}"; do
  exe=build/tsan/${suite%%:*}
  [ -x "$exe" ] || continue
  run_gtest "tsan-${suite%%:*}" "$exe" --gtest_filter="${suite#*:}"
done

# Fuzz targets replay their seed corpora (and any crash reproducers kept there).
for f in build/native/*_fuzz; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  corpus="fuzz/corpus/${name%_fuzz}"
  if "$f" "$corpus" >"build/test-logs/$name.log" 2>&1 </dev/null; then
    passed=$((passed + 1)); echo "ok: $name (corpus replay)"
  else
    failed=$((failed + 1)); failed_suites+=("$name"); echo "FAILED: $name (log: build/test-logs/$name.log)"
  fi
done

# Windows suites under Wine, with a virtual display for the window tests.
if [ -f build/windows/korvo_win_tests.exe ]; then
  prepare_wine_prefix
  set_wine_dpi 96  # a run broken off below may have left another
  [ -n "${DISPLAY:-}" ] || start_virtual_display
  export KORVO_WIN_BUILD="$KORVO_ROOT/build/windows"
  # Each test has its own time limit (the watchdog in the tests); this one ends
  # a run that hangs outside any test, so that the suite always ends.
  run_gtest korvo_win_tests timeout -k 30 1200 wine build/windows/korvo_win_tests.exe
  wineserver -k 2>/dev/null || true
  stop_virtual_display
  # The tests named "...AtScreenDpi" again with the screen at 150 % and 200 %,
  # on virtual screens of the sizes such machines have.
  for run in 144:1920x1200 192:2560x1600; do
    set_wine_dpi "${run%%:*}"
    start_virtual_display "${run#*:}"
    run_gtest "korvo_win_tests-${run%%:*}dpi" timeout -k 30 600 wine build/windows/korvo_win_tests.exe --gtest_filter='*AtScreenDpi'
    wineserver -k 2>/dev/null || true
    stop_virtual_display
  done
  set_wine_dpi 96
  # The window tests leave BMP screenshots; keep them as PNG for a person's eye.
  for bmp in build/screenshots/*.bmp; do
    [ -f "$bmp" ] || continue
    convert "$bmp" -alpha off "${bmp%.bmp}.png" 2>/dev/null && rm -f "$bmp"
  done
fi

# The release zip (make dist) built twice: the same bytes, exactly its five files, one version.
if [ -f build/windows/korvo.exe ]; then
  if tools/make_dist.py --check >build/test-logs/dist.log 2>&1; then
    passed=$((passed + 1)); echo "ok: dist (the release zip twice)"
  else
    failed=$((failed + 1)); failed_suites+=("dist"); echo "FAILED: dist (log: build/test-logs/dist.log)"
    cat build/test-logs/dist.log
  fi
fi

if [ ${#failed_suites[@]} -gt 0 ]; then echo "Failing: ${failed_suites[*]}"; fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
