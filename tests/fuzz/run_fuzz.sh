#!/usr/bin/env bash
# Runs the fuzz targets side by side, seeded from the transcript cases and earlier findings,
# each for at least SECONDS and at least RUNS executions. Any finding fails the run and stays
# in BUILD/fuzz/findings-<target>/; it then belongs in tests/fuzz/regressions/<target>/.
# Usage: run_fuzz.sh BUILD [SECONDS=60] [RUNS=500000]   (BUILD configured with CSV2VDP_FUZZ=ON)
set -euo pipefail
build=$(realpath "$1")
seconds=${2:-60}
runs=${3:-500000}
src=$(cd "$(dirname "$0")/../.." && pwd)
out=$build/fuzz
rm -rf "$out"
# Every execution creates, renames and removes files: a disk-backed /tmp would set the pace.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
mkdir -p "$out/seeds-export" "$out/seeds-console" "$out/seeds-logfile"

# Seeds: every export and every console input the transcripts hold, and every earlier finding.
n=0
for f in "$src"/tests/e2e/cases/*/files/*.csv "$src"/tests/e2e/assisted/*/files/*.csv \
    "$src"/examples/*.csv \
    "$src"/tests/fuzz/regressions/export/*; do
    [ -f "$f" ] && cp "$f" "$out/seeds-export/$((n += 1))"
done
for f in "$src"/tests/e2e/cases/*/stdin "$src"/tests/e2e/assisted/*/stdin \
    "$src"/tests/fuzz/regressions/console/*; do
    [ -f "$f" ] && cp "$f" "$out/seeds-console/$((n += 1))"
done

# The XML logs: small files of our own, never the real logs of shared/.
for f in "$src"/tests/fuzz/regressions/logfile/*; do
    [ -f "$f" ] && cp "$f" "$out/seeds-logfile/$((n += 1))"
done

# One target: a first run of the given time, then more runs until the executions are reached.
fuzz() {
    local target=$1 max_len=$2 done=0 start=$SECONDS left
    local corpus=$out/corpus-$target findings=$out/findings-$target/
    mkdir -p "$corpus" "$findings"
    local flags=(-max_len="$max_len" -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$findings")
    local dict=$src/tests/fuzz/$target.dict
    [ -f "$dict" ] && flags+=(-dict="$dict")
    local time_flag=(-max_total_time="$seconds")
    while :; do
        "$build/tests/fuzz/fuzz_$target" "${flags[@]}" "${time_flag[@]}" \
            "$corpus" "$out/seeds-$target" >>"$out/$target.log" 2>&1 || return 1
        done=$((done + $(sed -n 's/^Done \([0-9]*\) runs.*/\1/p' "$out/$target.log" | tail -1)))
        left=$((runs - done))
        [ "$left" -gt 0 ] || break
        time_flag=(-runs="$left" -max_total_time=900)
    done
    local edges
    edges=$(sed -n 's/.*DONE *cov: \([0-9]*\).*/\1/p' "$out/$target.log" | tail -1)
    echo "fuzz_$target: $done executions in $((SECONDS - start)) s, $edges edges covered," \
        "corpus $(ls "$corpus" | wc -l) inputs" >"$out/$target.figures"
}

fuzz export 4096 &
export_pid=$!
fuzz console 1024 &
console_pid=$!
fuzz logfile 8192 &
logfile_pid=$!
status=0
wait "$export_pid" || status=1
wait "$console_pid" || status=1
wait "$logfile_pid" || status=1

for target in export console logfile; do
    if [ -f "$out/$target.figures" ]; then
        cat "$out/$target.figures"
    else
        echo "fuzz_$target: FINDING, see $out/$target.log and $out/findings-$target/"
        grep -E -A30 'ERROR|broken|SUMMARY' "$out/$target.log" | head -60
        status=1
    fi
done
exit $status
