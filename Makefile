# Thin wrapper over CMake: `make run` converts the bundled example, `make test` runs every test.
BUILD ?= build
CMAKE_FLAGS ?=
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")

.PHONY: all configure run test clean

all: configure
	cmake --build $(BUILD)

configure:
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) $(GENERATOR) $(CMAKE_FLAGS)

run: all
	cd examples && ../$(BUILD)/csv2vdp

test: all
	ctest --test-dir $(BUILD) --output-on-failure -j2

clean:
	rm -rf $(BUILD)
