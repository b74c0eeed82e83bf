#!/usr/bin/env bash
# Makes sure the build tools and expat are there, and installs the missing ones with apt-get on
# Debian or Ubuntu. Run by make before every build; flags ask for more:
#   --tests  GoogleTest               --win    mingw-w64, wine and dpkg-dev (the Windows build)
#   --clang  clang 14 and its fuzzer runtime   --gcovr  gcovr (coverage)
#   --bench  Google Benchmark          --rsvg   rsvg-convert and xmllint (pictures)
# Silent and quick when nothing is missing; exit 0 when everything is there in the end, else
# the names of what is missing and the command that would install it.
set -u

with_tests=0 with_win=0 with_clang=0 with_gcovr=0 with_bench=0 with_rsvg=0
for flag in "$@"; do
    case $flag in
    --tests) with_tests=1 ;;
    --win) with_win=1 ;;
    --clang) with_clang=1 ;;
    --gcovr) with_gcovr=1 ;;
    --bench) with_bench=1 ;;
    --rsvg) with_rsvg=1 ;;
    *)
        echo "setup: unknown flag $flag (known: --tests --win --clang --gcovr --bench --rsvg)" >&2
        exit 2
        ;;
    esac
done
# Where the build finds GoogleTest: the installed library, or the sources Debian ships.
gtest_files=${CSV2VDP_GTEST_FILES:-/usr/include/gtest/gtest.h /usr/src/googletest/CMakeLists.txt}
# expat's header, which comes with the library the program links (the XML logs).
expat_files=${CSV2VDP_EXPAT_FILES:-/usr/include/expat.h}
# libFuzzer, which clang links into the fuzz targets.
clangrt_files=${CSV2VDP_CLANGRT_FILES:-$(echo /usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a)}
benchmark_files=${CSV2VDP_BENCHMARK_FILES:-/usr/include/benchmark/benchmark.h}

have() { command -v "$1" >/dev/null 2>&1; }

have_compiler() {
    if [ -n "${CXX:-}" ]; then
        have "${CXX%% *}"
        return
    fi
    have c++ || have g++ || have clang++
}

any_of() {
    local f
    for f in "$@"; do
        [ -e "$f" ] && return 0
    done
    return 1
}

# need NAME PACKAGES... when the last check failed: adds to the lists of what is missing.
need() {
    missing+=("$1")
    shift
    packages+=("$@")
}

# Fills the lists of what is missing: tool names for the message, Debian packages to install.
find_missing() {
    missing=()
    packages=()
    have cmake || need cmake cmake
    have_compiler || need "a C++ compiler" g++
    have ninja || need ninja ninja-build
    any_of $expat_files || need expat libexpat1-dev
    if [ $with_tests = 1 ]; then
        any_of $gtest_files || need GoogleTest libgtest-dev
    fi
    if [ $with_win = 1 ]; then
        have x86_64-w64-mingw32-g++-posix || need mingw-w64 g++-mingw-w64-x86-64
        have wine || need wine wine wine64
        have dpkg-source || need dpkg-source dpkg-dev
    fi
    if [ $with_clang = 1 ]; then
        have clang++-14 || need "clang 14" clang-14
        any_of $clangrt_files || need "clang's fuzzer runtime" libclang-rt-14-dev
    fi
    if [ $with_gcovr = 1 ]; then
        have gcovr || need gcovr gcovr
    fi
    if [ $with_bench = 1 ]; then
        any_of $benchmark_files || need "Google Benchmark" libbenchmark-dev
    fi
    if [ $with_rsvg = 1 ]; then
        have rsvg-convert || need rsvg-convert librsvg2-bin
        have xmllint || need xmllint libxml2-utils
    fi
}

joined() {
    local IFS=,
    local text="$*"
    printf '%s' "${text//,/, }"
}

say() { echo "setup: $*" >&2; }

# Ends make with the command that would have done it.
give_up() {
    local install="apt-get install -y ${packages[*]}"
    local command="apt-get update && $install"
    if [ "$(id -u)" != 0 ]; then
        command="sudo apt-get update && sudo $install"
        have sudo || command="su -c 'apt-get update && $install'"
    fi
    say "$1"
    say "install them yourself, then run make again:"
    echo "    $command" >&2
    exit 1
}

find_missing
[ ${#missing[@]} = 0 ] && exit 0

say "missing: $(joined "${missing[@]}")"
have apt-get || give_up "there is no apt-get here (not Debian or Ubuntu?)"
# sudo would reset the environment: the frontend goes through env.
run=(env DEBIAN_FRONTEND=noninteractive)
if [ "$(id -u)" != 0 ]; then
    have sudo || give_up "not root, and there is no sudo"
    run=(sudo "${run[@]}")
fi

say "installing: ${run[*]} apt-get install -y ${packages[*]} (takes a minute or two)"
"${run[@]}" apt-get update -qq || say "apt-get update failed; trying with the lists at hand"
"${run[@]}" apt-get install -y -qq "${packages[@]}" >/dev/null ||
    give_up "apt-get install failed (see above)"
installed=${packages[*]}
hash -r
find_missing
[ ${#missing[@]} = 0 ] || give_up "still missing after the install: $(joined "${missing[@]}")"
say "installed: $installed"
