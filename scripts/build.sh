#!/usr/bin/env bash
# Configures and builds the four trees under build/: native (core, qvpack, tests),
# win32 (the shipped stub), win64 (the same sources 64-bit, plus the Windows-side
# test programs) and fuzz (libFuzzer targets, clang). QV_TREES picks some of them;
# QV_BUILD puts the trees elsewhere.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QV_BUILD:-$root/build}
jobs=${QV_JOBS:-$(nproc)}

configure() {  # dir, extra cmake arguments...
  local dir=$1; shift
  [ -f "$build/$dir/CMakeCache.txt" ] || cmake -S "$root" -B "$build/$dir" -G "Unix Makefiles" "$@" >/dev/null
}

configure win32 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw32.cmake" -DCMAKE_BUILD_TYPE=MinSizeRel
configure win64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw64.cmake" -DCMAKE_BUILD_TYPE=Release
configure fuzz -DQV_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
configure native -DCMAKE_BUILD_TYPE=Release \
  -DQV_WIN32_BUILD_DIR="$build/win32" -DQV_WIN64_BUILD_DIR="$build/win64" -DQV_FUZZ_BUILD_DIR="$build/fuzz"

for dir in ${QV_TREES:-native win32 win64 fuzz}; do
  echo "== building $dir"
  cmake --build "$build/$dir" -j "$jobs" -- --no-print-directory
done
