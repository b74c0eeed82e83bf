#!/usr/bin/env bash
# Runs tools/setup.sh on a PATH of stand-ins: no real tool is looked at and nothing is installed.
# apt-get and sudo only log their arguments (apt-get "installs" by adding a stand-in), id
# plays root or a user; each case hides some tools and checks the messages and the commands.
set -u
script=$(realpath "$1/tools/setup.sh")
bash=$(command -v bash)
chmod=$(command -v chmod)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0

stub() {  # stub FILE [BODY]: an executable that runs BODY
    printf '#!%s\n%s\n' "$bash" "${2:-exit 0}" >"$1"
    chmod +x "$1"
}

# A fresh machine for one case: bin/ holds the tools named, apt-get when "apt" is among them.
machine() {
    rm -rf "$work/m"
    mkdir -p "$work/m/bin"
    bin=$work/m/bin
    ln -s "$(command -v env)" "$bin/env"
    stub "$bin/id" "echo ${uid:-0}"
    local tool
    for tool in "$@"; do
        case $tool in
        apt) stub "$bin/apt-get" "echo \"apt-get \$* [\$DEBIAN_FRONTEND]\" >>$work/m/log
[ \"\$1\" = install ] || exit 0
[ -e $work/m/apt-fails ] && exit 100
for p in \"\$@\"; do
    case \$p in
    cmake) : >$bin/cmake; $chmod +x $bin/cmake ;;
    g++) : >$bin/g++; $chmod +x $bin/g++ ;;
    ninja-build) : >$bin/ninja; $chmod +x $bin/ninja ;;
    libgtest-dev) [ -e $work/m/apt-half ] || : >$work/m/gtest.h ;;
    esac
done" ;;
        sudo) stub "$bin/sudo" "echo \"sudo \$*\" >>$work/m/log; exec \"\$@\"" ;;
        gtest) : >"$work/m/gtest.h" ;;
        *) stub "$bin/$tool" ;;
        esac
    done
    : >"$work/m/log"
}

# run ARGS...: the script on the stand-ins' PATH alone, nothing else from the environment.
run() {
    env -i PATH="$bin" CSV2VDP_GTEST_FILES="$work/m/gtest.h" "$bash" "$script" "$@" \
        >"$work/m/out" 2>&1
    code=$?
}

expect() {  # expect NAME CODE TEXT...: the exit code, and each TEXT among the lines written
    local name=$1 want=$2 text
    shift 2
    if [ "$code" != "$want" ]; then
        echo "$name: exit $code, expected $want"
        fail=1
    fi
    for text in "$@"; do
        if ! grep -qxF -- "$text" "$work/m/out" "$work/m/log"; then
            echo "$name: no line \"$text\""
            fail=1
        fi
    done
    [ "$fail" = 1 ] && bad
}

bad() {  # bad [WHY]: shows the case's output and log, and fails
    [ -n "${1:-}" ] && echo "$1"
    echo "--- output:" && cat "$work/m/out" && echo "--- log:" && cat "$work/m/log"
    exit 1
}

uid=0
machine apt cmake c++ ninja gtest
run --tests
expect "nothing missing" 0
[ -s "$work/m/out" ] || [ -s "$work/m/log" ] && bad "nothing missing: said or ran something"

machine apt c++
run
expect "root, cmake and ninja missing" 0 \
    "setup: missing: cmake, ninja" \
    "setup: installing: env DEBIAN_FRONTEND=noninteractive apt-get install -y cmake ninja-build (takes a minute or two)" \
    "apt-get update -qq [noninteractive]" \
    "apt-get install -y -qq cmake ninja-build [noninteractive]" \
    "setup: installed: cmake ninja-build"
[ -x "$bin/cmake" ] && [ -x "$bin/ninja" ] || bad "the install never ran"

uid=1000
machine apt sudo cmake
run --tests
expect "a user with sudo, compiler, ninja and GoogleTest missing" 0 \
    "setup: missing: a C++ compiler, ninja, GoogleTest" \
    "sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq" \
    "sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq g++ ninja-build libgtest-dev"
run --tests
expect "the same machine afterwards" 0
[ "$(wc -l <"$work/m/log")" = 4 ] || bad "the second run installed again"

machine apt c++ ninja
run
expect "a user without sudo" 1 \
    "setup: not root, and there is no sudo" \
    "    su -c 'apt-get update && apt-get install -y cmake'"
[ -s "$work/m/log" ] && bad "apt-get ran without root"

uid=0
machine c++
run --tests
expect "no apt-get" 1 \
    "setup: there is no apt-get here (not Debian or Ubuntu?)" \
    "    apt-get update && apt-get install -y cmake ninja-build libgtest-dev"

machine apt cmake ninja
: >"$work/m/apt-fails"
run
expect "the install fails" 1 \
    "setup: apt-get install failed (see above)" \
    "    apt-get update && apt-get install -y g++"

uid=1000
machine apt sudo cmake c++ ninja
: >"$work/m/apt-half"
run --tests
expect "GoogleTest still missing after the install" 1 \
    "setup: still missing after the install: GoogleTest" \
    "    sudo apt-get update && sudo apt-get install -y libgtest-dev"

echo "setup: 8 runs on 7 machines, each as expected"
