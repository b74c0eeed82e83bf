#!/usr/bin/env bash
# Runs one transcript case: the program in a fresh directory holding the case's files/, fed
# the case's stdin; then compares stdout, the exit code and every file in the directory.
#
# A case directory holds:
#   stdin      the console input (absent: no input at all)
#   stdout     the expected console output
#   exit       the expected exit code (absent: 0)
#   files/     the files present before the run (optional)
#   expect/    every file expected after the run (absent: the same as files/)
#   args       the command line's arguments, one a line (absent: none, the classic start)
#   cwd        the folder, below the case's directory, to start the program in (absent: the top)
#   filesize   a limit in KiB on every file the program writes, stdout included (optional):
#              writes beyond it fail as on a full disk, on Linux and under wine alike
# With --record first, it writes the case's stdout, exit and expect/ from the run instead, for
# a new case whose files/ and stdin are in place: read every byte it records before committing.
# EMULATOR, when set, is put in front of the program (wine for the Windows build); its output
# then has CR LF line ends and may hold the clear-screen form feed, which are normalised.
set -u
record=0
if [ "$1" = --record ]; then
    record=1
    shift
fi
prog=$(realpath "$1")
case=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/run"
[ -d "$case/files" ] && cp -R "$case/files/." "$work/run/"
input=/dev/null
[ -f "$case/stdin" ] && input="$case/stdin"

args=()
[ -f "$case/args" ] && mapfile -t args <"$case/args"
cwd=.
[ -f "$case/cwd" ] && cwd=$(cat "$case/cwd")
mkdir -p "$work/run/$cwd"
limit=unlimited
[ -f "$case/filesize" ] && limit=$(cat "$case/filesize")
# Ignored, SIGXFSZ no longer kills the program: the write fails with an error instead.
(cd "$work/run/$cwd" && trap '' XFSZ && ulimit -f "$limit" &&
    ${EMULATOR:-} "$prog" "${args[@]}" <"$input" >"$work/stdout")
code=$?
if [ -n "${EMULATOR:-}" ]; then
    sed -i 's/\r$//; s/\x0c//g' "$work/stdout"
fi

expect="$case/expect"
[ -d "$expect" ] || expect="$case/files"
mkdir -p "$work/none"
[ -d "$expect" ] || expect="$work/none"

if [ $record = 1 ]; then
    cp "$work/stdout" "$case/stdout"
    rm -f "$case/exit"
    [ "$code" = 0 ] || echo "$code" >"$case/exit"
    before="$case/files"
    [ -d "$before" ] || before="$work/none"
    rm -rf "$case/expect"
    if ! diff -r "$before" "$work/run" >/dev/null 2>&1; then
        mkdir "$case/expect"
        cp -R "$work/run/." "$case/expect/"
    fi
    exit 0
fi

fail=0
want=0
[ -f "$case/exit" ] && want=$(cat "$case/exit")
if [ "$code" != "$want" ]; then
    echo "exit code: got $code, want $want"
    fail=1
fi
if ! cmp -s "$case/stdout" "$work/stdout"; then
    echo "stdout differs:"
    diff <(cat -A "$case/stdout") <(cat -A "$work/stdout") | head -40
    fail=1
fi
if ! diff -r "$expect" "$work/run" >/dev/null; then
    echo "files differ:"
    diff -r "$expect" "$work/run" | head -40
    fail=1
fi
exit $fail
