#!/usr/bin/env bash
# Builds expat as a static library for the Windows program: Debian's source package of the
# revision the native build uses (that of the installed libexpat1-dev), fetched with apt-get
# source through deb-src lines derived from this machine's own apt sources, cross-compiled
# with mingw-w64.
# Usage: expat_win.sh DIR    -> DIR/include/expat.h, DIR/lib/libexpat.a, DIR/COPYING (expat's
#                               licence notice), DIR/stamp (the revision built)
#        expat_win.sh --sources DIR   only writes the derived source lines into DIR
# EXPAT_WIN_REVISION=REV builds that revision instead, =newest the newest the sources serve.
# Quick and silent when DIR already holds the revision wanted.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
say() { echo "expat_win: $*" >&2; }
have() { command -v "$1" >/dev/null 2>&1; }

# The machine's one-line lists (sources.list, *.list) and deb822 files (*.sources), with every
# "deb" made "deb-src", written into DIR/sources.list and DIR/parts/: the same archives,
# releases and keys as the machine's binary packages come from, and nothing written here.
derive_sources() {
    local dir=$1 list= parts= file
    eval "$(apt-config shell list Dir::Etc::sourcelist/f parts Dir::Etc::sourceparts/d)"
    mkdir -p "$dir/parts"
    : >"$dir/sources.list"
    for file in "$list" "${parts%/}"/*.list; do
        [ -f "$file" ] || continue
        # "deb [options] URI SUITE COMPONENTS": only the type changes; a CD-ROM serves no source.
        awk '($1 == "deb" || $1 == "deb-src") && $0 !~ /cdrom:/ {
                sub(/^[ \t]*deb(-src)?[ \t]+/, ""); print "deb-src " $0 }' "$file" \
            >>"$dir/sources.list"
    done
    sort -u -o "$dir/sources.list" "$dir/sources.list"
    for file in "${parts%/}"/*.sources; do
        [ -f "$file" ] || continue
        # A stanza is a paragraph: one whose Types name deb also serves deb-src; "Enabled: no"
        # stays off. Continuation lines (an inline key) are kept as they are.
        awk 'BEGIN { RS = ""; ORS = "\n\n" }
            {
                n = split($0, line, "\n"); types = 0; off = 0; out = ""
                for (i = 1; i <= n; i++) {
                    if (line[i] ~ /^[Ee]nabled:[ \t]*[Nn]o[ \t]*$/) off = 1
                    if (line[i] ~ /^[Tt]ypes:/) {
                        if (line[i] ~ /[: \t]deb([ \t]|$)/ || line[i] ~ /deb-src/) types = 1
                        line[i] = "Types: deb-src"
                    }
                    out = out line[i] "\n"
                }
                if (types && !off) printf "%s\n", out
            }' "$file" >"$dir/parts/$(basename "$file")"
        [ -s "$dir/parts/$(basename "$file")" ] || rm -f "$dir/parts/$(basename "$file")"
    done
}

if [ "${1:-}" = --sources ]; then
    derive_sources "$2"
    exit 0
fi

out=$(realpath -m "$1")
installed=$(dpkg-query -W -f='${Version}' libexpat1-dev 2>/dev/null || true)
want=${EXPAT_WIN_REVISION:-$installed}
[ -n "$want" ] || { say "libexpat1-dev is not installed: apt-get install libexpat1-dev" && exit 1; }
built=$(cat "$out/stamp" 2>/dev/null || true)
ready() { [ -f "$out/lib/libexpat.a" ] && [ -f "$out/include/expat.h" ] && [ -f "$out/COPYING" ]; }
if [ "$want" != newest ] && [ "$built" = "$want" ] && ready; then
    exit 0
fi
have dpkg-source || { say "dpkg-source is missing: apt-get install dpkg-dev" && exit 1; }
have x86_64-w64-mingw32-gcc-posix ||
    { say "mingw-w64 is missing: apt-get install g++-mingw-w64-x86-64" && exit 1; }

work=$out/work
rm -rf "$work"
apt=$work/apt
mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$work/src"
# A private list: the machine's apt set-up stays untouched.
derive_sources "$apt"
opts=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/parts"
    -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o Debug::NoLocking=1
    -o APT::Sandbox::User=root)
# A source the lists name but cannot serve fails at the fetch below, with its revision named.
apt-get "${opts[@]}" update -qq >"$work/update.log" 2>&1 ||
    say "apt-get update of the source lists reported errors; going on with what it got"
offered=$(apt-cache "${opts[@]}" showsrc expat 2>/dev/null | sed -n 's/^Version: //p' |
    sort -r -V -u || true)

# fetch REV: Debian's source of that revision into $work/src; false when it cannot be had.
fetch() {
    rm -rf "$work/src" && mkdir -p "$work/src"
    (cd "$work/src" && apt-get "${opts[@]}" source -qq "expat=$1" >"$work/fetch.log" 2>&1)
}

# The newest revision the sources really serve (a mirror may list one it lacks); empty if none.
newest_served() {
    local v
    for v in $offered; do
        fetch "$v" && { echo "$v" && return; }
    done
}

if [ "$want" = newest ]; then
    got=
    for v in $offered; do
        # Built already, and nothing newer could be had.
        if [ "$v" = "$built" ] && ready; then
            rm -rf "$work"
            exit 0
        fi
        if fetch "$v"; then
            got=$v
            break
        fi
        say "expat $v is listed but cannot be fetched; trying an older one"
    done
    [ -n "$got" ] || { say "no source of expat can be fetched through this machine's apt sources" &&
        exit 1; }
    say "EXPAT_WIN_REVISION=newest: building expat $got (the installed libexpat1-dev is ${installed:-none})"
elif fetch "$want"; then
    got=$want
else
    found=$(newest_served || true)
    what="the revision of the installed libexpat1-dev"
    [ -n "${EXPAT_WIN_REVISION:-}" ] && what="as EXPAT_WIN_REVISION asks"
    say "Debian's expat $want ($what) cannot be fetched through this machine's apt sources"
    if [ -n "$found" ]; then
        say "the newest revision they serve is $found; to build with it, accept it:"
        echo "    make win EXPAT_WIN_REVISION=$found" >&2
        say "(make wintest and make bundle take the same variable, also from the environment;"
        say "EXPAT_WIN_REVISION=newest accepts the newest they serve, whichever it is)"
    else
        say "they serve no revision of expat at all: no deb source configured for it?"
    fi
    exit 1
fi

src=$(find "$work/src" -mindepth 1 -maxdepth 1 -type d -name 'expat-*' | head -1)
[ -n "$src" ] || { cat "$work/fetch.log" >&2 && say "the fetched source did not unpack" && exit 1; }
revision=$(cd "$src" && dpkg-parsechangelog -S Version)
[ "$revision" = "$got" ] || { say "asked for expat $got, got $revision" && exit 1; }
copying=$src/COPYING
# Debian's tree keeps the library's CMake project in expat/.
[ -f "$src/CMakeLists.txt" ] || src=$src/expat
[ -f "$copying" ] || copying=$src/COPYING
[ -f "$copying" ] || { say "expat $got has no COPYING: its licence notice is missing" && exit 1; }
# Debian's later security fixes test "XML_DTD == 1", as its autotools build defines it; the
# CMake build defines it empty, so give it the same value here.
sed -i 's/^#cmakedefine XML_DTD$/#cmakedefine XML_DTD 1/' "$src/expat_config.h.cmake"

say "building expat $got for Windows (static)"
rm -rf "$out/include" "$out/lib" "$out/COPYING" "$out/stamp" "$out/version"
generator=()
have ninja && generator=(-G Ninja)
cmake -S "$src" -B "$work/build" "${generator[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$out" -DEXPAT_SHARED_LIBS=OFF -DEXPAT_BUILD_TOOLS=OFF \
    -DEXPAT_BUILD_EXAMPLES=OFF -DEXPAT_BUILD_TESTS=OFF -DEXPAT_BUILD_DOCS=OFF \
    -DEXPAT_BUILD_FUZZERS=OFF -DEXPAT_BUILD_PKGCONFIG=OFF >"$work/build.log" 2>&1 ||
    { cat "$work/build.log" >&2; exit 1; }
{ cmake --build "$work/build" -j2 && cmake --install "$work/build"; } >>"$work/build.log" 2>&1 ||
    { cat "$work/build.log" >&2; exit 1; }
cp "$copying" "$out/COPYING"
# Last: a run stopped before this builds again.
echo "$got" >"$out/stamp"
