#!/usr/bin/env bash
# The test command: installs what is missing, builds every tree, then runs every test
# (native, under Wine, the stub checks and bounded fuzz runs) through CTest.
#   test.sh [--quick] [ctest arguments...]
# --quick builds the native tree alone and runs its unit tests and the layout check:
# the edit-compile-test loop, no Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QV_BUILD:-$root/build}
"$root/scripts/install-deps.sh"
if [ "${1:-}" = "--quick" ]; then
  shift
  QV_TREES=native "$root/scripts/build.sh"
  cd "$build/native"
  exec ctest --output-on-failure -j "${QV_JOBS:-$(nproc)}" -L unit "$@"
fi
"$root/scripts/build.sh"
"$root/tests/wine/prefix.sh" >/dev/null
cd "$build/native"
ctest --output-on-failure -j "${QV_JOBS:-$(nproc)}" "$@"
