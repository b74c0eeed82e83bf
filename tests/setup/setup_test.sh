#!/usr/bin/env bash
# Runs tools/setup.sh on a PATH of stand-ins: no real tool is looked at and nothing is installed.
# apt-get and sudo only log their arguments (an install adds the stand-ins of every tool), id
# plays root or a user; each case hides some tools and checks the messages and the commands.
set -u
script=$(realpath "$1/tools/setup.sh")
bash=$(command -v bash)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
m=$work/m
# Every tool an install brings.
tools="cmake g++ ninja x86_64-w64-mingw32-g++-posix wine dpkg-source clang++-14 gcovr rsvg-convert xmllint"

stub() {  # stub NAME [BODY]: an executable in the machine's bin/ that runs BODY
    printf '#!%s\n%s\n' "$bash" "${2:-exit 0}" >"$m/bin/$1"
    chmod +x "$m/bin/$1"
}

# machine UID TOOL...: a fresh machine with only the tools named ("gtest": GoogleTest, "expat":
# its header, "clangrt": clang's fuzzer runtime, "benchmark": Google Benchmark's header).
machine() {
    rm -rf "$m" && mkdir -p "$m/bin" && : >"$m/log"
    ln -s "$(command -v env)" "$m/bin/env"
    stub id "echo $1"
    shift
    local tool
    for tool in "$@"; do
        case $tool in
        apt-get) stub apt-get "echo \"apt-get \$* [\$DEBIAN_FRONTEND]\" >>$m/log
[ \"\$1\" = install ] || exit 0
[ -e $m/apt-fails ] && exit 100
: >$m/gtest.h
: >$m/expat.h
: >$m/clangrt.a
: >$m/benchmark.h
for t in $tools; do printf '#!/bin/true\n' >$m/bin/\$t; $(command -v chmod) +x $m/bin/\$t; done" ;;
        sudo) stub sudo "echo \"sudo \$*\" >>$m/log; exec \"\$@\"" ;;
        gtest) : >"$m/gtest.h" ;;
        expat) : >"$m/expat.h" ;;
        clangrt) : >"$m/clangrt.a" ;;
        benchmark) : >"$m/benchmark.h" ;;
        *) stub "$tool" ;;
        esac
    done
}

# expect CODE LINE... after run ARGS...: the exit code, and each LINE in the output or the log.
run() {
    env -i PATH="$m/bin" CSV2VDP_GTEST_FILES="$m/gtest.h" \
        CSV2VDP_EXPAT_FILES="$m/expat.h" CSV2VDP_CLANGRT_FILES="$m/clangrt.a" \
        CSV2VDP_BENCHMARK_FILES="$m/benchmark.h" "$bash" "$script" "$@" >"$m/out" 2>&1
    code=$?
}
expect() {
    local line ok=1
    [ "$code" = "$1" ] || { echo "exit $code, expected $1" && ok=0; }
    shift
    for line in "$@"; do
        grep -qxF -- "$line" "$m/out" "$m/log" || { echo "no line \"$line\"" && ok=0; }
    done
    [ $ok = 1 ] || bad
}
bad() {
    [ -n "${1:-}" ] && echo "$1"
    echo "--- output:" && cat "$m/out" && echo "--- log:" && cat "$m/log"
    exit 1
}

machine 0 apt-get cmake c++ ninja gtest expat
run --tests
expect 0
[ -s "$m/out" ] || [ -s "$m/log" ] && bad "nothing missing, yet something was said or run"

machine 0 apt-get c++ expat
run
expect 0 "setup: missing: cmake, ninja" \
    "setup: installing: env DEBIAN_FRONTEND=noninteractive apt-get install -y cmake ninja-build (takes a minute or two)" \
    "apt-get update -qq [noninteractive]" \
    "apt-get install -y -qq cmake ninja-build [noninteractive]" \
    "setup: installed: cmake ninja-build"

machine 1000 apt-get sudo cmake expat
run --tests
expect 0 "setup: missing: a C++ compiler, ninja, GoogleTest" \
    "sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq" \
    "sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq g++ ninja-build libgtest-dev"

machine 1000 apt-get c++ ninja expat
run
expect 1 "setup: not root, and there is no sudo" \
    "    su -c 'apt-get update && apt-get install -y cmake'"
[ -s "$m/log" ] && bad "apt-get ran without root"

machine 0 c++
run --tests
expect 1 "setup: there is no apt-get here (not Debian or Ubuntu?)" \
    "    apt-get update && apt-get install -y cmake ninja-build libexpat1-dev libgtest-dev"

machine 1000 apt-get sudo cmake ninja expat
: >"$m/apt-fails"
run
expect 1 "setup: apt-get install failed (see above)" \
    "    sudo apt-get update && sudo apt-get install -y g++"

# Everything but expat's header: the library the XML logs need.
machine 0 apt-get cmake c++ ninja gtest
run --tests
expect 0 "setup: missing: expat" "apt-get install -y -qq libexpat1-dev [noninteractive]" \
    "setup: installed: libexpat1-dev"

# The Windows build's tools on a machine with the rest: installed, named in one line.
machine 0 apt-get cmake c++ ninja gtest expat
run --tests --win
expect 0 "setup: missing: mingw-w64, wine, dpkg-source" \
    "apt-get install -y -qq g++-mingw-w64-x86-64 wine wine64 dpkg-dev [noninteractive]" \
    "setup: installed: g++-mingw-w64-x86-64 wine wine64 dpkg-dev"

# Coverage and fuzzing: what is there is left alone, the rest named in the command to run.
machine 1000 apt-get cmake c++ ninja expat gtest clang++-14
run --tests --clang --gcovr
expect 1 "setup: missing: clang's fuzzer runtime, gcovr" \
    "    su -c 'apt-get update && apt-get install -y libclang-rt-14-dev gcovr'"

machine 0 cmake c++ ninja expat
run --bench --rsvg
expect 1 "setup: missing: Google Benchmark, rsvg-convert, xmllint" \
    "    apt-get update && apt-get install -y libbenchmark-dev librsvg2-bin libxml2-utils"

# Everything there, every flag: silent.
machine 0 apt-get cmake c++ ninja gtest expat x86_64-w64-mingw32-g++-posix wine dpkg-source \
    clang++-14 clangrt gcovr benchmark rsvg-convert xmllint
run --tests --win --clang --gcovr --bench --rsvg
expect 0
[ -s "$m/out" ] || [ -s "$m/log" ] && bad "nothing missing, yet something was said or run"

run --coverage
expect 2 "setup: unknown flag --coverage (known: --tests --win --clang --gcovr --bench --rsvg)"

echo "setup: eleven machines, twelve runs, each as expected"
