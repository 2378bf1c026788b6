#!/usr/bin/env bash
# The test command: installs what is missing, builds every tree, then runs every test
# (native, under Wine, the stub checks and bounded fuzz runs) through CTest.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QV_BUILD:-$root/build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
"$root/tests/wine/prefix.sh" >/dev/null
cd "$build/native"
ctest --output-on-failure -j "${QV_JOBS:-$(nproc)}" "$@"
