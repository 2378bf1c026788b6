#!/usr/bin/env bash
# Reproducible builds: the shipped programs built a second time, in another folder and
# at another time, are the same bytes as the build tree's, and hold no path of either
# folder; the example packed from two copies of its folders whose files have other
# times, with one --mtime, gives the same setup executable from either build.
#   two-builds.sh <source folder> <win32 build tree> <qvpack> <win64 build tree> <work folder>
set -euo pipefail
source=$1 win32=$2 qvpack=$3 win64=$4 work=$5
fail() { echo "FAIL: $*" >&2; exit 1; }
rm -rf "$work" && mkdir -p "$work"
work=$(cd "$work" && pwd)
again=$work/win32-again
cmake -S "$source" -B "$again" -DCMAKE_TOOLCHAIN_FILE="$source/cmake/mingw32.cmake" -DCMAKE_BUILD_TYPE=MinSizeRel \
  >/dev/null || fail "configuring the second build"
cmake --build "$again" -j2 >"$work/build.log" 2>&1 || { tail -20 "$work/build.log"; fail "the second build"; }
for program in src/stub/quarvel-setup.exe src/uninstaller/quarvel-uninstall.exe; do
  cmp -s "$win32/$program" "$again/$program" || fail "$program differs between the two builds"
  for folder in "$win32" "$again" "$source"; do
    ! grep -a -q -F "$folder" "$again/$program" || fail "$program holds the path $folder"
  done
done

# The example's folders twice, their files with other times.
example=$win64/example
for copy in one two; do
  cp -r "$example/setup" "$work/$copy-setup" && cp -r "$example/product" "$work/$copy-product"
done
find "$work/two-setup" "$work/two-product" -exec touch -d "2011-12-13 14:15:16" {} +
"$qvpack" setup --stub "$win32/src/stub/quarvel-setup.exe" --setup "$work/one-setup" --product "$work/one-product" \
  -o "$work/one.exe" --mtime 2024-01-01T00:00:00Z >/dev/null || fail "qvpack setup from the build tree"
"$qvpack" setup --stub "$again/src/stub/quarvel-setup.exe" --setup "$work/two-setup" --product "$work/two-product" \
  -o "$work/two.exe" --mtime 1704067200 >/dev/null || fail "qvpack setup from the second build"
cmp -s "$work/one.exe" "$work/two.exe" || fail "the two setup executables differ"
rm -rf "$again"
echo "two builds, one set of bytes"
