#!/usr/bin/env bash
# cmake --install of the native tree: qvpack into bin/, the 32-bit stub and the
# uninstaller into share/quarvel-setup/; the installed qvpack builds a setup without
# --stub from the stub installed with it, and the build tree's qvpack from the 32-bit
# tree's stub.
#   qvpack-install.sh <native build tree> <win32 build tree> <work folder>
set -euo pipefail
native=$1 win32=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
rm -rf "$work" && mkdir -p "$work/setup" "$work/product"
printf '[Settings]\r\nProgExe=app.exe\r\n[Info]\r\nTitel=Install Test\r\n' >"$work/setup/setup.ini"
echo app >"$work/product/app.exe"

cmake --install "$native" --prefix "$work/prefix" >/dev/null || fail "cmake --install"
for f in bin/qvpack share/quarvel-setup/quarvel-setup.exe share/quarvel-setup/quarvel-uninstall.exe; do
  [ -f "$work/prefix/$f" ] || fail "cmake --install left no $f"
done
starts_with() {  # file, stub
  cmp -s -n "$(stat -c %s "$2")" "$1" "$2"
}
"$work/prefix/bin/qvpack" setup --setup "$work/setup" --product "$work/product" -o "$work/installed.exe" \
  || fail "the installed qvpack does not build without --stub"
starts_with "$work/installed.exe" "$work/prefix/share/quarvel-setup/quarvel-setup.exe" \
  || fail "the installed qvpack did not take the stub installed with it"
"$native/tools/qvpack/qvpack" setup --setup "$work/setup" --product "$work/product" -o "$work/built.exe" \
  || fail "the build tree's qvpack does not build without --stub"
starts_with "$work/built.exe" "$win32/src/stub/quarvel-setup.exe" \
  || fail "the build tree's qvpack did not take the 32-bit tree's stub"
# A qvpack alone, with no stub anywhere near it, names the option.
mkdir -p "$work/alone/bin" && cp "$native/tools/qvpack/qvpack" "$work/alone/bin/"
rc=0; "$work/alone/bin/qvpack" setup --setup "$work/setup" --product "$work/product" -o "$work/x.exe" \
  2>"$work/err.txt" || rc=$?
[ "$rc" -eq 2 ] && grep -q -- "--stub" "$work/err.txt" || fail "without any stub: exit code $rc, $(cat "$work/err.txt")"
echo "qvpack installs and finds its stub"
