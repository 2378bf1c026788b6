#!/usr/bin/env bash
# Rebuilds the benchmark corpus in <dir>: the DLLs Wine installs, in name order, up to
# 48 MB in all, then the mingw-w64 headers (text), in path order, up to 16 MB. Files
# are taken in order while they fit. Optional limits (bytes) make a small corpus:
#   make-corpus.sh <dir> [dll-limit] [header-limit]
set -euo pipefail
dir=${1:?usage: make-corpus.sh <dir> [dll-limit] [header-limit]}
dll_limit=${2:-$((48 * 1024 * 1024))}
header_limit=${3:-$((16 * 1024 * 1024))}
dll_src=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows
header_src=/usr/share/mingw-w64/include
export LC_ALL=C

rm -rf "$dir"
mkdir -p "$dir/dll" "$dir/include"

# Copies the files listed on stdin (paths relative to $1) into $2 while the total
# stays within $3 bytes.
take() {
  local src=$1 dst=$2 limit=$3 total=0 rel size
  while IFS= read -r rel; do
    size=$(stat -c %s "$src/$rel")
    (( total + size > limit )) && break
    mkdir -p "$dst/$(dirname "$rel")"
    cp "$src/$rel" "$dst/$rel"
    total=$((total + size))
  done
  echo "$dst: $total bytes"
}

if [ -d "$dll_src" ]; then
  (cd "$dll_src" && find . -maxdepth 1 -type f -name '*.dll' -printf '%P\n' | sort) | take "$dll_src" "$dir/dll" "$dll_limit"
fi
if [ -d "$header_src" ]; then
  (cd "$header_src" && find . -type f -printf '%P\n' | sort) | take "$header_src" "$dir/include" "$header_limit"
fi
