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
