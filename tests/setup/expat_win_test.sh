#!/usr/bin/env bash
# Runs tools/expat_win.sh against stand-ins for apt, dpkg and cmake: nothing is fetched or
# built. Checks the deb-src lines it derives from an apt configuration of both formats, and
# which revision of expat it builds, refuses or leaves as it is.
set -u
script=$(realpath "$1/tools/expat_win.sh")
bash=$(command -v bash)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
m=$work/m
out=$work/out
mkdir -p "$m/bin" "$work/etc/parts"
fail() {
    echo "$1"
    echo "--- output:" && cat "$work/said" && echo "--- log:" && cat "$m/log"
    exit 1
}

# The machine's apt set-up: one-line lists and a deb822 file, with what must not come along.
cat >"$work/apt.conf" <<EOF
Dir::Etc::SourceList "$work/etc/sources.list";
Dir::Etc::SourceParts "$work/etc/parts";
EOF
export APT_CONFIG=$work/apt.conf
cat >"$work/etc/sources.list" <<'EOF'
# a comment
deb [signed-by=/k.gpg] http://archive.example/debian suite-a main contrib
  deb-src http://archive.example/debian suite-a main
deb cdrom:[Disc 1]/ suite-a main
EOF
echo "deb http://other.example/ports suite-a-updates main" >"$work/etc/parts/extra.list"
cat >"$work/etc/parts/main.sources" <<'EOF'
Types: deb
URIs: http://archive.example/debian-security
Suites: suite-a-security
Signed-By: /k.gpg

Types: deb
Enabled: no
URIs: http://off.example/debian

Types: deb-src deb
URIs: http://both.example/debian
Suites: suite-b
EOF
bash "$script" --sources "$work/derived" || fail "--sources failed"
cat >"$work/want.list" <<'EOF'
deb-src [signed-by=/k.gpg] http://archive.example/debian suite-a main contrib
deb-src http://archive.example/debian suite-a main
deb-src http://other.example/ports suite-a-updates main
EOF
cmp -s "$work/want.list" "$work/derived/sources.list" ||
    { diff "$work/want.list" "$work/derived/sources.list"; fail "one-line sources differ"; }
cat >"$work/want.sources" <<'EOF'
Types: deb-src
URIs: http://archive.example/debian-security
Suites: suite-a-security
Signed-By: /k.gpg

Types: deb-src
URIs: http://both.example/debian
Suites: suite-b

EOF
cmp -s "$work/want.sources" "$work/derived/parts/main.sources" ||
    { diff "$work/want.sources" "$work/derived/parts/main.sources"; fail "deb822 sources differ"; }

# Stand-ins: $m/installed is the libexpat1-dev installed, $m/offered the revisions the source
# lists name, $m/served those that can really be fetched; fetches and builds go to $m/log.
stub() {
    printf '#!%s\n%s\n' "$bash" "$2" >"$m/bin/$1"
    chmod +x "$m/bin/$1"
}
stub dpkg-query "[ -s $m/installed ] && cat $m/installed"
stub apt-cache "for v in \$(cat $m/offered); do printf 'Package: expat\nVersion: %s\n\n' \$v; done"
stub apt-get "for a; do case \$a in expat=*) rev=\${a#expat=} ;; esac; done
[ -n \"\${rev:-}\" ] || exit 0
grep -qxF \"\$rev\" $m/served || exit 100
echo \"fetch \$rev\" >>$m/log
mkdir -p expat-2.5.0 && cd expat-2.5.0 && echo \"\$rev\" >revision
: >CMakeLists.txt && : >expat_config.h.cmake && echo \"notice of \$rev\" >COPYING"
stub dpkg-parsechangelog "cat revision"
stub dpkg-source "exit 0"
stub x86_64-w64-mingw32-gcc-posix "exit 0"
stub ninja "exit 1"
stub cmake "case \$1 in
-S) for a; do case \$a in -DCMAKE_INSTALL_PREFIX=*) p=\${a#*=} ;; esac; done
    mkdir -p \"\$4\" && echo \"\$p\" >\"\$4/prefix\" ;;
--build) echo build >>$m/log ;;
--install) p=\$(cat \"\$2/prefix\"); mkdir -p \"\$p/lib\" \"\$p/include\"
    : >\"\$p/lib/libexpat.a\"; : >\"\$p/include/expat.h\" ;;
esac"

# state INSTALLED OFFERED SERVED: the machine for the next run.
state() {
    echo "$1" >"$m/installed"
    printf '%s\n' $2 >"$m/offered"
    printf '%s\n' $3 >"$m/served"
    : >"$m/log"
}
run() {  # run [VAR=VALUE...]: expat_win.sh into $out, its exit code in $code
    env PATH="$m/bin:$PATH" "$@" "$bash" "$script" "$out" >"$work/said" 2>&1
    code=$?
}
said() {
    grep -qxF -- "$1" "$work/said" || fail "no line \"$1\""
}
u1=2.5.0-1+x1 u2=2.5.0-1+x2 u3=2.5.0-1+x3

# The installed revision, served: built, its notice kept, the stamp naming it.
state $u1 "$u2 $u1" "$u2 $u1"
run
[ $code = 0 ] && [ "$(cat "$out/stamp")" = $u1 ] && [ "$(cat "$out/COPYING")" = "notice of $u1" ] ||
    fail "the installed revision was not built"
grep -qxF "fetch $u1" "$m/log" || fail "fetched another revision"
# Again: nothing to do.
: >"$m/log"
run
[ $code = 0 ] && [ ! -s "$m/log" ] || fail "built again although the stamp names the revision"
# An older stamp than the installed revision: built anew.
state $u2 "$u2 $u1" "$u2 $u1"
run
[ $code = 0 ] && [ "$(cat "$out/stamp")" = $u2 ] && grep -qxF build "$m/log" ||
    fail "an older stamp was left"

# The installed revision listed but not served: stop, name the one served and the variable.
state $u3 "$u3 $u2" "$u2"
run
[ $code = 1 ] || fail "exit $code, expected 1"
said "expat_win: Debian's expat $u3 (the revision of the installed libexpat1-dev) cannot be fetched through this machine's apt sources"
said "expat_win: the newest revision they serve is $u2; to build with it, accept it:"
said "    make win EXPAT_WIN_REVISION=$u2"
[ "$(cat "$out/stamp")" = $u2 ] && [ -f "$out/lib/libexpat.a" ] || fail "the earlier build was lost"
# Accepted, and already built: nothing to do.
: >"$m/log"
run EXPAT_WIN_REVISION=$u2
[ $code = 0 ] && [ ! -s "$m/log" ] || fail "an accepted revision already built was built again"
# The newest served, here the one built: nothing to do either.
run EXPAT_WIN_REVISION=newest
[ $code = 0 ] && [ ! -s "$m/log" ] || fail "newest: built again"
said "expat_win: expat $u3 is listed but cannot be fetched; trying an older one"
# Asked for, but nothing served.
state $u3 "$u3" ""
run EXPAT_WIN_REVISION=$u1
[ $code = 1 ] || fail "exit $code, expected 1"
said "expat_win: Debian's expat $u1 (as EXPAT_WIN_REVISION asks) cannot be fetched through this machine's apt sources"

echo "expat_win: sources of both formats, and seven runs, each as expected"
