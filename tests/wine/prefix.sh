#!/usr/bin/env bash
# Makes the private Wine prefix on first use and reuses it afterwards. Wine links the
# prefix's user folders (Desktop, Documents, ...) to the host user's home; those links
# are replaced by real folders inside the prefix so nothing a test does lands there.
# Prints the prefix path.
set -euo pipefail
. "$(dirname "$0")/env.sh"
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  DISPLAY= "$wine64" wineboot -i >/dev/null 2>&1 || true
  "$wineserver" -w || true
fi
for users in "$WINEPREFIX"/drive_c/users/*/; do
  for link in "$users"* "$users"AppData/Roaming/Microsoft/Windows/Templates; do
    if [ -L "$link" ]; then
      rm -f "$link"
      mkdir -p "$link"
    fi
  done
done
[ -f "$WINEPREFIX/system.reg" ] || { echo "could not make the Wine prefix $WINEPREFIX" >&2; exit 1; }
echo "$WINEPREFIX"
