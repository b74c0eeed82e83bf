#!/usr/bin/env bash
# Runs ctest in a Windows build directory under wine: a prefix of the build's own, a
# persistent wineserver and one warm-up start, so that no test waits for wine's services.
# Usage: wine_ctest.sh BUILD_DIR [ctest arguments...]
set -eu
build=$(realpath "$1")
shift
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
export WINEDEBUG=-all
# Wine stores wide file names in the Unix locale's encoding: UTF-8, whatever the caller has.
export LC_ALL=C.UTF-8
# No Mono or Gecko installer dialogs: the program needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="

# A persistent server left by an interrupted run would make the wait below endless.
wineserver -k >/dev/null 2>&1 || true
# The first start creates the prefix; its server must be gone before the persistent one.
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
wineserver -w
# It detaches itself once it listens; stdio on /dev/null, since a server holding ctest's
# pipes would keep ctest waiting.
wineserver -p </dev/null >/dev/null 2>&1
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
wine cmd /c exit </dev/null >/dev/null 2>&1 || true

ctest --test-dir "$build" --output-on-failure "$@"
