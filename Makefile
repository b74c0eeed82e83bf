# Thin wrapper over CMake: `make run` converts the bundled example, `make test` runs every test;
# `make win`, `make wintest` and `make bundle` do the same for the Windows program; `make bench`
# measures the conversion against its baseline (see BENCHMARKS.md).
BUILD ?= build
WINBUILD ?= build-win
BENCH_BUILD ?= build-bench
CMAKE_FLAGS ?=
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
TOOLCHAIN := cmake/mingw-w64-x86_64.cmake

.PHONY: all configure run test win wintest bundle bench bench-smoke clean

all: configure
	cmake --build $(BUILD)

configure:
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) $(GENERATOR) $(CMAKE_FLAGS)

run: all
	cd examples && ../$(BUILD)/csv2vdp

test: all
	ctest --test-dir $(BUILD) --output-on-failure -j2

# Cross-built with mingw-w64: $(WINBUILD)/csv2vdp.exe and its tests.
win:
	@test -f $(WINBUILD)/CMakeCache.txt || cmake -S . -B $(WINBUILD) $(GENERATOR) \
		-DCMAKE_TOOLCHAIN_FILE=$(TOOLCHAIN) $(CMAKE_FLAGS)
	cmake --build $(WINBUILD)

# Every test of the Windows build, run under wine.
wintest: win
	bash tests/win/wine_ctest.sh $(WINBUILD) -j2

# The release bundle: $(WINBUILD)/csv2vdp-0.6-beta-win64.zip.
bundle: win
	cmake --build $(WINBUILD) --target package

# Timings come from a Release build of its own, whatever $(BUILD) was configured as.
bench:
	@test -f $(BENCH_BUILD)/CMakeCache.txt || cmake -S . -B $(BENCH_BUILD) $(GENERATOR) \
		-DCMAKE_BUILD_TYPE=Release -DCSV2VDP_TESTS=OFF
	cmake --build $(BENCH_BUILD)
	$(BENCH_BUILD)/bench/csv2vdp_bench $(BENCH_BUILD)/csv2vdp $(BENCH_BUILD)/bench/csv2vdp_baseline
	@if [ -x $(BENCH_BUILD)/bench/csv2vdp_micro ]; then $(BENCH_BUILD)/bench/csv2vdp_micro; \
	else echo "csv2vdp_micro not built: install libbenchmark-dev"; fi

# A few seconds: proves the benchmarks still run, measures nothing worth keeping.
bench-smoke: all
	$(BUILD)/bench/csv2vdp_bench $(BUILD)/csv2vdp $(BUILD)/bench/csv2vdp_baseline \
		--rows 1000,10000 --repeat 1
	@if [ -x $(BUILD)/bench/csv2vdp_micro ]; then $(BUILD)/bench/csv2vdp_micro \
		--benchmark_filter='/10000$$' --benchmark_min_time=0.01; fi

clean:
	rm -rf $(BUILD) $(WINBUILD) $(BENCH_BUILD)
