#!/usr/bin/env bash
# Checks the user guide docs/Info.txt: plain ASCII, CR LF line ends, lines of at most 78
# characters, and every error message the program can print quoted in it (wrapped or not).
set -u
root=$1
info="$root/docs/Info.txt"
fail=0

if [ ! -s "$info" ]; then
    echo "no $info"
    exit 1
fi
if LC_ALL=C grep -n -P '[^\x20-\x7e\r]' "$info" | head -5 | grep .; then
    echo "characters other than printable ASCII (tabs, umlauts) on the lines above"
    fail=1
fi
if LC_ALL=C grep -n -v -P '\r$' "$info" | head -5 | grep .; then
    echo "lines without CR LF above"
    fail=1
fi
if [ -n "$(tail -c 2 "$info" | od -An -c | tr -d ' ')" ] &&
    [ "$(tail -c 2 "$info" | od -An -c | tr -d ' ')" != '\r\n' ]; then
    echo "the last line has no CR LF"
    fail=1
fi
long=$(tr -d '\r' <"$info" | awk 'length > 78 { print NR ": " length " characters" }')
if [ -n "$long" ]; then
    echo "lines longer than 78 characters:"
    echo "$long"
    fail=1
fi

# The messages: printf formats that report a failure, warn, or begin with "Hinweis:"; adjacent
# string literals make one format, and a line break in it is a blank. A value may stand as
# <Name> or <Zahl>.
text=$(tr -s '\r\n\t ' '    ' <"$info")
formats=$(find "$root/src" -name '*.cpp' -o -name '*.h' | sort | xargs perl -0777 -ne '
    while (/\bprintf\(\s*((?:"(?:\\.|[^"\\])*"\s*)+)/g) {
        my ($literals, $format) = ($1, "");
        $format .= $1 while $literals =~ /"((?:\\.|[^"\\])*)"/g;
        print "$format\n";
    }' | sed 's/\\n/ /g; s/  */ /g; s/^ //; s/ $//' |
    grep -E 'ERROR|Fehler|Ungueltig|konnte nicht|WARNUNG|^Hinweis:|^Befund:|^Unbekannte Option|schliessen einander aus|^Es fehlt' | sort -u)
# The reasons (textOf) are printed as WARNUNG, ERROR or Befund alike: every one is checked.
formats+=$'\n'$(find "$root/src" -name '*.cpp' | sort | xargs perl -0777 -ne '
    while (/\btextOf\(\s*((?:"(?:\\.|[^"\\])*"\s*)+)/g) {
        my ($literals, $format) = ($1, "");
        $format .= $1 while $literals =~ /"((?:\\.|[^"\\])*)"/g;
        print "$format\n";
    }' | sed 's/\\n/ /g; s/  */ /g; s/^ //; s/ $//' | sort -u)
while IFS= read -r format; do
    pattern=$(printf '%s' "$format" | sed -e 's/[][\.*^$()+?{}|/]/\\&/g' \
        -e 's/%%/%/g; s/%[0-9]*l*d/(-?[0-9]+|<[A-Za-z]+>)/g; s/%s/[^ ]+/g' \
        -e 's/%\\\.[0-9]f/([0-9.]+|<[A-Za-z]+>)/g')
    if ! printf '%s' "$text" | grep -q -E -- "$pattern"; then
        echo "message not explained in Info.txt: $format"
        fail=1
    fi
done <<<"$formats"
[ "$fail" = 0 ] && echo "Info.txt: ASCII, CR LF, at most 78 columns, $(echo "$formats" | wc -l) messages"
exit $fail
