#!/usr/bin/env bash
# The shipped stub must be a 32-bit GUI program below the size limit, and must
# import nothing but Windows' own DLLs.
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
    libstdc++*|libgcc*|libwinpthread*|msvcp*) echo "depends on $dll"; exit 1 ;;
  esac
done
strings "$exe" | grep -q 'Microsoft.Windows.Common-Controls' || { echo "no common-controls manifest"; exit 1; }
