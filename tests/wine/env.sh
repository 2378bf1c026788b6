# Sourced by the Wine harness: the private prefix inside the build tree and the
# environment every Wine run gets.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export WINEPREFIX=${QV_WINEPREFIX:-${QV_BUILD:-$root/build}/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64
unset DISPLAY_FROM_HOST
wine64=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

# Starts the prefix's wineserver, unless one runs already, detached from the caller:
# its standard streams on /dev/null and no other descriptor inherited. A server that a
# Wine program starts on its own keeps that program's output pipe open for as long as
# it lives, and CTest then waits for the server instead of the test. The same holds for
# the prefix's system processes (services.exe and the rest), which the first Wine
# program of a new server starts with its own standard streams: a program of no
# interest starts them here, detached too. The server stays for `persist` idle seconds
# (default 120); tests/wine/server.sh stop ends it sooner.
qv_start_wineserver() {
  local persist=${1:-120}
  (
    for fd in /proc/self/fd/*; do
      fd=${fd##*/}
      [ "$fd" -gt 2 ] 2>/dev/null && eval "exec $fd>&-"
    done
    exec </dev/null >/dev/null 2>&1
    # 2: a server runs already, and with it the system processes.
    "$wineserver" "-p$persist" && DISPLAY= "$wine64" cmd /c exit 0
  ) || true
}
