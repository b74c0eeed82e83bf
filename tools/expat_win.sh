#!/usr/bin/env bash
# Builds expat as a static library for the Windows program: Debian's source package of the
# version the native build uses, fetched with apt-get source, cross-compiled with mingw-w64.
# Usage: expat_win.sh DIR   -> DIR/include/expat.h, DIR/lib/libexpat.a
# Quick and silent when DIR already holds that version.
set -euo pipefail
out=$(realpath -m "$1")
root=$(cd "$(dirname "$0")/.." && pwd)
# The version of libexpat1-dev here, else whatever the archive has (the stamp says which).
want=$(dpkg-query -W -f='${Version}' libexpat1-dev 2>/dev/null || true)
# The stamp holds the version asked for, DIR/version the one built.
key="for ${want:-the newest}"
if [ -f "$out/lib/libexpat.a" ] && [ -f "$out/include/expat.h" ] &&
    [ "$(cat "$out/stamp" 2>/dev/null)" = "$key" ]; then
    exit 0
fi
have() { command -v "$1" >/dev/null 2>&1; }
have dpkg-source || { echo "expat_win: dpkg-source is missing: apt-get install dpkg-dev" >&2; exit 1; }
have x86_64-w64-mingw32-gcc-posix ||
    { echo "expat_win: mingw-w64 is missing: apt-get install g++-mingw-w64-x86-64" >&2; exit 1; }

work=$out/work
rm -rf "$work" "$out/include" "$out/lib" "$out/version" "$out/stamp"
apt=$work/apt
mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/parts" "$work/src"
# A private list with only the source lines: the machine's own apt set-up stays untouched.
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
signed=
[ -f "$keyring" ] && signed="[signed-by=$keyring] "
cat >"$apt/sources.list" <<LIST
deb-src ${signed}http://deb.debian.org/debian bookworm main
deb-src ${signed}http://deb.debian.org/debian bookworm-updates main
deb-src ${signed}http://deb.debian.org/debian-security bookworm-security main
LIST
opts=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/parts"
    -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o Debug::NoLocking=1
    -o APT::Sandbox::User=root)
echo "expat_win: fetching Debian's source of expat ${want:-(newest)}" >&2
apt-get "${opts[@]}" update -qq >/dev/null
cd "$work/src"
# The wanted version first, then the others the lists name, newest first: the archive keeps
# only the newest build of a version, and a mirror may lack some pools; the upstream source
# (2.5.0 for bookworm) is the same in each.
versions=$({ [ -n "$want" ] && echo "$want"
    apt-cache "${opts[@]}" showsrc expat | sed -n 's/^Version: //p' | sort -r -V -u; } || true)
fetched=
for v in $versions; do
    if apt-get "${opts[@]}" source -qq "expat=$v" >/dev/null 2>&1; then
        fetched=$v
        break
    fi
    echo "expat_win: expat $v could not be fetched, trying the next" >&2
    rm -rf "$work/src"/expat*
done
[ -n "$fetched" ] || { echo "expat_win: no source of expat could be fetched" >&2; exit 1; }
src=$(find "$work/src" -mindepth 1 -maxdepth 1 -type d -name 'expat-*' | head -1)
got=$(cd "$src" && dpkg-parsechangelog -S Version)
# Debian's tree keeps the library's CMake project in expat/.
[ -f "$src/CMakeLists.txt" ] || src=$src/expat
# Debian's later security fixes test "XML_DTD == 1", as its autotools build defines it; the
# CMake build defines it empty, so give it the same value here.
sed -i 's/^#cmakedefine XML_DTD$/#cmakedefine XML_DTD 1/' "$src/expat_config.h.cmake"

echo "expat_win: building expat $got for Windows (static)" >&2
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
echo "$got" >"$out/version"
echo "$key" >"$out/stamp"
