# Korvo: `make run` builds and starts the launcher (under Wine on Linux);
# `make test` installs what is missing, builds both configurations and runs every test.
.PHONY: all deps native windows tsan test run fuzz bench fixtures dist docs clean

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
TSAN_TARGETS := test_launch test_romcheck test_romaudit
tsan: deps
	@cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVO_SANITIZE=OFF -DKORVO_TSAN=ON >/dev/null
	@cmake --build build/tsan -j $(JOBS) --target $(TSAN_TARGETS)

test: native windows tsan
	@scripts/run-tests.sh

run: windows
	@scripts/run-launcher.sh

fuzz: deps
	@scripts/fuzz.sh

# Native benchmarks, then the captured run's and the window benchmark under Wine
# (korvo.exe against a trivial window program). A bench that cannot load its data fails.
bench: deps windows
	@cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVO_SANITIZE=OFF >/dev/null
	@cmake --build build/bench -j $(JOBS)
	@cmake --build build/windows -j $(JOBS) --target captured_run_bench
	@failed=0; for b in build/bench/*_bench; do [ -x "$$b" ] || continue; "$$b" || failed=1; done; \
	  echo "Under Wine:"; bash -c 'source scripts/wine-env.sh && prepare_wine_prefix && \
	  wine build/windows/captured_run_bench.exe; wineserver -k 2>/dev/null' || failed=1; \
	  scripts/window-bench.sh || failed=1; scripts/run-win-bench.sh || failed=1; exit $$failed

fixtures:
	@tools/record-fixtures.sh

# The release zip for Windows users: build/dist/korvo-<version>-win64.zip.
dist: windows
	@tools/make_dist.py

# The user's guide's pictures: the screenshots `make test` took, copied into docs/images.
docs:
	@tools/guide_pictures.py

clean:
	rm -rf build
