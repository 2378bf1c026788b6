#!/usr/bin/env bash
# qvpack test of a setup executable checks the product package setup.pck inside it
# entry by entry: damage in one of its blocks is found and named, and the temporary
# copy it tests is removed.
#   product-package-test.sh <qvpack> <work folder>
set -euo pipefail
qvpack=$1 work=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/qvpack_lib.sh"
rm -rf "$work"; mkdir -p "$work/tmp"
export TMPDIR=$work/tmp
no_copy_left() { [ -z "$(ls -A "$work/tmp")" ] || fail "the temporary copy was left: $(ls "$work/tmp")"; }
"$here/make-test-tree.sh" "$work/tree"
stub=$work/stub.exe
head -c 20000 /dev/urandom > "$stub"
expect_exit 0 "$qvpack" setup --stub "$stub" --setup "$work/tree/setup" --product "$work/tree/product" \
  -o "$work/setup.exe" --no-uninstaller
expect_exit 0 "$qvpack" test "$work/setup.exe"
grep -q "; setup.pck: ok, 8 entries$" "$work/out.txt" || fail "intact: $(cat "$work/out.txt")"
no_copy_left

# Damage in the middle of docs\help.txt's block inside setup.pck, which the setup
# package stores raw and so cannot notice itself.
expect_exit 0 "$qvpack" list "$work/setup.exe"
outer=$(awk '$1 == "file" && $NF == "setup.pck" { print $4 }' "$work/out.txt")
expect_exit 0 "$qvpack" extract "$work/setup.exe" "$work/setup-out"
expect_exit 0 "$qvpack" list "$work/setup-out/setup.pck"
inner=$(awk '$1 == "file" && $NF == "docs\\help.txt" && $2 != $3 { print $4 + int($3 / 2) }' "$work/out.txt")
[ -n "$outer" ] && [ -n "$inner" ] || fail "no packed docs\\help.txt in setup.pck: $(cat "$work/out.txt")"
cp "$work/setup.exe" "$work/damaged.exe"
printf '\xff\xff\xff\xff' | dd of="$work/damaged.exe" bs=1 seek=$((outer + inner)) conv=notrunc status=none
expect_exit 1 "$qvpack" test "$work/damaged.exe"
grep -q "damaged.exe: entry setup.pck: entry docs\\\\help.txt: " "$work/err.txt" || fail "damage: $(cat "$work/err.txt")"
grep -q "damaged (1 problems)" "$work/err.txt" || fail "damage: $(cat "$work/err.txt")"
no_copy_left

# A top-level setup.pck that is no package at all, and one that is empty.
mkdir -p "$work/fake"
head -c 3000 /dev/urandom > "$work/fake/setup.pck"
expect_exit 0 "$qvpack" build "$work/fake" -o "$work/fake.pck"
expect_exit 1 "$qvpack" test "$work/fake.pck"
grep -q "fake.pck: entry setup.pck: holds no package" "$work/err.txt" || fail "no package: $(cat "$work/err.txt")"
: > "$work/fake/setup.pck"
expect_exit 0 "$qvpack" build "$work/fake" -o "$work/empty.pck"
expect_exit 1 "$qvpack" test "$work/empty.pck"
grep -q "empty.pck: entry setup.pck: empty" "$work/err.txt" || fail "empty: $(cat "$work/err.txt")"
no_copy_left
# Deeper down the name is an ordinary file.
mkdir -p "$work/nested/sub"
cp "$work/setup-out/setup.pck" "$work/nested/sub/setup.pck"
printf '\xff\xff\xff\xff' | dd of="$work/nested/sub/setup.pck" bs=1 seek=$inner conv=notrunc status=none
expect_exit 0 "$qvpack" build "$work/nested" -o "$work/nested.pck"
expect_exit 0 "$qvpack" test "$work/nested.pck"
echo "qvpack test checks the product package inside"
