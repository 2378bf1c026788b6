#!/usr/bin/env bash
# Runs a Windows program of the win64 build under wine64 in the private prefix and
# passes its exit code on. With --display first, the program gets an X display from
# a private Xvfb that is stopped when the program ends.
set -euo pipefail
here=$(dirname "$0")
. "$here/env.sh"
"$here/prefix.sh" >/dev/null
qv_start_wineserver
if [ "${1:-}" = "--display" ]; then
  shift
  exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$wine64" "$@"
fi
DISPLAY= exec "$wine64" "$@"
