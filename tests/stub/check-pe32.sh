#!/usr/bin/env bash
# The shipped stub must be a 32-bit GUI program below the size limit, and may import
# only libraries the system always loads from its own folder (plus the common controls,
# bound through the manifest): any other name could be served by a planted library
# beside the setup executable. Libraries it needs beyond these it loads at run time by
# their full path in the system folder.
set -euo pipefail
exe=$1 limit=$2
kind=$(file -b "$exe")
echo "$exe: $kind"
case "$kind" in
  "PE32 executable (GUI) Intel 80386"*) ;;
  *) echo "not a PE32 GUI program"; exit 1 ;;
esac
size=$(stat -c %s "$exe")
echo "size: $size bytes (limit $limit)"
[ "$size" -lt "$limit" ] || { echo "the stub is too large"; exit 1; }
imports=$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
echo "imports:" $imports
for dll in $imports; do
  case "$dll" in
    advapi32.dll|gdi32.dll|kernel32.dll|msvcrt.dll|ole32.dll|oleaut32.dll|shell32.dll|user32.dll|comctl32.dll) ;;
    *) echo "imports $dll, which is not on the list of system libraries it may import"; exit 1 ;;
  esac
done
strings "$exe" | grep -q 'Microsoft.Windows.Common-Controls' || { echo "no common-controls manifest"; exit 1; }
