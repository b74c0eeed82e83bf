# Thin wrapper over CMake: `make run` converts the bundled example, `make test` runs every test;
# `make win`, `make wintest` and `make bundle` do the same for the Windows program; `make bench`
# measures the conversion against its baseline (see BENCHMARKS.md); `make asan`,
# `make coverage` and `make fuzz` (or all three: `make robust`) test robustness. Each target first
# checks for cmake, a C++ compiler, ninja and expat, and for what it needs besides (GoogleTest,
# mingw-w64 and wine, clang 14, gcovr, Google Benchmark), and installs what is missing with
# apt-get: tools/setup.sh, which names what it could not install.
BUILD ?= build
WINBUILD ?= build-win
BENCH_BUILD ?= build-bench
CMAKE_FLAGS ?=
# Looked up by the shell when a build is configured, after the set-up may have installed ninja.
GENERATOR = $$(command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
TOOLCHAIN := cmake/mingw-w64-x86_64.cmake
SETUP = bash tools/setup.sh
# Debian's expat revision for the Windows build when the installed one's cannot be fetched
# (tools/expat_win.sh says so and names the one it found); `newest` takes the newest served.
EXPAT_WIN_REVISION ?=

# $(call configure,DIR,CMAKE ARGUMENTS): configures DIR unless that was done. A configure that
# fails takes back what it made (the whole folder, or the cache in a folder that was there),
# so that the next run configures again instead of building a broken folder.
configure_in = test -f $(1)/CMakeCache.txt || { fresh=1; [ -d $(1) ] && fresh=0; \
	cmake -S . -B $(1) $(GENERATOR) $(2) || { if [ $$fresh = 1 ]; then rm -rf $(1); \
	else rm -rf $(1)/CMakeCache.txt $(1)/CMakeFiles; fi; exit 1; }; }

.PHONY: all setup configure run test win wintest bundle bench bench-smoke asan coverage fuzz robust \
	mutants clean

all: configure
	cmake --build $(BUILD)

# make test wants GoogleTest and the picture tools too (a target's variables reach its
# prerequisites).
SETUP_ARGS =
test: SETUP_ARGS = --tests --rsvg
setup:
	@bash tools/setup.sh $(SETUP_ARGS)

configure: setup
	@$(call configure_in,$(BUILD),$(CMAKE_FLAGS))

run: all
	cd examples && ../$(BUILD)/csv2vdp

# A build configured before GoogleTest was installed has no tests yet: configure it again.
test: all
	@test -e $(BUILD)/tests/csv2vdp_tests || { cmake $(BUILD) && cmake --build $(BUILD); }
	ctest --test-dir $(BUILD) --output-on-failure -j2

# Cross-built with mingw-w64: $(WINBUILD)/csv2vdp.exe and its tests.
# expat comes from Debian's source package, built statically first (quick once it is there); a
# build folder configured before expat was needed is configured again.
win:
	@$(SETUP) --tests --win
	@EXPAT_WIN_REVISION='$(EXPAT_WIN_REVISION)' bash tools/expat_win.sh $(WINBUILD)/expat
	@grep -qs '^CSV2VDP_EXPAT_ROOT:PATH=.' $(WINBUILD)/CMakeCache.txt || \
		rm -rf $(WINBUILD)/CMakeCache.txt $(WINBUILD)/CMakeFiles
	@$(call configure_in,$(WINBUILD),-DCMAKE_TOOLCHAIN_FILE=$(TOOLCHAIN) \
		-DCSV2VDP_EXPAT_ROOT=$(abspath $(WINBUILD))/expat $(CMAKE_FLAGS))
	cmake --build $(WINBUILD)

# Every test of the Windows build, run under wine.
wintest: win
	bash tests/win/wine_ctest.sh $(WINBUILD) -j2

# The release bundle: $(WINBUILD)/csv2vdp-0.6-beta-win64.zip.
bundle: win
	cmake --build $(WINBUILD) --target package

# Timings come from a Release build of its own, whatever $(BUILD) was configured as.
bench:
	@$(SETUP) --bench
	@$(call configure_in,$(BENCH_BUILD),-DCMAKE_BUILD_TYPE=Release -DCSV2VDP_TESTS=OFF)
	cmake --build $(BENCH_BUILD)
	$(BENCH_BUILD)/bench/csv2vdp_bench $(BENCH_BUILD)/csv2vdp $(BENCH_BUILD)/bench/csv2vdp_baseline
	@if [ -x $(BENCH_BUILD)/bench/csv2vdp_micro ]; then $(BENCH_BUILD)/bench/csv2vdp_micro; \
	else echo "csv2vdp_micro not built: install libbenchmark-dev"; fi
	$(BENCH_BUILD)/bench/csv2vdp_xmlbench --dives 10 --waypoints 10000 --repeat 5

# A few seconds: proves the benchmarks still run, measures nothing worth keeping.
bench-smoke: all
	$(BUILD)/bench/csv2vdp_bench $(BUILD)/csv2vdp $(BUILD)/bench/csv2vdp_baseline \
		--rows 1000,10000 --repeat 1
	@if [ -x $(BUILD)/bench/csv2vdp_micro ]; then $(BUILD)/bench/csv2vdp_micro \
		--benchmark_filter='/10000$$' --benchmark_min_time=0.01; fi
	$(BUILD)/bench/csv2vdp_xmlbench --dives 2 --waypoints 1000 --repeat 1

# Robustness: every test under AddressSanitizer and UBSan; line coverage of src/ with a floor;
# the three fuzz targets (FUZZ_SECONDS each at least, FUZZ_RUNS executions each at least).
FUZZ_SECONDS ?= 60
FUZZ_RUNS ?= 500000

asan:
	@$(SETUP) --tests
	@$(call configure_in,$(BUILD)-asan,-DCSV2VDP_SANITIZE=ON $(CMAKE_FLAGS))
	cmake --build $(BUILD)-asan
	ctest --test-dir $(BUILD)-asan --output-on-failure -j2

# Branches that only a throw takes, or that the compiler proves unreachable, are left out.
coverage:
	@$(SETUP) --tests --gcovr
	@$(call configure_in,$(BUILD)-cov,-DCSV2VDP_COVERAGE=ON -DCMAKE_BUILD_TYPE=Debug $(CMAKE_FLAGS))
	find $(BUILD)-cov -name '*.gcda' -delete
	cmake --build $(BUILD)-cov
	ctest --test-dir $(BUILD)-cov --output-on-failure -j2
	gcovr -r . --filter 'src/' --exclude 'src/platform/.*_win.cpp' --exclude-throw-branches \
		--exclude-unreachable-branches --print-summary --fail-under-line 95 \
		--fail-under-branch 90 $(BUILD)-cov

# clang 14 as the set-up installs it; CMAKE_FLAGS may name another.
fuzz:
	@$(SETUP) --clang
	@$(call configure_in,$(BUILD)-fuzz,-DCMAKE_CXX_COMPILER=clang++-14 -DCSV2VDP_FUZZ=ON \
		-DCSV2VDP_TESTS=OFF -DCSV2VDP_BENCH=OFF $(CMAKE_FLAGS))
	cmake --build $(BUILD)-fuzz
	bash tests/fuzz/run_fuzz.sh $(BUILD)-fuzz $(FUZZ_SECONDS) $(FUZZ_RUNS)

robust: asan coverage fuzz

# One-line faults in the rules (tests/mutants.txt), each applied alone to a scratch copy: every
# one must fail a unit or transcript test. Some minutes; .ci/run leaves it out.
mutants:
	@$(SETUP) --tests
	bash tests/mutants.sh


clean:
	rm -rf $(BUILD) $(WINBUILD) $(BENCH_BUILD) $(BUILD)-asan $(BUILD)-cov $(BUILD)-fuzz
