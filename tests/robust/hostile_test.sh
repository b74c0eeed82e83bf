#!/usr/bin/env bash
# Hostile environment: the program run as a careful user or an attacker would, around an
# export that converts fine. Two runs at once, FIFOs, a closed stdout, file size and memory
# limits, symbolic links, signals while writing, write-protected and private profiles.
# Every run must end soundly: the right message and exit code, an earlier profile kept byte
# for byte on failure, and no temporary file left anywhere. What the machine cannot do
# (setpriv without root) is skipped. Usage: hostile_test.sh PROGRAM
set -u
work=$(mktemp -d)
chmod 755 "$work"
cp "$(realpath "$1")" "$work/csv2vdp"  # reachable for the unprivileged run too
prog="$work/csv2vdp"
pids=()  # background runs not yet waited for
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP
fail=0
skipped=0
checks=0
openVdp=$'\nFehler beim Oeffnen der Datei big.vdp\n'
notWritten=$'\nERROR: Datei big.vdp konnte nicht geschrieben werden\n'
saved='Datei big.vdp wurde gespeichert'

bad() {
    echo "FAIL: $*"
    fail=1
}
skip() {
    echo "skipped: $*"
    skipped=$((skipped + 1))
}

# Two dives; the surface interval after the first is `interval` (hours:minutes), so that a
# long one makes the writing take a while. The first dive is 2 minutes, the second 1.
# 16600:00 h are 996,000 minutes, just below what every door refuses.
exportWith() {
    local interval=$1
    printf '%s\n' 'Computer,a,b' 'Nr,1,2' 'Datum,x,y' 'Berg,0,0' '4,,' '5,,' 'Tiefe,9,4' \
        'Mittel,5,5' 'Temp,1,1' 'Dauer,2,1' 'Ab,,' 'Auf,,' "Pause,$interval,0:00" 'SF,0,0' \
        'Rate,30,30' 'Mix1,21,21' 'Mix2,-,-' 'x,,' 'x,,' 'x,,' 'x,,' 'x,,' 'x,,' \
        '1,3.0,4.0' '2,6.0,4.0' '3,9.0,4.0'
}

# A fresh folder with the export big.csv (interval $1) and, when $2 is given, an earlier
# profile holding that text.
fresh() {
    rm -rf "$work/run"
    mkdir "$work/run"
    exportWith "$1" >"$work/run/big.csv"
    [ $# -ge 2 ] && printf '%s' "$2" >"$work/run/big.vdp"
    return 0
}

# Names in the run folder (and below) besides the export and the profile: temporary files.
leftovers() {
    (cd "$work/run" && find . -mindepth 1 ! -name big.csv ! -name big.vdp ! -path ./real \
        ! -path ./real/target.vdp ! -name victim | sort)
}

expectClean() {
    local what=$1
    local left
    left=$(leftovers)
    [ -z "$left" ] || bad "$what: left behind: $left"
    checks=$((checks + 1))
}

# Waits up to five seconds for a temporary file to appear: the run $1 is writing. It is stopped
# there at once, so that what the test sends it next arrives while it writes (a million minutes
# take well under a second); `resume` lets it go on.
writing() {
    for _ in $(seq 5000); do
        if [ -n "$(leftovers)" ]; then
            kill -STOP "$1"
            return 0
        fi
        sleep 0.001
    done
    return 1
}
resume() {
    kill -CONT "$1"
}

# Runs the program in the run folder with the given input; sets out and code.
run() {
    local input=$1
    shift
    (cd "$work/run" && printf '%s' "$input" | timeout 10 "$@" "$prog" >"$work/out" 2>&1)
    code=$?
    out=$(cat "$work/out"; printf x)
    out=${out%x}
}

# The profiles of a short and a long interval, from undisturbed runs.
fresh 0:10
run $'big\ny\n\n'
[ "$code" = 0 ] || bad "reference run: exit $code"
short=$(cat "$work/run/big.vdp"; printf x)
fresh 16600:00
run $'big\ny\ny\n\n'
long=$(cat "$work/run/big.vdp"; printf x)
[ "$(tail -c 18 "$work/run/big.vdp")" = '# END OF PROFILE #' ] || bad "long reference malformed"
earlier='earlier profile'

# 1. Two runs write the same profile at once; each finishes whole, the last replace wins.
fresh 16600:00
printf 'big\ny\ny\ny\n\n' >"$work/in"
(cd "$work/run" && exec "$prog" <"$work/in" >../a.out 2>&1) &
pids+=($!)
slow=$!
writing "$slow" || bad "concurrent runs: the first never started writing"
(cd "$work/run" && printf 'big\nn\n0:10\ny\n\n' | "$prog" >../b.out 2>&1)
quick=$?
resume "$slow"
wait "$slow"
slowCode=$?
pids=()
[ "$quick" = 0 ] && [ "$slowCode" = 0 ] || bad "concurrent runs: exit $quick and $slowCode"
grep -q "$saved" "$work/a.out" && grep -q "$saved" "$work/b.out" ||
    bad "concurrent runs: not both saved"
[ "$(cat "$work/run/big.vdp"; printf x)" = "$long" ] || bad "concurrent runs: profile mixed"
expectClean "concurrent runs"

# 4. A FIFO as the export or as the profile: refused at once, nothing waits for a writer.
fresh 0:10
mkfifo "$work/run/fifo.csv"
run $'fifo\n\n'
[ "$code" = 255 ] && [[ "$out" == *$'\nFehler beim Oeffnen der Datei fifo.csv\n'* ]] ||
    bad "FIFO export: exit $code"
rm "$work/run/fifo.csv"
mkfifo "$work/run/big.vdp"
run $'big\ny\n\n'
[ "$code" = 255 ] && [[ "$out" == *"$openVdp"* ]] && [ -p "$work/run/big.vdp" ] ||
    bad "FIFO profile: exit $code"
[[ "$out" != *ueberschrieben* ]] || bad "FIFO profile: asked before refusing"
rm "$work/run/big.vdp"
expectClean "FIFO"

# 3. Stdout closed, with the length warning printed after each of twelve dives while writing
# (every interval 100:00 h): the profile holds no console text. 6. Input that never ends a line
# (/dev/zero) ends the input, it does not grow.
fresh 0:10
twelve() {
    printf '%s' "$1"
    for _ in $(seq 12); do printf ',%s' "$2"; done
    printf '\n'
}
{
    twelve Computer a; twelve Nr 1; twelve Datum x; twelve Berg 0; twelve 4 ''; twelve 5 ''
    twelve Tiefe 5; twelve Mittel 5; twelve Temp 1; twelve Dauer 2; twelve Ab ''; twelve Auf ''
    twelve Pause 100:00; twelve SF 0; twelve Rate 30; twelve Mix1 21; twelve Mix2 -
    for _ in 1 2 3 4 5 6; do twelve x ''; done
    for d in 1 2 3; do twelve $d 5.0; done
} >"$work/run/big.csv"
answers=$'big\n'$(printf 'y\n%.0s' $(seq 12))$'\n'  # the intervals and the planner's limit
run "$answers"
noisy=$(cat "$work/run/big.vdp"; printf x)
[[ "$out" == *"Profil zu lang"* ]] || bad "closed stdout: the export prints nothing"
rm "$work/run/big.vdp"
(cd "$work/run" && printf '%s' "$answers" | timeout 10 "$prog" >&-)
code=$?
[ "$code" = 0 ] && [ "$(cat "$work/run/big.vdp"; printf x)" = "$noisy" ] ||
    bad "closed stdout: exit $code or profile differs"
expectClean "closed stdout"
(cd "$work/run" && timeout 10 "$prog" </dev/zero >"$work/out")
code=$?
out=$(cat "$work/out")$'\n'  # its last line ends the output
[ "$code" = 255 ] && [[ "$out" == *$'\nERROR: Die Eingabe ist vorzeitig zu Ende.\n' ]] ||
    bad "/dev/zero as input: exit $code"

# 7. A file size limit during writing: the write fails, the earlier profile stays.
fresh 16600:00 "$earlier"
run $'big\ny\ny\ny\n\n' bash -c 'ulimit -f 2000 && exec "$0"'
[ "$code" = 255 ] && [[ "$out" == *"$notWritten"* ]] || bad "ulimit -f: exit $code"
[ "$(cat "$work/run/big.vdp")" = "$earlier" ] || bad "ulimit -f: earlier profile changed"
expectClean "ulimit -f"

# 6. Twenty million blank lines need 2.4 GB of rows: refused with a message under a limit.
# A sanitized build reserves more address space than the limit: it cannot start under it.
fresh 0:10
run '' bash -c 'ulimit -v 400000 && exec "$0"'
if [[ "$out" != *"Bitte den Dateinamen"* ]]; then
    skip "memory limits (the program does not start under ulimit -v, as with AddressSanitizer)"
else
    fresh 0:10
    head -c 20000000 /dev/zero | tr '\0' '\n' >"$work/run/blank.csv"
    run $'blank\n\n' bash -c 'ulimit -v 400000 && exec "$0"'
    [ "$code" = 255 ] &&
        [[ "$out" == *$'\nERROR: Die Datei blank.csv ist zu gross, es fehlt Arbeitsspeicher.\n'* ]] ||
        bad "ulimit -v: exit $code: ${out: -200}"
    rm "$work/run/blank.csv"
    # An export larger than the memory limit itself (sparse: it takes no room on the disk) is
    # read as it streams by, not held: its first line is what refuses it.
    truncate -s 1G "$work/run/huge.csv"
    run $'huge\n\n' bash -c 'ulimit -v 400000 && exec "$0"'
    [ "$code" = 255 ] &&
        [[ "$out" == *$'\nERROR: Zeile 1 der Datei huge.csv ist laenger als 118 Zeichen.\n'* ]] ||
        bad "ulimit -v, huge export: exit $code"
    rm "$work/run/huge.csv"
    expectClean "ulimit -v"
fi

# 9. A profile that is a symbolic link: the link stays, its target gets the profile. 2. A
# link under the old temporary name leads nowhere the program writes.
fresh 0:10
mkdir "$work/run/real"
printf '%s' "$earlier" >"$work/run/real/target.vdp"
printf 'victim' >"$work/run/victim"
ln -s real/target.vdp "$work/run/big.vdp"
ln -s victim "$work/run/big.vdp.tmp"
run $'big\ny\ny\n\n'
[ "$code" = 0 ] && [ -L "$work/run/big.vdp" ] &&
    [ "$(cat "$work/run/real/target.vdp"; printf x)" = "$short" ] ||
    bad "link profile: exit $code, link or target wrong"
[ "$(cat "$work/run/victim")" = victim ] || bad "link under the old temporary name followed"
rm "$work/run/big.vdp.tmp"
expectClean "link profile"
rm "$work/run/real/target.vdp"  # now a dangling link: asked about, then the target created
run $'big\ny\ny\n\n'
[ "$code" = 0 ] && [[ "$out" == *ueberschrieben* ]] &&
    [ "$(cat "$work/run/real/target.vdp"; printf x)" = "$short" ] ||
    bad "dangling link: exit $code"
# A profile name that leads to the export itself is refused: the export may be the only copy.
fresh 0:10
ln -s big.csv "$work/run/big.vdp"
cp "$work/run/big.csv" "$work/export.before"
run $'big\ny\n\n'
[ "$code" = 255 ] && [[ "$out" == *"Fehler beim Oeffnen der Datei big.vdp"* ]] &&
    cmp -s "$work/run/big.csv" "$work/export.before" || bad "profile linked to the export: exit $code"

# 8. A signal while writing removes the temporary file and ends with the signal's status.
# A background job starts with SIGINT ignored, and the program leaves it so; env restores it.
# SIGPIPE is what a console piped into a reader that has quit sends.
sigs="TERM HUP PIPE"
launch=()
if env --default-signal=INT true 2>/dev/null; then
    sigs="$sigs INT"
    launch=(env --default-signal=INT)
else
    skip "SIGINT while writing (env --default-signal missing)"
fi
for sig in $sigs; do
    fresh 16600:00 "$earlier"
    (cd "$work/run" && exec "${launch[@]}" "$prog" <"$work/in" >/dev/null) &
    pids+=($!)
    pid=$!
    writing "$pid" || bad "SIG$sig: the run never started writing"
    kill -"$sig" "$pid"
    resume "$pid"
    { wait "$pid"; } 2>/dev/null
    code=$?
    pids=()
    want=$((128 + $(kill -l "$sig")))
    [ "$code" = "$want" ] || bad "SIG$sig while writing: exit $code, want $want"
    [ "$(cat "$work/run/big.vdp")" = "$earlier" ] || bad "SIG$sig: earlier profile changed"
    expectClean "SIG$sig while writing"
done
# Two signals at once: the second must not end the process before the file is gone.
fresh 16600:00 "$earlier"
(cd "$work/run" && exec "$prog" <"$work/in" >/dev/null) &
pids+=($!)
pid=$!
writing "$pid" || bad "double SIGTERM: the run never started writing"
kill -TERM "$pid"
kill -TERM "$pid"
resume "$pid"
{ wait "$pid"; } 2>/dev/null
code=$?
pids=()
[ "$code" = 143 ] || bad "double SIGTERM while writing: exit $code"
expectClean "double SIGTERM while writing"

# 11. A replaced profile keeps its permissions; a new one gets the usual ones.
fresh 0:10 "$earlier"
chmod 600 "$work/run/big.vdp"
run $'big\ny\ny\n\n'
[ "$code" = 0 ] && [ "$(stat -c %a "$work/run/big.vdp")" = 600 ] ||
    bad "mode 0600: exit $code, now $(stat -c %a "$work/run/big.vdp")"
fresh 0:10
run $'big\ny\n\n' bash -c 'umask 022 && exec "$0"'
[ "$(stat -c %a "$work/run/big.vdp")" = 644 ] || bad "new profile: $(stat -c %a "$work/run/big.vdp")"
# Root replacing another user's profile leaves it that user's, as writing in place would.
if [ "$(id -u)" = 0 ]; then
    fresh 0:10 "$earlier"
    chown 65534:65534 "$work/run/big.vdp"
    run $'big\ny\ny\n\n'
    [ "$code" = 0 ] && [ "$(stat -c %u:%g "$work/run/big.vdp")" = 65534:65534 ] ||
        bad "owner: exit $code, now $(stat -c %u:%g "$work/run/big.vdp")"
fi

# 10. A write-protected profile, for a user who may write the folder but not the file.
if [ "$(id -u)" != 0 ] || ! command -v setpriv >/dev/null; then
    skip "write-protected profile (needs root and setpriv to run as another user)"
else
    fresh 0:10 "$earlier"
    chmod 777 "$work/run"
    chmod 444 "$work/run/big.vdp"
    run $'big\ny\ny\n\n' setpriv --reuid=65534 --regid=65534 --clear-groups
    [ "$code" = 255 ] && [[ "$out" == *"$openVdp"* ]] || bad "write-protected: exit $code"
    [ "$(cat "$work/run/big.vdp")" = "$earlier" ] &&
        [ "$(stat -c %a "$work/run/big.vdp")" = 444 ] || bad "write-protected: replaced"
    expectClean "write-protected"
fi

echo "$checks runs left nothing behind; $skipped skipped"
exit $fail
