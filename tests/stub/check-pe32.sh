#!/usr/bin/env bash
# A shipped program (the stub, the uninstaller) must be a 32-bit GUI program below the
# size limit, and may import only libraries the system always loads from its own folder
# (plus the common controls, bound through the manifest): any other name could be served by a planted library
# beside the setup executable. Libraries it needs beyond these it loads at run time by
# their full path in the system folder.
# The stub starts without the C runtime's start-up, which would apply the relocations
# of data imported from DLLs: its link map (beside it) must show that it has none.
set -euo pipefail
exe=$1 limit=$2
map=${exe%.exe}.map
kind=$(file -b "$exe")
echo "$exe: $kind"
case "$kind" in
  "PE32 executable (GUI) Intel 80386"*) ;;
  *) echo "not a PE32 GUI program"; exit 1 ;;
esac
size=$(stat -c %s "$exe")
echo "size: $size bytes (limit $limit)"
[ "$size" -lt "$limit" ] || { echo "the program is too large"; exit 1; }
imports=$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
echo "imports:" $imports
for dll in $imports; do
  case "$dll" in
    advapi32.dll|gdi32.dll|kernel32.dll|msvcrt.dll|ole32.dll|oleaut32.dll|shell32.dll|user32.dll|comctl32.dll) ;;
    *) echo "imports $dll, which is not on the list of system libraries it may import"; exit 1 ;;
  esac
done
strings "$exe" | grep -q 'Microsoft.Windows.Common-Controls' || { echo "no common-controls manifest"; exit 1; }
[ -f "$map" ] || { echo "no link map $map"; exit 1; }
relocations=$(awk '$2 == "__RUNTIME_PSEUDO_RELOC_LIST__" || $2 == "__RUNTIME_PSEUDO_RELOC_LIST_END__" { print $1 }' "$map" | sort -u | wc -l)
[ "$relocations" -eq 1 ] || { echo "the link made pseudo-relocations, which the stub's start does not apply"; exit 1; }
echo "no pseudo-relocations"
