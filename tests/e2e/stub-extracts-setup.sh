#!/usr/bin/env bash
# End to end under Wine: qvpack wraps a setup folder and a product around the win64
# stub; the stub, run twice at the same time, unpacks itself into two new temporary
# folders, each holding exactly the setup folder's files (same bytes, same last-write
# times) and the product package setup.pck. The setup folder's before task ends with
# exit code 1, which stops a run with its temporary folder in place; a third run that
# skips the before task (/R:0 with PrgFlag=0) installs quietly and leaves no folder.
#   stub-extracts-setup.sh <qvpack> <win64 stub> <work folder> <task program>
set -euo pipefail
qvpack=$1 stub=$2 work=$3 task=$4
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../wine/env.sh"
"$here/../wine/prefix.sh" >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }

"$here/make-test-tree.sh" "$work/tree"
cp "$task" "$work/tree/setup/bin/stop.exe"
touch -d "2018-04-05 06:07:08.7654321" "$work/tree/setup/bin/stop.exe"
printf 'NoUninstall=1\r\n[Info]\r\nPrgFlag=0\r\n[UserTask]\r\nBeforeSetup=bin\\stop.exe\r\nBeforeParam=exit 1\r\n' \
  >> "$work/tree/setup/setup.ini"
touch -d "2018-04-05 06:07:09.1234567" "$work/tree/setup/setup.ini"  # a time a FILETIME holds exactly
# Other tests may run stubs in the same prefix meanwhile: this run's folders are
# the new ones holding this token.
token="token $$ $(date +%s%N)"
echo "$token" > "$work/tree/setup/token.txt"
touch -d "2018-05-06 07:08:09.1234567" "$work/tree/setup/token.txt"
"$qvpack" setup --stub "$stub" --setup "$work/tree/setup" --product "$work/tree/product" \
  -o "$work/setup.exe" || fail "qvpack setup"
"$qvpack" test "$work/setup.exe" || fail "the setup executable does not pass qvpack test"
listing=$("$qvpack" list "$work/setup.exe")
echo "$listing"
# jc.bin begins with "JC" but is noise: it must be stored raw (stored size = size).
echo "$listing" | awk '$NF == "jc.bin" && $1 == "file" { found = 1; if ($2 != $3) exit 1 } END { exit !found }' \
  || fail "jc.bin is not stored raw"
echo "$listing" | awk '$NF == "readme.txt" { found = 1; if ($3 >= $2) exit 1 } END { exit !found }' \
  || fail "readme.txt is not packed"

temp_folders() { find "$WINEPREFIX"/drive_c/users/*/Temp -maxdepth 1 -name '{*}' -type d 2>/dev/null | sort; }
before=$(temp_folders)
"$here/../wine/run.sh" "$work/setup.exe" /Q & first=$!
"$here/../wine/run.sh" "$work/setup.exe" & second=$!
# The quiet run tells that its before task stopped it (exit code 1); the wizard run ends with 0.
rc=0; wait $first || rc=$?
[ "$rc" -eq 1 ] || fail "first run exited with $rc, expected 1"
wait $second || fail "second run exited with $?"
new=$(comm -13 <(echo "$before") <(temp_folders) | while read -r folder; do
  [ "$(cat "$folder/token.txt" 2>/dev/null)" = "$token" ] && echo "$folder"
done || true)
count=$(echo "$new" | grep -c . || true)
[ "$count" -eq 2 ] || fail "expected two new temporary folders, found $count: $new"

# What each folder must hold: the setup tree plus setup.pck, with these bytes and times.
expected=$(cd "$work/tree/setup" && { find . -mindepth 1 -printf '%y %P\n'; echo "f setup.pck"; } | sort)
"$qvpack" build "$work/tree/product" -o "$work/product.pck" >/dev/null
while read -r folder; do
  echo "checking $folder"
  [[ $(basename "$folder") =~ ^\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\}$ ]] \
    || fail "$folder is not named by a GUID in registry form"
  got=$(cd "$folder" && find . -mindepth 1 -printf '%y %P\n' | sort)
  [ "$got" = "$expected" ] || fail "$folder holds other files: $(diff <(echo "$expected") <(echo "$got"))"
  (cd "$work/tree/setup" && find . -type f -printf '%P\n') | while read -r f; do
    cmp -s "$work/tree/setup/$f" "$folder/$f" || fail "$f differs"
    want=$(stat -c %y "$work/tree/setup/$f") have=$(stat -c %y "$folder/$f")
    [ "$want" = "$have" ] || fail "$f has last-write time $have, the package holds $want"
  done
  # The product package inside is the product tree, entry for entry, and the
  # uninstaller qvpack found in the build tree beside the stub.
  rm -rf "$work/product-out"
  "$qvpack" extract "$folder/setup.pck" "$work/product-out" || fail "setup.pck does not extract"
  diff -r -x uninstall.exe "$work/tree/product" "$work/product-out" || fail "setup.pck does not hold the product"
  cmp -s "$(dirname "$stub")/../uninstaller/quarvel-uninstall.exe" "$work/product-out/uninstall.exe" \
    || fail "setup.pck does not hold the uninstaller as uninstall.exe"
  [ "$(stat -c %y "$work/product-out/app.exe")" = "$(stat -c %y "$work/tree/product/app.exe")" ] \
    || fail "the product's times were not kept"
done <<< "$new"
while read -r folder; do rm -rf "$folder"; done <<< "$new"

# A run that goes past the before task removes its temporary folder at the end.
installed=$work/installed
rm -rf "$installed"
"$here/../wine/run.sh" "$work/setup.exe" /Q /R:0 "/P:Z:${installed//\//\\}" || fail "third run exited with $?"
[ -f "$installed/app.exe" ] || fail "the third run did not install"
left=$(comm -13 <(echo "$before") <(temp_folders) | while read -r folder; do
  [ "$(cat "$folder/token.txt" 2>/dev/null)" = "$token" ] && echo "$folder"
done || true)
[ -z "$left" ] || fail "the third run left its temporary folder: $left"
echo "both runs unpacked the setup package into folders of their own; a whole run leaves none"
