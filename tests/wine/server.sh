#!/usr/bin/env bash
# The prefix's wineserver for a whole test run: `start` makes the prefix when needed
# and starts the server detached (see qv_start_wineserver in env.sh), `stop` ends the
# server and every Wine process of the prefix and waits until they are gone. CTest runs
# them as the setup and cleanup of the fixture every Wine test requires.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/env.sh"
case "${1:-}" in
  start)
    "$here/prefix.sh" >/dev/null
    qv_start_wineserver
    ;;
  stop)
    "$wineserver" -k </dev/null >/dev/null 2>&1 || true  # none running is fine
    "$wineserver" -w </dev/null >/dev/null 2>&1 || true
    ;;
  *)
    echo "usage: server.sh start|stop" >&2
    exit 2
    ;;
esac
