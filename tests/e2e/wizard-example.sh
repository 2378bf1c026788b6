#!/usr/bin/env bash
# The example product installed through the wizard under Wine, driven by the window
# test driver through every page as a user would: the welcome page, the licence
# (decline and accept), the settings page (the install folder typed elsewhere and
# completed when the focus leaves it, the start-menu field emptied and refilled, the
# no-start-menu box), the readme, Back, the installation page, Install and the finish
# view; Finish starts the installed program. qvinstallcheck then reads back what the
# wizard run left, as thoroughly as after the quiet install, and its uninstall entry's
# command removes it again. Before it, the wizard's layout is read back from a live
# window and compared with the table.
#
#   wizard-example.sh <qvpack> <win64 build tree> <output folder>
#
# QV_KEEP_INSTALLATION=1 leaves the installation in the prefix afterwards.
#
# Screenshots of every page are kept as PNG in <output folder>/screenshots/.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${QV_WINE64:-}" ]; then
  exec "$here/../wine/with-display.sh" "$0" "$@"
fi
[ $# -eq 3 ] || { echo "usage: wizard-example.sh <qvpack> <win64 build tree> <output folder>" >&2; exit 2; }
qvpack=$1
shift
. "$here/driven_lib.sh" wizard_example wizard-example "$@"
export LC_ALL=C  # Wine takes the user's language from the locale: English here
check=$win64/tests/win32/install/qvinstallcheck.exe
example=$win64/example
for f in "$win64/src/stub/quarvel-setup.exe" "$win64/src/uninstaller/quarvel-uninstall.exe" "$check" "$example/setup/setup.ini" "$win64/tests/win32/helpers/qvwizardlayout.exe"; do
  [ -e "$f" ] || { echo "missing $f (build the win64 tree)"; exit 1; }
done
backslashed() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }  # for the checks' paths
keep_screenshot() {  # bmp, png name
  if [ -f "$1" ]; then convert "$1" "$shots/$2"; else fail "no screenshot $(basename "$1")"; fi
}

# 1. The layout, read back in the window's own process, on the driver's desktop (the
# prefix's own desktop may have been started without a display by an earlier test).
cat >"$work/layout.txt" <<STEPS
start $(winpath "$win64/tests/win32/helpers/qvwizardlayout.exe")
wait-exit 0
STEPS
drive layout.txt 0 || true

# 2. Every page, then the installation.
"$qvpack" setup --stub "$win64/src/stub/quarvel-setup.exe" --setup "$example/setup" --product "$example/product" \
  -o "$work/setup.exe" >/dev/null || fail "qvpack setup"
"$QV_WINE64" "$check" --clean
# The main job keeps the installation to show it.
[ -n "${QV_KEEP_INSTALLATION:-}" ] || trap '"$QV_WINE64" "$check" --clean >/dev/null 2>&1 || true' EXIT
caption='" Quarvel Hello 1.2.0"'
cat >"$work/walk.txt" <<STEPS
start $(winpath "$work/setup.exe")
window $caption
expect-visible 26 1
expect-visible 5 0
expect-visible 12 0
expect-text 4 https://example.org/quarvel-hello/
screenshot page1.bmp
click 6
expect-visible 12 1
expect-visible 26 0
expect-visible 5 1
expect-checked 15 1
expect-enabled 6 0
click 14
expect-enabled 6 1
click 15
expect-enabled 6 0
click 14
screenshot page2.bmp
click 6
expect-visible 16 1
expect-text 19 C:\\Program Files\\Quarvel Example\\Hello
expect-text 22 Quarvel Example\\Hello\\
expect-checked 25 1
click-mouse 19
type 19 D:\\Apps
click-mouse 22
expect-text 19 D:\\Apps\\Hello
click-mouse 19
type 19 C:\\Program Files\\Quarvel Example\\Hello
click-mouse 22
expect-text 19 C:\\Program Files\\Quarvel Example\\Hello
type 22 ""
key TAB
expect-text 22 Quarvel Example\\Hello
click 24
expect-enabled 22 0
expect-enabled 23 0
click 24
expect-enabled 22 1
expect-enabled 23 1
screenshot page3.bmp
click 6
expect-visible 10 1
expect-visible 16 0
screenshot page4.bmp
click 5
expect-visible 16 1
expect-visible 10 0
click 6
click 6
expect-visible 31 1
expect-visible 30 1
expect-visible 1 0
expect-visible 8 1
expect-visible 6 0
expect-text 34 "Required disk space: about 1 MB"
screenshot page5.bmp
click 8
timeout 120000
wait-visible 9 1
timeout 20000
expect-visible 7 0
expect-visible 37 0
expect-checked 36 1
expect-text 34 "Installation completed"
screenshot finish.bmp
click 9
wait-exit 0
window $caption
expect-text 1 Close
screenshot hello.bmp
click 1
STEPS
if drive walk.txt 0; then
  for page in 1 2 3 4 5; do keep_screenshot "$work/page$page.bmp" "wizard_page$page.png"; done
  keep_screenshot "$work/finish.bmp" wizard_finish.png
  keep_screenshot "$work/hello.bmp" wizard_started_program.png
  # The same checks as after the quiet install, the uninstall entry among them.
  QV_E2E_RUN=wizard QV_E2E_INSTALL='C:\Program Files\Quarvel Example\Hello\' \
  QV_E2E_UNINSTALLER="$(backslashed "$win64/src/uninstaller/quarvel-uninstall.exe")" \
  QV_E2E_PRODUCT="$(backslashed "$example/product/")" QV_E2E_SETUP="$(backslashed "$example/setup/")" \
  QV_E2E_TASKLOG="$(backslashed "$work/quarvel-hello-tasks.log")" QV_E2E_MENU='Quarvel Example\Hello' \
  QV_E2E_LANGUAGE=english QV_E2E_LANGUAGE_ID=9 \
    "$QV_WINE64" "$check" --gtest_filter='Installed.*' \
    --gtest_color=no >"$work/checks.log" 2>&1 || { fail "qvinstallcheck after the wizard run:"; sed 's/^/    /' "$work/checks.log"; }
  # The wizard's installation is removed by its uninstall entry's command as well.
  if [ -z "${QV_KEEP_INSTALLATION:-}" ]; then
    entry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\{5D0C8A41-7E2B-4F3A-9C61-2B8E4F07A9D3}'
    command=$("$QV_WINE64" reg query "$entry" /v UninstallString 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
    rc=0; timeout 120 "$QV_WINE64" "${command//\"/}" /Q >/dev/null 2>&1 || rc=$?
    [ "$rc" -eq 0 ] || fail "the wizard's installation: its uninstall entry's command exited with $rc"
    installed="$WINEPREFIX/drive_c/Program Files/Quarvel Example"
    for i in $(seq 100); do [ -e "$installed" ] || break; sleep 0.1; done
    [ ! -e "$installed" ] || fail "the wizard's installation is still there after its removal: $(ls "$installed")"
    "$QV_WINE64" reg query 'HKCU\SOFTWARE\Quarvel\{5D0C8A41-7E2B-4F3A-9C61-2B8E4F07A9D3}' >/dev/null 2>&1 &&
      fail "the state key is still there after the removal"
  fi
fi
finish wizard-example
