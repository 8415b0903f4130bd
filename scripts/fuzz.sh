#!/usr/bin/env bash
# Builds every fuzz target with clang's libFuzzer and runs each for a short
# time (FUZZ_SECONDS, 30 by default) from its seed corpus. Findings land in
# build/fuzz/findings/; once fixed, copy the input into fuzz/corpus/<target>/
# so that `make test` replays it from then on.
set -euo pipefail
KORVO_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$KORVO_ROOT"
seconds=${FUZZ_SECONDS:-30}
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVO_LIBFUZZER=ON >/dev/null
targets=$(cd fuzz && ls *_fuzz.cpp | sed 's/\.cpp$//')
cmake --build build/fuzz -j "$(nproc)" --target $targets
mkdir -p build/fuzz/findings
status=0
for name in $targets; do
  short=${name%_fuzz}
  work="build/fuzz/corpus-$short"
  mkdir -p "$work" "fuzz/corpus/$short"
  if build/fuzz/"$name" -max_total_time="$seconds" -rss_limit_mb=2048 -artifact_prefix="build/fuzz/findings/$short-" \
       "$work" "fuzz/corpus/$short" >"build/fuzz/$name.log" 2>&1; then
    echo "clean: $name, $(grep -oE '^#[0-9]+' "build/fuzz/$name.log" | tail -1 | tr -d '#') runs in ${seconds}s"
  else
    echo "FAULT in $name: see build/fuzz/$name.log and build/fuzz/findings/"; status=1
  fi
done
exit $status
