#!/usr/bin/env bash
# Renders the pictures of the example export (the assisted door, with the diver's answers), of
# a log of two dives (--ja) and of a trip of two files (--profil) to PNG with rsvg-convert and checks them with xmllint: pictures a
# renderer draws whole, a panel per dive. Skipped (77) where either tool is missing.
set -u
prog=$(realpath "$1")
root=$(realpath "$2")
for tool in rsvg-convert xmllint; do
    if ! command -v $tool >/dev/null 2>&1; then
        echo "SKIPPED: $tool is missing (bash tools/setup.sh --rsvg installs it)"
        exit 77
    fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
bad() {
    echo "$*"
    fail=1
}

# check NAME PANELS: NAME.svg is well formed, has PANELS panels and renders as an 800-pixel
# wide PNG.
check() {
    local svg="$work/$1.svg" png="$work/$1.png"
    [ -s "$svg" ] || {
        bad "$1.svg was not written"
        return
    }
    xmllint --noout "$svg" || bad "$1.svg: xmllint refuses it"
    local panels
    panels=$(grep -c '<g class="tauchgang">' "$svg")
    [ "$panels" = "$2" ] || bad "$1.svg: $panels panels, expected $2"
    rsvg-convert -o "$png" "$svg" || bad "$1.svg: rsvg-convert failed"
    # The PNG signature, then the width in the IHDR chunk.
    local head
    head=$(od -An -tx1 -N24 "$png" | tr -d ' \n')
    [ "${head:0:16}" = 89504e470d0a1a0a ] || bad "$1.png is no PNG"
    [ "${head:32:8}" = 00000320 ] || bad "$1.png is not 800 pixels wide (${head:32:8})"
}

cp "$root/examples/logbuch.csv" "$work/"
# Dive 1's interval kept, dive 2's switch at 17:40, 19:40 after it, then Enter.
(cd "$work" && printf 'y\n17:40\nn\n19:40\n\n' | "$prog" logbuch >out.txt) ||
    bad "the example did not convert: $(tail -3 "$work/out.txt")"
check logbuch 3
grep -q '>50 % O2 ab 17:40 (im Profil ab Minute 19)<' "$work/logbuch.svg" || bad "logbuch.svg: no switch mark"

cp "$root/tests/e2e/assisted/log_ja_series/files/serie.uddf" "$work/"
(cd "$work" && "$prog" --ja serie.uddf >out.txt) || bad "serie.uddf did not convert"
check serie 2
grep -q 'class="gehalten"' "$work/serie.svg" || bad "serie.svg: no held gap"

# A trip of two files, a UDDF and a Subsurface log, in one profile and one picture.
cp "$root/tests/e2e/assisted/trip_ja/files/tag1.uddf" "$root/tests/e2e/assisted/trip_ja/files/tag2.ssrf" "$work/"
(cd "$work" && "$prog" --ja --profil reise tag1.uddf tag2.ssrf >out.txt) ||
    bad "the trip did not convert: $(tail -3 "$work/out.txt")"
check reise "$(grep -c '^Tauchgang Nr\.' "$work/out.txt")"
grep -q 'Pause ' "$work/reise.svg" || bad "reise.svg: no interval between the panels"

[ $fail = 0 ] && echo "picture_render: the pictures render and pass xmllint"
exit $fail
