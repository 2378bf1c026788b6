#!/usr/bin/env bash
# A program that cannot be started fails silently, as every task failure does: the
# shell's fallback must not put up a box of its own, which on a display (and for a
# quiet run as a service, with no one to see it) would wait forever.
#
#   silent_start.sh <win64 build tree> <output folder>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${QV_WINE64:-}" ]; then
  exec "$here/../wine/with-display.sh" "$0" "$@"
fi
. "$here/driven_lib.sh" silent_start silent-start "$@"
starter=$(winpath "$win64/tests/win32/helpers/qvstart.exe")

rc=0
timeout 60 "$QV_WINE64" "$starter" 'C:\no\such\folder\program.exe' >"$work/missing.log" 2>&1 || rc=$?
case $rc in
  3) ;;
  124) fail "starting a missing program did not come back within 60 seconds (a box is waiting)" ;;
  *) fail "starting a missing program gave exit code $rc, expected 3 (not started)"; sed 's/^/    /' "$work/missing.log" ;;
esac
# A program that exists still starts and is waited for.
rc=0
timeout 60 "$QV_WINE64" "$starter" 'C:\windows\system32\cmd.exe' '/c exit 0' >"$work/present.log" 2>&1 || rc=$?
[ "$rc" = 0 ] || fail "starting cmd.exe gave exit code $rc, expected 0"

finish "silent-start"
