#!/usr/bin/env bash
# Applies each one-line fault of tests/mutants.txt alone to a copy of the sources, rebuilds and
# runs the unit and transcript tests; fails when a fault survives them or no longer applies.
# Usage: mutants.sh [LIST]   (run from anywhere; works in a scratch copy, never in the tree)
set -u
src=$(cd "$(dirname "$0")/.." && pwd)
list=${1:-$src/tests/mutants.txt}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tar -C "$src" --exclude='./build*' --exclude=./.git -cf - . | tar -C "$work" -xf -
cmake -S "$work" -B "$work/build" -G Ninja -DCSV2VDP_BENCH=OFF >/dev/null || exit 1
cmake --build "$work/build" >/dev/null || exit 1
# The robustness scripts say nothing about the rules and take long; the set-up tests are quick
# and judge the faults of tools/.
tests() { ctest --test-dir "$work/build" -j2 -E '^(e2e_hang|robust\.hostile)$' >/dev/null 2>&1; }
tests || { echo "the tests fail without any fault"; exit 1; }

survived=0
total=0
while IFS=$'\t' read -r file line faulty; do
    [[ -z "$file" || "$file" == \#* ]] && continue
    total=$((total + 1))
    cp "$work/$file" "$work/$file.orig"
    if ! python3 - "$work/$file" "$line" "$faulty" <<'PY'; then
import sys
path, line, faulty = sys.argv[1:]
text = open(path).read().split("\n")
hits = [i for i, l in enumerate(text) if l.strip() == line]
if len(hits) != 1:
    sys.exit(1)
i = hits[0]
text[i] = text[i][: len(text[i]) - len(text[i].lstrip())] + faulty
open(path, "w").write("\n".join(text))
PY
        echo "NOT APPLIED  $file: $line"
        survived=$((survived + 1))
    elif ! cmake --build "$work/build" >/dev/null 2>&1; then
        echo "killed (does not build)  $file: $faulty"
    elif tests; then
        echo "SURVIVED     $file: $faulty"
        survived=$((survived + 1))
    else
        echo "killed       $file: $faulty"
    fi
    mv "$work/$file.orig" "$work/$file"
    touch "$work/$file"  # newer than the faulty build, so that the next build takes it back
done <"$list"
cmake --build "$work/build" >/dev/null 2>&1
echo "$((total - survived)) of $total faults killed"
[ "$survived" = 0 ]
