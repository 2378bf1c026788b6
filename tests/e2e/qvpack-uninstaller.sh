#!/usr/bin/env bash
# qvpack setup adds the uninstaller to the product package as uninstall.exe: found by
# --uninstaller, beside the stub, or in the build tree's ../uninstaller/ folder, in
# that order; not when the product has its own (in any letter case) or with
# --no-uninstaller; a usage error naming both options when none is found.
#   qvpack-uninstaller.sh <qvpack> <work folder>
set -euo pipefail
qvpack=$1 work=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/qvpack_lib.sh"
rm -rf "$work"; mkdir -p "$work"
"$here/make-test-tree.sh" "$work/tree"
setup=$work/tree/setup product=$work/tree/product
fake_program() {  # path, seed text: a file that stands in for a program
  mkdir -p "$(dirname "$1")"
  { echo "$2"; head -c 50000 /dev/urandom; } > "$1"
  touch -d "2020-03-04 05:06:07.1234567" "$1"
}
# The product package a setup executable carries, extracted into a folder.
product_of() {  # setup.exe, folder
  rm -rf "$2.setup" "$2"
  expect_exit 0 "$qvpack" extract "$1" "$2.setup"
  expect_exit 0 "$qvpack" extract "$2.setup/setup.pck" "$2"
}
# The product package holds the product tree and, at its top, uninstall.exe with the
# bytes and last-write time of the given program.
expect_uninstaller() {  # folder, program
  [ -f "$1/uninstall.exe" ] || fail "no uninstall.exe in $1"
  cmp -s "$1/uninstall.exe" "$2" || fail "$1/uninstall.exe is not $2"
  [ "$(stat -c %y "$1/uninstall.exe")" = "$(stat -c %y "$2")" ] || fail "uninstall.exe does not have the time of $2"
  diff -r -x uninstall.exe "$product" "$1" || fail "$1 does not hold the product besides"
}

# The build tree's layout: <tree>/src/stub/ and <tree>/src/uninstaller/.
build=$work/build/src
fake_program "$build/stub/quarvel-setup.exe" stub
fake_program "$build/uninstaller/quarvel-uninstall.exe" "built uninstaller"
expect_exit 0 "$qvpack" setup --no-check --stub "$build/stub/quarvel-setup.exe" --setup "$setup" --product "$product" \
  -o "$work/built.exe"
product_of "$work/built.exe" "$work/built"
expect_uninstaller "$work/built" "$build/uninstaller/quarvel-uninstall.exe"
expect_exit 0 "$qvpack" list "$work/built.setup/setup.pck"
[ "$(awk '$1 == "file" { name = $NF } END { print name }' "$work/out.txt")" = uninstall.exe ] \
  || fail "uninstall.exe is not the last entry: $(cat "$work/out.txt")"

# A release folder: the uninstaller beside the stub comes before the build tree's.
fake_program "$build/stub/quarvel-uninstall.exe" "released uninstaller"
expect_exit 0 "$qvpack" setup --no-check --stub "$build/stub/quarvel-setup.exe" --setup "$setup" --product "$product" \
  -o "$work/released.exe"
product_of "$work/released.exe" "$work/released"
expect_uninstaller "$work/released" "$build/stub/quarvel-uninstall.exe"

# --uninstaller comes before both, also into a split package.
fake_program "$work/elsewhere/my-uninstaller.bin" "given uninstaller"
expect_exit 0 "$qvpack" setup --no-check --stub "$build/stub/quarvel-setup.exe" --setup "$setup" --product "$product" \
  -o "$work/given.exe" --uninstaller "$work/elsewhere/my-uninstaller.bin" --split
rm -rf "$work/given"
expect_exit 0 "$qvpack" extract "$work/given.pkj" "$work/given"
expect_uninstaller "$work/given" "$work/elsewhere/my-uninstaller.bin"

# The product's own, in another letter case, is kept and none is added.
cp -r "$product" "$work/own-product"
fake_program "$work/own-product/Uninstall.exe" "the product's own"
expect_exit 0 "$qvpack" setup --no-check --stub "$build/stub/quarvel-setup.exe" --setup "$setup" --product "$work/own-product" \
  -o "$work/own.exe" --uninstaller "$work/elsewhere/my-uninstaller.bin"
product_of "$work/own.exe" "$work/own"
diff -r "$work/own-product" "$work/own" || fail "the product's own uninstaller was not kept alone"
# Only at the top: one further down is an ordinary file.
mkdir -p "$work/deep-product/tools"
fake_program "$work/deep-product/tools/uninstall.exe" "a tool"
expect_exit 0 "$qvpack" setup --no-check --stub "$build/stub/quarvel-setup.exe" --setup "$setup" --product "$work/deep-product" \
  -o "$work/deep.exe"
product_of "$work/deep.exe" "$work/deep"
cmp -s "$work/deep/uninstall.exe" "$build/stub/quarvel-uninstall.exe" || fail "no uninstaller beside tools/uninstall.exe"

# --no-uninstaller: the product alone.
expect_exit 0 "$qvpack" setup --no-check --stub "$build/stub/quarvel-setup.exe" --setup "$setup" --product "$product" \
  -o "$work/none.exe" --no-uninstaller
product_of "$work/none.exe" "$work/none"
diff -r "$product" "$work/none" || fail "--no-uninstaller added something"

# None to be found: a usage error that names both ways out, and nothing written.
fake_program "$work/bare/stub.exe" stub
expect_exit 2 "$qvpack" setup --stub "$work/bare/stub.exe" --setup "$setup" --product "$product" -o "$work/bare.exe"
grep -q -- "--uninstaller <file>" "$work/err.txt" && grep -q -- "--no-uninstaller" "$work/err.txt" \
  || fail "the message does not name both options: $(cat "$work/err.txt")"
[ ! -e "$work/bare.exe" ] || fail "a setup without its uninstaller was written"
expect_exit 1 "$qvpack" setup --stub "$work/bare/stub.exe" --setup "$setup" --product "$product" -o "$work/bare.exe" \
  --uninstaller "$work/missing.exe"
grep -q "missing.exe: no such file" "$work/err.txt" || fail "a missing --uninstaller: $(cat "$work/err.txt")"
expect_exit 2 "$qvpack" setup --stub "$work/bare/stub.exe" --setup "$setup" --product "$product" -o "$work/bare.exe" \
  --uninstaller "$work/elsewhere/my-uninstaller.bin" --no-uninstaller
# A stub that is not there is told as such, not as a missing uninstaller.
expect_exit 1 "$qvpack" setup --stub "$work/bare/gone.exe" --setup "$setup" --product "$product" -o "$work/bare.exe"
grep -q "gone.exe: the stub cannot be read" "$work/err.txt" || fail "a missing stub: $(cat "$work/err.txt")"

# The help tells of both options; every help text ends with a line end.
expect_exit 0 "$qvpack" setup --help
grep -q -- "--uninstaller <file>" "$work/out.txt" && grep -q -- "--no-uninstaller" "$work/out.txt" \
  || fail "the setup help names no uninstaller options"
for command in "" build setup list test extract; do
  expect_exit 0 "$qvpack" $command --help
  [ "$(tail -c 1 "$work/out.txt" | od -An -tx1 | tr -d ' ')" = 0a ] || fail "qvpack $command --help ends without a line end"
done
echo "qvpack setup adds the uninstaller it finds, and keeps the product's own"
