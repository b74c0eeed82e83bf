# Thin wrapper over CMake: `make run` converts the bundled example, `make test` runs every test.
BUILD ?= build
CMAKE_FLAGS ?=
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")

.PHONY: all configure run test asan coverage fuzz robust clean

all: configure
	cmake --build $(BUILD)

configure:
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) $(GENERATOR) $(CMAKE_FLAGS)

run: all
	cd examples && ../$(BUILD)/csv2vdp

test: all
	ctest --test-dir $(BUILD) --output-on-failure -j2

# Robustness: every test under AddressSanitizer and UBSan; line coverage of src/ with a floor;
# both fuzz targets (FUZZ_SECONDS each at least, FUZZ_RUNS executions each at least).
FUZZ_SECONDS ?= 60
FUZZ_RUNS ?= 500000

asan:
	@test -f $(BUILD)-asan/CMakeCache.txt || cmake -S . -B $(BUILD)-asan $(GENERATOR) \
		-DCSV2VDP_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD)-asan
	ctest --test-dir $(BUILD)-asan --output-on-failure -j2

coverage:
	@test -f $(BUILD)-cov/CMakeCache.txt || cmake -S . -B $(BUILD)-cov $(GENERATOR) \
		-DCSV2VDP_COVERAGE=ON -DCMAKE_BUILD_TYPE=Debug $(CMAKE_FLAGS)
	cmake --build $(BUILD)-cov
	find $(BUILD)-cov -name '*.gcda' -delete
	ctest --test-dir $(BUILD)-cov --output-on-failure -j2
	gcovr -r . --filter 'src/' --exclude 'src/platform/console_win.cpp' --print-summary \
		--fail-under-line 95 $(BUILD)-cov

fuzz:
	@test -f $(BUILD)-fuzz/CMakeCache.txt || cmake -S . -B $(BUILD)-fuzz $(GENERATOR) \
		-DCMAKE_CXX_COMPILER=clang++ -DCSV2VDP_FUZZ=ON -DCSV2VDP_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD)-fuzz
	bash tests/fuzz/run_fuzz.sh $(BUILD)-fuzz $(FUZZ_SECONDS) $(FUZZ_RUNS)

robust: asan coverage fuzz

clean:
	rm -rf $(BUILD) $(BUILD)-asan $(BUILD)-cov $(BUILD)-fuzz
