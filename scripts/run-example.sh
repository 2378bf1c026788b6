#!/usr/bin/env bash
# The main job: installs what is missing, builds every tree, and runs the setup stub
# once under Wine in the private prefix.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QV_BUILD:-$root/build}
"$root/scripts/install-deps.sh"
QV_TREES="native win32 win64" "$root/scripts/build.sh"
stub=$build/win64/src/win32/stub/quarvel-setup.exe
echo "== running $stub under Wine"
set +e
"$root/tests/wine/run.sh" "$stub"
rc=$?
set -e
echo "setup stub exit code: $rc"
exit $rc
