#!/usr/bin/env bash
# Runs a command (usually a shell script) with a private Xvfb display, so that the
# wine64 programs it starts share one screen; the display is stopped when the
# command ends and the command's exit code is passed on. The command finds the
# Wine environment exported (WINEPREFIX, ...) and wine64 as $QV_WINE64.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/env.sh"
"$here/prefix.sh" >/dev/null

# Xvfb has no window manager, so Wine draws the window frames and captions itself;
# otherwise screenshots would show windows without their title bars.
decorated() {
  awk '/^\[Software\\\\Wine\\\\X11 Driver\]/ { inside = 1; next }
       /^\[/ { inside = 0 }
       inside && /^"Decorated"="N"/ { found = 1 }
       END { exit !found }' "$WINEPREFIX/user.reg"
}
if ! decorated; then
  (
    flock 9
    decorated || DISPLAY= "$wine64" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1 || true
  ) 9>"$WINEPREFIX.lock"
fi

qv_start_wineserver
export QV_WINE64=$wine64 QV_WINESERVER=$wineserver
exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$@"
