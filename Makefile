# Thin wrapper over CMake: `make run` converts the bundled example, `make test` runs every test;
# `make win`, `make wintest` and `make bundle` do the same for the Windows program.
BUILD ?= build
WINBUILD ?= build-win
CMAKE_FLAGS ?=
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
TOOLCHAIN := cmake/mingw-w64-x86_64.cmake

.PHONY: all configure run test win wintest bundle clean

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

clean:
	rm -rf $(BUILD) $(WINBUILD)
