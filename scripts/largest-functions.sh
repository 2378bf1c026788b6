#!/usr/bin/env bash
# The largest functions and data of a shipped program, from an unstripped link of the
# same objects: what to look at first when it grows.
#   [QV_MAP_DIR=<dir>] largest-functions.sh [<win32 build tree>] [<program target>] [<count>]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tree=${1:-$root/build/win32}
target=${2:-quarvel-setup}
count=${3:-20}
dir=$(dirname "$(find "$tree" -path "*/CMakeFiles/$target.dir/link.txt" | head -1)")
[ -d "$dir" ] || { echo "no link command for $target in $tree (build the win32 tree)" >&2; exit 1; }
dir=${dir%/CMakeFiles/$target.dir}
# QV_MAP_DIR keeps the unstripped program and its map there.
if [ -n "${QV_MAP_DIR:-}" ]; then
  out=$QV_MAP_DIR && mkdir -p "$out"
else
  out=$(mktemp -d) && trap 'rm -rf "$out"' EXIT
fi
# The same link, kept unstripped and with a map, into a folder of its own.
cmd=$(grep -v '^/usr/bin/cmake\|-ar qc' "$dir/CMakeFiles/$target.dir/link.txt" | head -1)
cmd=${cmd/ -s / }
cmd=${cmd/-o $target.exe/-o $out/$target.exe -Wl,-Map,$out/$target.map}
cmd=${cmd/-Wl,--out-implib,lib$target.dll.a/}
(cd "$dir" && eval "$cmd")
size=$(stat -c %s "$dir/$target.exe")
echo "$target.exe: $size bytes shipped; the $count largest symbols of the unstripped link:"
i686-w64-mingw32-nm --size-sort -S -C "$out/$target.exe" | grep -v " [Nn] " | tail -n "$count" | tac |
  while read -r _ hexsize kind name; do printf "%8d  %s  %s\n" "$((16#$hexsize))" "$kind" "$name"; done
