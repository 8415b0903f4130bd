#!/usr/bin/env bash
# Builds every fuzz target with clang's libFuzzer and runs each for a short
# time (FUZZ_SECONDS, 30 by default) from its seed corpus. New findings land
# in build/fuzz/<target>/; copy a crash into fuzz/corpus/<target>/ once fixed.
set -euo pipefail
KORVO_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$KORVO_ROOT"
seconds=${FUZZ_SECONDS:-30}
out=build/fuzz
mkdir -p "$out"
flags="-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -Isrc"
status=0
for target in fuzz/*_fuzz.cpp; do
  name=$(basename "$target" .cpp)
  short=${name%_fuzz}
  # The sources a target needs: every portable file of every module.
  sources=$(ls src/*/*.cpp | grep -v -E '_win\.cpp$' )
  echo "building $name"
  clang++ $flags "$target" $sources -o "$out/$name" -lpthread
  mkdir -p "$out/$short-corpus"
  echo "fuzzing $name for ${seconds}s"
  if ! "$out/$name" -max_total_time="$seconds" -artifact_prefix="$out/$short-" \
       "$out/$short-corpus" "fuzz/corpus/$short" >"$out/$name.log" 2>&1; then
    echo "FOUND A FAULT in $name: see $out/$name.log"; status=1
  else
    echo "clean: $name ($(grep -oE '#[0-9]+' "$out/$name.log" | tail -1 | tr -d '#') runs)"
  fi
done
exit $status
