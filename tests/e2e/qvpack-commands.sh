#!/usr/bin/env bash
# qvpack from the outside: build, list, test and extract round trips, setup
# executables whole and split, damaged packages, usage errors and --help.
#   qvpack-commands.sh <qvpack> <work folder>
set -euo pipefail
qvpack=$1 work=$2
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
expect_exit() {  # code, command...
  local want=$1; shift
  set +e; "$@" >"$work/out.txt" 2>"$work/err.txt"; local got=$?; set -e
  [ "$got" -eq "$want" ] || fail "$* exited with $got, not $want: $(cat "$work/err.txt")"
}
same_times() {  # folder a, folder b: every file's last-write time alike
  (cd "$1" && find . -type f -printf '%P %TY-%Tm-%Td %TT\n' | sort) > "$work/times-a"
  (cd "$2" && find . -type f -printf '%P %TY-%Tm-%Td %TT\n' | sort) > "$work/times-b"
  diff "$work/times-a" "$work/times-b" || fail "times differ between $1 and $2"
}

rm -rf "$work"; mkdir -p "$work"
"$here/make-test-tree.sh" "$work/tree"
src=$work/tree/setup

# Round trip at every kind of level.
for level in 0 1 6 9; do
  expect_exit 0 "$qvpack" build "$src" -o "$work/p$level.pck" --level $level
  expect_exit 0 "$qvpack" test "$work/p$level.pck"
  grep -q "ok, 11 entries" "$work/out.txt" || fail "test output: $(cat "$work/out.txt")"
  expect_exit 0 "$qvpack" extract "$work/p$level.pck" "$work/out$level"
  diff -r "$src" "$work/out$level" || fail "level $level does not round-trip"
  same_times "$src" "$work/out$level"
done
expect_exit 0 "$qvpack" list "$work/p0.pck"
awk '$1 == "file" && $2 != $3 { exit 1 }' "$work/out.txt" || fail "level 0 packed an entry"
expect_exit 0 "$qvpack" list "$work/p9.pck"
grep -q "^folder .* empty folder\\\\$" "$work/out.txt" || fail "no entry for the empty folder: $(cat "$work/out.txt")"
grep -q "2019-06-15 05:15:25" "$work/out.txt" || fail "list does not show the times"
[ "$(stat -c %s "$work/p9.pck")" -lt "$(stat -c %s "$work/p0.pck")" ] || fail "level 9 is not smaller than level 0"

# Extraction over existing files replaces them, unless their extension is kept.
echo "mine" > "$work/out9/setup.ini"
echo "mine" > "$work/out9/lang/English.lng"
expect_exit 0 "$qvpack" extract "$work/p9.pck" "$work/out9" --keep "lng|"
cmp -s "$src/setup.ini" "$work/out9/setup.ini" || fail "setup.ini was not replaced"
[ "$(cat "$work/out9/lang/English.lng")" = mine ] || fail "a kept .lng file was replaced"

# A setup executable, with the product inside it and split off beside it. The stub
# stands in for one, with no uninstaller beside it (qvpack-uninstaller.sh tests that).
stub=$work/stub.exe
head -c 20000 /dev/urandom > "$stub"
expect_exit 0 "$qvpack" setup --no-check --stub "$stub" --setup "$src" --product "$work/tree/product" -o "$work/setup.exe" \
  --no-uninstaller
cmp -s <(head -c 20000 "$work/setup.exe") "$stub" || fail "the stub is not the start of the setup executable"
expect_exit 0 "$qvpack" list "$work/setup.exe"
grep -q "data start 20000" "$work/out.txt" || fail "data start: $(head -1 "$work/out.txt")"
grep -q " setup.pck$" "$work/out.txt" || fail "no setup.pck in the setup package"
expect_exit 0 "$qvpack" test "$work/setup.exe"
expect_exit 0 "$qvpack" extract "$work/setup.exe" "$work/setup-out"
expect_exit 0 "$qvpack" extract "$work/setup-out/setup.pck" "$work/product-out"
diff -r "$work/tree/product" "$work/product-out" || fail "setup.pck does not hold the product"
same_times "$work/tree/product" "$work/product-out"
[ ! -e "$work/setup.exe.product.tmp" ] || fail "the temporary product package was left behind"

expect_exit 0 "$qvpack" setup --no-check --stub "$stub" --setup "$src" --product "$work/tree/product" -o "$work/split.exe" --split \
  --no-uninstaller
[ -f "$work/split.pkj" ] || fail "no split.pkj beside split.exe"
expect_exit 0 "$qvpack" list "$work/split.exe"
! grep -q "setup.pck" "$work/out.txt" || fail "the split setup still holds setup.pck"
expect_exit 0 "$qvpack" extract "$work/split.pkj" "$work/split-out"
diff -r "$work/tree/product" "$work/split-out" || fail "split.pkj does not hold the product"
expect_exit 2 "$qvpack" setup --stub "$stub" --setup "$src" --product "$work/tree/product" -o "$work/split.bin" --split \
  --no-uninstaller
expect_exit 1 "$qvpack" setup --stub "$work/setup.exe" --setup "$src" --product "$work/tree/product" -o "$work/again.exe" \
  --no-uninstaller
grep -q "already carries a package" "$work/err.txt" || fail "a stub with a package was taken"
[ ! -e "$work/again.exe" ] || fail "a failed setup left its output behind"

# Damage: test and extract fail and name the file.
# Raw entries carry no checksum: the damage goes into the middle of readme.txt's block.
"$qvpack" list "$work/p9.pck" > "$work/list.txt"
middle=$(awk '$NF == "readme.txt" { print $4 + int($3 / 2) }' "$work/list.txt")
[ -n "$middle" ] || fail "no readme.txt in the listing"
cp "$work/p9.pck" "$work/damaged.pck"
printf '\xff\xff\xff\xff' | dd of="$work/damaged.pck" bs=1 seek="$middle" conv=notrunc status=none
expect_exit 1 "$qvpack" test "$work/damaged.pck"
grep -q "damaged.pck" "$work/err.txt" || fail "the damage message does not name the file: $(cat "$work/err.txt")"
grep -q "entry readme.txt" "$work/err.txt" || fail "the damage message names no entry: $(cat "$work/err.txt")"
head -c 5000 "$work/p9.pck" > "$work/cut.pck"
expect_exit 1 "$qvpack" test "$work/cut.pck"
grep -q "cut.pck: holds no package" "$work/err.txt" || fail "cut package: $(cat "$work/err.txt")"
expect_exit 1 "$qvpack" list "$work/missing.pck"
grep -q "missing.pck" "$work/err.txt" || fail "a missing file is not named"
expect_exit 1 "$qvpack" extract "$work/damaged.pck" "$work/damaged-out"
grep -q "damaged.pck" "$work/err.txt" || fail "extract does not name the damaged file"
expect_exit 1 "$qvpack" build "$work/no-such-folder" -o "$work/x.pck"
grep -q "no-such-folder: no such folder" "$work/err.txt" || fail "build names no folder"

# Usage.
expect_exit 0 "$qvpack" --help
grep -q "qvpack <command>" "$work/out.txt" || fail "no overall help"
for command in build setup list test extract; do
  expect_exit 0 "$qvpack" $command --help
  grep -q "usage: qvpack $command" "$work/out.txt" || fail "no help for $command"
done
expect_exit 2 "$qvpack"
expect_exit 2 "$qvpack" frobnicate
expect_exit 2 "$qvpack" build "$src"
expect_exit 2 "$qvpack" build "$src" -o "$work/x.pck" --level 10
expect_exit 2 "$qvpack" build "$src" -o "$work/x.pck" --bogus
expect_exit 2 "$qvpack" extract "$work/p9.pck"
# One fixed time for every entry: copies of the folders whose files have other times
# give the same bytes, from --mtime in either form or from SOURCE_DATE_EPOCH; without
# it they differ.
cp -r "$src" "$work/setup-copy" && cp -r "$work/tree/product" "$work/product-copy"
find "$work/setup-copy" "$work/product-copy" -exec touch -d "2003-04-05 06:07:08" {} +
expect_exit 0 "$qvpack" build "$src" -o "$work/fixed1.pck" --mtime 2020-01-01T00:00:00Z
expect_exit 0 "$qvpack" build "$work/setup-copy" -o "$work/fixed2.pck" --mtime 1577836800
cmp -s "$work/fixed1.pck" "$work/fixed2.pck" || fail "qvpack build --mtime: the packages differ"
expect_exit 0 "$qvpack" list "$work/fixed1.pck"
[ "$(grep -c ' 2020-01-01 00:00:00  2020-01-01 00:00:00 ' "$work/out.txt")" -eq "$(($(wc -l <"$work/out.txt") - 2))" ] \
  || fail "qvpack build --mtime: not every entry has the fixed time"
for folders in "$src $work/tree/product" "$work/setup-copy $work/product-copy"; do
  set -- $folders
  SOURCE_DATE_EPOCH=1577836800 expect_exit 0 "$qvpack" setup --stub "$stub" --setup "$1" --product "$2" \
    -o "$work/fixed-${1##*/}.exe" --no-uninstaller
done
cmp -s "$work/fixed-${src##*/}.exe" "$work/fixed-setup-copy.exe" || fail "SOURCE_DATE_EPOCH: the setups differ"
expect_exit 0 "$qvpack" build "$work/setup-copy" -o "$work/unfixed.pck"
cmp -s "$work/fixed1.pck" "$work/unfixed.pck" && fail "without a fixed time the files' times are not taken"
for bad in 2020-02-30T00:00:00Z 2020-01-01 1969-12-31T23:59:59Z -5 12e3 ""; do
  expect_exit 2 "$qvpack" build "$src" -o "$work/x.pck" --mtime "$bad"
done
SOURCE_DATE_EPOCH=yesterday expect_exit 2 "$qvpack" build "$src" -o "$work/x.pck"
echo "qvpack commands behave"
