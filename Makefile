# Korvo: `make run` builds and starts the launcher (under Wine on Linux);
# `make test` installs what is missing, builds both configurations and runs every test.
.PHONY: all deps native windows tsan test run fuzz bench fixtures clean

JOBS ?= $(shell nproc)
# Lets ccache (when installed) share objects between checkouts.
export CCACHE_BASEDIR ?= $(CURDIR)

all: native windows

deps:
	@scripts/install-deps.sh

native: deps
	@cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build build/native -j $(JOBS)

windows: deps
	@cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
	@cmake --build build/windows -j $(JOBS)

# ThreadSanitizer build of the suites whose tests start threads (run-tests.sh
# runs only those tests from it).
TSAN_TARGETS := test_launch test_romcheck
tsan: deps
	@cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVO_SANITIZE=OFF -DKORVO_TSAN=ON >/dev/null
	@cmake --build build/tsan -j $(JOBS) --target $(TSAN_TARGETS)

test: native windows tsan
	@scripts/run-tests.sh

run: windows
	@scripts/run-launcher.sh

fuzz: deps
	@scripts/fuzz.sh

bench: deps windows
	@cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVO_SANITIZE=OFF >/dev/null
	@cmake --build build/bench -j $(JOBS)
	@for b in build/bench/*_bench; do [ -x "$$b" ] && "$$b"; done; true
	@scripts/run-win-bench.sh

fixtures:
	@tools/record-fixtures.sh

clean:
	rm -rf build
