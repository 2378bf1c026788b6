#!/usr/bin/env bash
# qvpack on a host with UTF-8 file names: entry names are stored as Windows-1252,
# extracted and listed as UTF-8 again, and names outside the code page are refused
# by build and setup, naming the file, with nothing written.
#   ansi-names.sh <qvpack> <work folder>
set -euo pipefail
qvpack=$1 work=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/qvpack_lib.sh"
export LC_ALL=C  # grep below compares bytes
rm -rf "$work"; mkdir -p "$work/tree/Übersicht" "$work/tmp"
export TMPDIR=$work/tmp
printf 'euro\r\n' > "$work/tree/Übersicht/Ä€.txt"

# The package's own name is a UTF-8 argument too.
expect_exit 0 "$qvpack" build "$work/tree" -o "$work/Übersicht.pck" --level 0
# At level 0 the directory is stored raw, so the names' bytes are in the file.
grep -q -a -F "$(printf '\334bersicht\\\304\200.txt')" "$work/Übersicht.pck" || fail "no Windows-1252 entry name"
! grep -q -a -F "Übersicht" "$work/Übersicht.pck" || fail "an entry name is stored as UTF-8"
expect_exit 0 "$qvpack" list "$work/Übersicht.pck"
grep -q "^folder .*  Übersicht\\\\$" "$work/out.txt" || fail "list: $(cat "$work/out.txt")"
grep -q "^file .*  Übersicht\\\\Ä€.txt$" "$work/out.txt" || fail "list: $(cat "$work/out.txt")"
expect_exit 0 "$qvpack" extract "$work/Übersicht.pck" "$work/out"
diff -r "$work/tree" "$work/out" || fail "extract does not recreate the UTF-8 names"
expect_exit 2 "$qvpack" build "$work/日本" -o "$work/x.pck"
grep -q "日本.*Windows-1252" "$work/err.txt" || fail "an argument outside the code page: $(cat "$work/err.txt")"

# Names outside the code page: a file below a folder, and a folder.
mkdir -p "$work/bad/docs" "$work/bad-setup/😀"
echo x > "$work/bad/docs/日本.txt"
echo x > "$work/bad-setup/😀/x.txt"
expect_exit 1 "$qvpack" build "$work/bad" -o "$work/bad.pck"
grep -q "$work/bad/docs/日本.txt: .*Windows-1252" "$work/err.txt" || fail "build: $(cat "$work/err.txt")"
[ ! -e "$work/bad.pck" ] || fail "a refused build left its package"
stub=$work/stub.exe
head -c 2000 /dev/urandom > "$stub"
expect_exit 1 "$qvpack" setup --stub "$stub" --setup "$work/tree" --product "$work/bad" -o "$work/bad.exe" --no-uninstaller
grep -q "$work/bad/docs/日本.txt: .*Windows-1252" "$work/err.txt" || fail "setup: $(cat "$work/err.txt")"
expect_exit 1 "$qvpack" setup --stub "$stub" --setup "$work/bad-setup" --product "$work/tree" -o "$work/bad.exe" --no-uninstaller
grep -q "$work/bad-setup/😀: .*Windows-1252" "$work/err.txt" || fail "setup: $(cat "$work/err.txt")"
for left in bad.exe bad.exe.product.tmp; do [ ! -e "$work/$left" ] || fail "a refused setup left $left"; done
echo "qvpack keeps names in Windows-1252"
