#!/usr/bin/env bash
# Checks that the Windows executable imports nothing but what every Windows has: KERNEL32 and
# msvcrt. Any other DLL (libstdc++, libgcc, winpthread) would have to ship beside it.
set -u
objdump=$1
exe=$2
dlls=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
if [ -z "$dlls" ]; then
    echo "no imports found in $exe"
    exit 1
fi
extra=$(echo "$dlls" | grep -v -x -e kernel32.dll -e msvcrt.dll)
if [ -n "$extra" ]; then
    echo "imports beyond kernel32.dll and msvcrt.dll:"
    echo "$extra"
    exit 1
fi
echo "imports: $(echo $dlls)"
