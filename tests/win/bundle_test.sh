#!/usr/bin/env bash
# Builds the release bundle, unpacks it as a user would and converts the example export with
# the executable inside it: no file from the build tree may be needed. LIZENZEN.txt must hold
# the notice and revision of the expat that tools/expat_win.sh built into EXPAT_ROOT.
# Usage: bundle_test.sh CPACK BUILD NAME SOURCE EMULATOR EXPAT_ROOT
set -u
cpack=$1
build=$2
name=$3
source=$4
emulator=${5:-}
expat=$6
here=$(dirname "$(realpath "$0")")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! "$cpack" --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    echo "cpack failed"
    exit 1
fi
zip="$work/out/$name.zip"
if [ ! -f "$zip" ]; then
    echo "no $name.zip; cpack made:"
    ls "$work/out"
    exit 1
fi
mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$zip") || exit 1

fail=0
contents=$(cd "$work/unpacked" && find . -mindepth 1 | sort | tr '\n' ' ')
if [ "$contents" != "./Info.txt ./LIZENZEN.txt ./csv2vdp.exe ./logbuch.csv " ]; then
    echo "bundle holds: $contents"
    fail=1
fi
licence=$work/unpacked/LIZENZEN.txt
revision=$(cat "$expat/stamp")
if ! tr -d '\r' <"$licence" | grep -qxF "der Revision $revision. Ihr Lizenzhinweis:"; then
    echo "LIZENZEN.txt does not name expat $revision"
    fail=1
fi
# expat's notice, whole, ends the file; lines end in CR LF as in Info.txt.
lines=$(wc -l <"$expat/COPYING")
if ! tr -d '\r' <"$licence" | tail -n "$lines" | cmp -s - "$expat/COPYING"; then
    echo "LIZENZEN.txt does not end with expat's COPYING"
    fail=1
fi
if grep -qv $'\r$' "$licence"; then
    echo "LIZENZEN.txt has lines without CR LF"
    fail=1
fi
cmp "$work/unpacked/Info.txt" "$source/docs/Info.txt" || fail=1
cmp "$work/unpacked/logbuch.csv" "$source/examples/logbuch.csv" || fail=1

(cd "$work/unpacked" && $emulator ./csv2vdp.exe <"$here/bundle/stdin" >"$work/stdout")
code=$?
if [ "$code" != 0 ]; then
    echo "csv2vdp.exe ended with $code"
    fail=1
fi
if ! tr -d '\r' <"$work/stdout" | tail -n 3 | grep -q -x 'Datei logbuch.vdp wurde gespeichert'; then
    echo "no saved message; the run ended with:"
    tail -n 5 "$work/stdout"
    fail=1
fi
if ! cmp "$work/unpacked/logbuch.vdp" "$here/bundle/logbuch.vdp"; then
    echo "the profile differs from the expected one"
    fail=1
fi
[ "$fail" = 0 ] && echo "bundle $name.zip: contents, run and profile as expected"
exit $fail
