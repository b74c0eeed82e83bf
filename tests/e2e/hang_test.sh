#!/usr/bin/env bash
# Hang test: every transcript case is run again with its input cut after each of its lines.
# Wherever the input ends, the run must be over within a second: either at a prompt, with the
# output so far followed by the end-of-input message, exit code 255 and no file touched, or,
# when the cut input still held every needed answer, exactly as the full case. A case's
# filesize limit holds here too, as in run_case.sh.
set -u
if [ -n "${EMULATOR:-}" ]; then
    echo "skipped: an emulator's start alone can take a second"
    exit 77
fi
prog=$(realpath "$1")
shift
ended=$'\nERROR: Die Eingabe ist vorzeitig zu Ende.\n'
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
prompts=0

for case in $(for dir in "$@"; do realpath "$dir"/*/; done); do
    case=${case%/}
    [ -f "$case/stdin" ] || continue
    full=$(cat "$case/stdout"; printf x)
    full=${full%x}
    want=0
    [ -f "$case/exit" ] && want=$(cat "$case/exit")
    lines=$(wc -l <"$case/stdin")
    for ((k = 0; k <= lines; k++)); do
        rm -rf "$work/run"
        mkdir "$work/run"
        [ -d "$case/files" ] && cp -R "$case/files/." "$work/run/"
        head -n "$k" "$case/stdin" >"$work/stdin"
        limit=unlimited
        [ -f "$case/filesize" ] && limit=$(cat "$case/filesize")
        args=()
        [ -f "$case/args" ] && mapfile -t args <"$case/args"
        cwd=.
        [ -f "$case/cwd" ] && cwd=$(cat "$case/cwd")
        mkdir -p "$work/run/$cwd"
        (cd "$work/run/$cwd" && trap '' XFSZ && ulimit -f "$limit" &&
            timeout 1 "$prog" "${args[@]}" <"$work/stdin" >"$work/stdout")
        code=$?
        got=$(cat "$work/stdout"; printf x)
        got=${got%x}
        where="$(basename "$case"), input cut after $k lines"
        if [ "$code" = 124 ]; then
            echo "$where: still running after a second"
            fail=1
        elif [ "$code" = 255 ] && [ "${got%"$ended"}" != "$got" ] &&
            [ "${full#"${got%"$ended"}"}" != "$full" ]; then
            prompts=$((prompts + 1))
            before="$case/files"
            [ -d "$before" ] || before="$work/none"
            mkdir -p "$work/none"
            if ! diff -r "$before" "$work/run" >/dev/null; then
                echo "$where: files changed although the input ended"
                fail=1
            fi
        elif [ "$code" != "$want" ] || [ "$got" != "$full" ]; then
            echo "$where: neither the end-of-input message nor the full run (exit $code)"
            fail=1
        fi
    done
done
echo "$prompts prompts reached with the input ending there"
[ "$prompts" -gt 0 ] || fail=1
exit $fail
