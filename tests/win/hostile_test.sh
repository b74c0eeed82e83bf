#!/usr/bin/env bash
# The hostile cases that Windows has too, for the Windows program under wine: a read-only
# profile (set with attrib +r) is not replaced, a user's file under the old temporary name
# stays, a link made outside Windows keeps pointing at the replaced profile, and a FIFO as the
# export or the profile makes nothing wait or get lost. Usage: hostile_test.sh EMULATOR PROGRAM
set -u
emulator=$1
prog=$(realpath "$2")
here=$(dirname "$(realpath "$0")")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
answers=$'logbuch\ny\n17:40\nn\n1:75\ny\n\n'
earlier='earlier profile'

bad() {
    echo "FAIL: $*"
    fail=1
}

fresh() {
    rm -rf "$work/run"
    mkdir "$work/run"
    cp "$here/../../examples/logbuch.csv" "$work/run/"
}

run() {
    (cd "$work/run" && printf '%s' "$1" | timeout 60 $emulator "$prog" >"$work/out" 2>&1)
    code=$?
    out=$(tr -d '\r' <"$work/out")
}

# The profile of an undisturbed run.
fresh
run "$answers"
[ "$code" = 0 ] || bad "reference run: exit $code"
profile=$(cat "$work/run/logbuch.vdp")

# 10. Read-only: refused after the question, as writing in place would be.
fresh
printf '%s' "$earlier" >"$work/run/logbuch.vdp"
(cd "$work/run" && $emulator cmd /c attrib +r logbuch.vdp </dev/null >/dev/null 2>&1)
run "$answers"
[ "$code" = 255 ] && [[ "$out" == *$'\nFehler beim Oeffnen der Datei logbuch.vdp\n'* ]] ||
    bad "read-only profile: exit $code"
[ "$(cat "$work/run/logbuch.vdp")" = "$earlier" ] || bad "read-only profile replaced"
[ "$(ls "$work/run" | tr '\n' ' ')" = "logbuch.csv logbuch.vdp " ] || bad "read-only: files left"

# 2. A file under the old temporary name is the user's. 9. A link stays a link.
fresh
printf 'mine' >"$work/run/logbuch.vdp.tmp"
mkdir "$work/run/real"
printf '%s' "$earlier" >"$work/run/real/target.vdp"
ln -s real/target.vdp "$work/run/logbuch.vdp"
run "$answers"
[ "$code" = 0 ] && [ -L "$work/run/logbuch.vdp" ] &&
    [ "$(cat "$work/run/real/target.vdp")" = "$profile" ] || bad "link profile: exit $code"
[ "$(cat "$work/run/logbuch.vdp.tmp")" = mine ] || bad "the user's .tmp file changed"
[ "$(cd "$work/run" && find . -mindepth 1 | sort | tr '\n' ' ')" = \
    "./logbuch.csv ./logbuch.vdp ./logbuch.vdp.tmp ./real ./real/target.vdp " ] ||
    bad "link: files left"

# 4. FIFOs: the export is refused; the profile cannot be replaced, and stays.
fresh
mkfifo "$work/run/fifo.csv"
run $'fifo\n\n'
[ "$code" = 255 ] && [[ "$out" == *"Fehler beim Oeffnen der Datei fifo.csv"* ]] ||
    bad "FIFO export: exit $code"
rm "$work/run/fifo.csv"
mkfifo "$work/run/logbuch.vdp"
run "$answers"
[ "$code" = 255 ] && [ -p "$work/run/logbuch.vdp" ] || bad "FIFO profile: exit $code"
[ "$(ls "$work/run" | tr '\n' ' ')" = "logbuch.csv logbuch.vdp " ] || bad "FIFO: files left"

exit $fail
