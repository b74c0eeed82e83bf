#!/usr/bin/env bash
# Makes sure the build tools and expat are there, and installs the missing ones with apt-get on
# Debian or Ubuntu. Run by make before every build; with --tests it wants GoogleTest as well.
# Silent and quick when nothing is missing; exit 0 when everything is there in the end.
set -u

with_tests=0
[ "${1:-}" = --tests ] && with_tests=1
# Where the build finds GoogleTest: the installed library, or the sources Debian ships.
gtest_files=${CSV2VDP_GTEST_FILES:-/usr/include/gtest/gtest.h /usr/src/googletest/CMakeLists.txt}
# expat's header, which comes with the library the program links (the XML logs).
expat_files=${CSV2VDP_EXPAT_FILES:-/usr/include/expat.h}

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

have_gtest() { any_of $gtest_files; }

# Fills the lists of what is missing: tool names for the message, Debian packages to install.
find_missing() {
    missing=()
    packages=()
    have cmake || { missing+=(cmake); packages+=(cmake); }
    have_compiler || { missing+=("a C++ compiler"); packages+=(g++); }
    have ninja || { missing+=(ninja); packages+=(ninja-build); }
    any_of $expat_files || { missing+=(expat); packages+=(libexpat1-dev); }
    if [ $with_tests = 1 ] && ! have_gtest; then
        missing+=(GoogleTest)
        packages+=(libgtest-dev)
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
