#!/usr/bin/env bash
# The main job: installs what is missing, builds every tree, builds the example
# product Quarvel Hello into a setup executable around the win64 stub, installs it
# quietly (/Q) under Wine in the private prefix and prints what was installed: the
# files, the shortcuts read back through the shell's link object, the registry
# values and the uninstall log. Then installs it again through the wizard on a
# private display, driven through every page to Finish, keeps a screenshot of each
# page and prints what that installation left.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QV_BUILD:-$root/build}
export QV_BUILD=$build
"$root/scripts/install-deps.sh"
QV_TREES=${QV_TREES:-native win32 win64} "$root/scripts/build.sh"
. "$root/tests/wine/env.sh"
"$root/tests/wine/server.sh" start
trap '"$root/tests/wine/server.sh" stop' EXIT

win64=$build/win64
stub=$win64/src/stub/quarvel-setup.exe
out=$build/example
mkdir -p "$out"
echo "== building $out/setup.exe from examples/ (product: $win64/example/product)"
"$build/native/tools/qvpack/qvpack" setup --stub "$stub" --setup "$win64/example/setup" \
  --product "$win64/example/product" -o "$out/setup.exe"
"$build/native/tools/qvpack/qvpack" list "$out/setup.exe"

# An earlier run's installation goes first: copies over existing files would ask
# through the file-version window, which a quiet run cannot answer.
"$root/tests/wine/run.sh" "$win64/tests/win32/install/qvinstallcheck.exe" --clean
rm -f "$out/quarvel-hello-tasks.log"
echo "== installing: setup.exe /Q"
set +e
"$root/tests/wine/run.sh" "$out/setup.exe" /Q
rc=$?
set -e
echo "setup.exe exit code: $rc"

drive_c=$WINEPREFIX/drive_c
install="$drive_c/Program Files/Quarvel Example/Hello"
user=$(ls -d "$drive_c"/users/*/AppData 2>/dev/null | grep -v /Public/ | head -1 | xargs dirname)
reg() { DISPLAY= "$wine64" reg query "$1" /s 2>/dev/null | tr -d '\r' | sed '/^$/d' || echo "  (no key $1)"; }
link() {  # a link file below the prefix
  local windows="C:${1#"$drive_c"}"
  echo "-- ${windows//\//\\}"
  "$root/tests/wine/run.sh" "$win64/tests/win32/helpers/qvlinkinfo.exe" "${windows//\//\\}" 2>/dev/null \
    | grep -E '^(target|arguments|working|icon|index|item)=' | sed 's/^/   /'
}

# What an installation of the example left; $1 is the task log of its run.
show_installation() {
  echo
  echo "== files in C:\\Program Files\\Quarvel Example\\Hello"
  (cd "$install" && find . -mindepth 1 -printf '%y %10s  %TY-%Tm-%Td %TH:%TM  %P\n' | sort -k5)
  echo
  echo "== shortcuts"
  find "$user/Desktop" "$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs" -name '*.lnk' \
    \( -path '*Quarvel*' -o -name 'Quarvel Hello*' -o -name 'Hello *' \) 2>/dev/null | sort | while read -r f; do link "$f"; done
  echo
  echo "== registry"
  reg 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\{5D0C8A41-7E2B-4F3A-9C61-2B8E4F07A9D3}'
  reg 'HKCU\Software\QuarvelExample'
  reg 'HKLM\Software\QuarvelExample'
  for key in 'HKCR\.qvhello' 'HKCR\qvhello_auto_file' 'HKCR\Applications\hello.exe' 'HKLM\Software\Classes\.qvhello'; do
    reg "$key"
  done
  echo
  echo "== uninstall log: uninstall.dat"
  tr -d '\r' < "$install/uninstall.dat"
  echo
  echo "== updater language file: qvIUpd\\qvIUpdater.lng"
  tr -d '\r' < "$install/qvIUpd/qvIUpdater.lng"
  echo
  echo "== written by the setup's script: script-constants.txt"
  tr -d '\r' < "$install/script-constants.txt"
  echo
  echo "== programs the setup ran (quarvel-hello-tasks.log)"
  tr -d '\r' < "$1"
}
show_installation "$out/quarvel-hello-tasks.log"
[ "$rc" -eq 0 ] || exit $rc

# The wizard run: the test's walk through every page, the installation left in place.
echo
echo "== installing through the wizard (every page driven, on a private display)"
"$root/tests/wine/run.sh" "$win64/tests/win32/install/qvinstallcheck.exe" --clean
set +e
QV_KEEP_INSTALLATION=1 "$root/tests/e2e/wizard-example.sh" "$build/native/tools/qvpack/qvpack" "$win64" "$out"
rc=$?
set -e
echo "wizard run: $([ $rc -eq 0 ] && echo "every page and the installation checked" || echo "FAILED ($rc)")"
echo "screenshots of the pages: $out/screenshots/"
ls "$out/screenshots/" | grep '^wizard_' | sed 's/^/  /'
show_installation "$out/wizard-example/quarvel-hello-tasks.log"
echo
echo "== the wizard run's state key for the next run"
reg 'HKCU\Software\Quarvel\{5D0C8A41-7E2B-4F3A-9C61-2B8E4F07A9D3}'
exit $rc
