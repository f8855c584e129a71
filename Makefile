# Everyday entry points; the real work is in CMakePresets.json and scripts/.
.PHONY: all run test build dist bench fuzz soak format clean bootstrap

all: build

bootstrap:
	scripts/bootstrap.sh

# Windows program (and e2e driver) via MinGW-w64, then shown under Wine.
run: bootstrap
	cmake --preset mingw
	cmake --build --preset mingw
	scripts/run.sh

build: bootstrap
	cmake --preset native
	cmake --build --preset native
	cmake --preset mingw
	cmake --build --preset mingw
	cmake --preset fuzz
	cmake --build --preset fuzz

# The portable zip, the installer and their SHA256SUMS (also built by `build`), copied to
# build/dist/: the files SHA256SUMS names, so no earlier version's leftovers come along.
dist: bootstrap
	cmake --preset mingw
	cmake --build --preset mingw --target dist
	rm -rf build/dist
	mkdir -p build/dist
	cp build/mingw/dist/SHA256SUMS $$(sed 's|^[0-9a-f]*  |build/mingw/dist/|' \
		build/mingw/dist/SHA256SUMS) build/dist/
	cd build/dist && sha256sum --check SHA256SUMS
	@ls -l build/dist

# Measures tallyvox.exe against two baseline programs under Wine (about seven minutes) and
# rewrites the table in docs/performance.md.
bench: bootstrap
	cmake --preset mingw
	cmake --build --preset mingw --target tallyvox_bench
	scripts/bench.sh

# libFuzzer targets over the portable code, FUZZ_SECONDS each, FUZZ_JOBS at a time; figures and
# findings under build/fuzz/long/. `make test` runs each for 20 s only.
FUZZ_SECONDS ?= 600
FUZZ_JOBS ?= 2
fuzz: bootstrap
	cmake --preset fuzz
	cmake --build --preset fuzz
	tests/fuzz/fuzz_all.sh build/fuzz $(FUZZ_SECONDS) $(FUZZ_JOBS)

# All eight slots counting and speaking for SOAK_SECONDS under Wine while the program's GDI, USER,
# handle and memory counts are sampled; `make test` runs the same test (e2e.SoakTest) for 60 s.
SOAK_SECONDS ?= 600
soak: bootstrap
	cmake --preset mingw
	cmake --build --preset mingw --target tallyvox_e2e
	TALLYVOX_SOAK_SECONDS=$(SOAK_SECONDS) tests/e2e/run_under_wine.sh build/mingw/tallyvox_e2e.exe \
		--gtest_filter='SoakTest.*'

# Native unit tests and short fuzz runs first, then the e2e tests under Wine; all always run,
# any failing fails.
test: build
	@status=0; \
	ctest --preset native || status=1; \
	ctest --preset fuzz || status=1; \
	ctest --preset mingw || status=1; \
	exit $$status

format:
	@command -v clang-format >/dev/null || { echo "format: install clang-format"; exit 1; }
	find src tests tools -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.hpp' \) \
		-exec clang-format -i {} +

clean:
	rm -rf build
