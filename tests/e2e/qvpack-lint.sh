#!/usr/bin/env bash
# qvpack setup checks a setup before it writes anything: each mistake in a setup folder
# gives its message with file and line; errors stop the build (exit code 1, no output
# file), warnings do not, unless --strict.
#   qvpack-lint.sh <qvpack> <work folder>
set -euo pipefail
qvpack=$1 work=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/qvpack_lib.sh"
rm -rf "$work" && mkdir -p "$work"
stub=$work/stub.exe
head -c 4096 /dev/urandom >"$stub"
mkdir -p "$work/product" && echo app >"$work/product/app.exe"
good() {
  rm -rf "$work/setup" && mkdir -p "$work/setup"
  printf '[Settings]\r\nLanguage=english.lng#9|\r\nProgExe=app.exe\r\nDefaultDir=%%ProgramFiles%%Vendor\\App\r\n' >"$work/setup/setup.ini"
  printf '[Info]\r\nTitel=App\r\n[UserTask]\r\nBeforeSetup=before.exe\r\nNumber=1\r\nTask1=5|a.txt|a.txt|%%ProgDir%%\r\n' \
    >>"$work/setup/setup.ini"
  printf '[Install]\r\nMsg0=Space:\r\n' >"$work/setup/english.lng"
  echo a >"$work/setup/a.txt" && echo b >"$work/setup/before.exe"
}
# setup with one sed expression applied to setup.ini (or english.lng), expected exit code, message
check() {  # file, sed expression, exit code, message, extra arguments...
  local file=$1 expression=$2 code=$3 message=$4; shift 4
  good
  [ -z "$expression" ] || sed -i "$expression" "$work/setup/$file"
  rm -f "$work/out.exe"
  expect_exit "$code" "$qvpack" setup --stub "$stub" --setup "$work/setup" --product "$work/product" \
    -o "$work/out.exe" --no-uninstaller "$@"
  if [ -z "$message" ]; then
    [ ! -s "$work/err.txt" ] || fail "a clean setup gave messages: $(cat "$work/err.txt")"
  else
    grep -q -F -- "$message" "$work/err.txt" || fail "expected \"$message\", got: $(cat "$work/err.txt")"
  fi
  if [ "$code" -ne 0 ]; then [ ! -e "$work/out.exe" ] || fail "a refused setup was written: $message"; fi
}
check setup.ini '' 0 ''
check setup.ini 's/^Titel=/Title=/' 0 'setup.ini:6: warning: unknown key Title in [Info]; did you mean Titel?'
check setup.ini 's/^Titel=/Title=/' 1 'warning: no Titel in [Info]' --strict
check setup.ini 's/^\[Info\]/[Infos]/' 0 'unknown group [Infos]; did you mean [Info]?'
check setup.ini 's/^ProgExe=app.exe/ProgExe=missing.exe/' 1 'setup.ini:3: error: ProgExe missing.exe is not in the product folder'
check setup.ini 's/english.lng#9/deutsch.lng#7/' 1 'error: language file deutsch.lng is not in the setup folder'
check english.lng 's/^Msg0=/Msg00=/' 0 'english.lng:2: warning: unknown key Msg00 in [Install]; did you mean Msg0?'
check setup.ini 's/^BeforeSetup=before.exe/BeforeSetup=gone.exe/' 1 'error: BeforeSetup gone.exe is not in the setup folder'
check setup.ini 's/^Task1=.*/Task1=11|x/' 1 'setup.ini:10: error: Task1: no task has the kind 11'
check setup.ini 's/^Task1=.*/Task1=6|2147483649/' 1 'error: Task1: kind 6 needs 3 fields after the kind'
check setup.ini 's/^Task1=5|a.txt|a.txt/Task1=5|b.txt|b.txt/' 1 'error: Task1: the source b.txt is not in the setup folder'
check setup.ini 's/^Number=1/Number=2/' 0 'warning: Number=2 but no Task2'
check setup.ini 's/^DefaultDir=.*/DefaultDir=%ProgramFiles%/' 1 'installs into a shared folder'
check setup.ini 's/^ProgExe=/Split=1\r\nProgExe=/' 1 'Split=1 without --split'
check setup.ini '' 1 '--split without Split=1' --split
echo "qvpack setup checks what it builds"
