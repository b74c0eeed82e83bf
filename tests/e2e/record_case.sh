#!/usr/bin/env bash
# Writes a case's expected stdout, exit code and files from a run of the program, for a new
# case whose files/ and stdin are in place. Read every byte it records before committing it.
set -eu
prog=$(realpath "$1")
case=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/run"
[ -d "$case/files" ] && cp -R "$case/files/." "$work/run/"
input=/dev/null
[ -f "$case/stdin" ] && input="$case/stdin"
set +e
limit=unlimited
[ -f "$case/filesize" ] && limit=$(cat "$case/filesize")
(cd "$work/run" && trap '' XFSZ && ulimit -f "$limit" && "$prog" <"$input" >"$case/stdout")
code=$?
set -e
rm -f "$case/exit"
[ "$code" = 0 ] || echo "$code" >"$case/exit"
rm -rf "$case/expect"
mkdir -p "$work/none"
before="$case/files"
[ -d "$before" ] || before="$work/none"
if ! diff -r "$before" "$work/run" >/dev/null 2>&1; then
    mkdir "$case/expect"
    cp -R "$work/run/." "$case/expect/"
fi
