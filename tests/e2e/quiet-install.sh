#!/usr/bin/env bash
# End to end under Wine: the example product Quarvel Hello built into setup
# executables around the win64 stub and installed quietly, four times:
#   1. the example as it is, into its default folder below Program Files;
#   2. again over that installation after the user changed it (kept extensions,
#      the earlier uninstall log kept);
#   3. split: the product package beside the setup executable, with /P and /S;
#   4. in German only, with Reboot=1: the restart prompt is called.
# After each, qvinstallcheck reads back what the install left; each run must exit 0.
#   quiet-install.sh <qvpack> <win64 build tree> <work folder>
set -euo pipefail
qvpack=$1 tree=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../wine/env.sh"
"$here/../wine/prefix.sh" >/dev/null

# Wine takes the user's language from the locale: English here, whatever the host's.
export LC_ALL=C
fail() { echo "FAIL: $*" >&2; exit 1; }
winpath() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }

stub=$tree/src/win32/stub/quarvel-setup.exe
check=$tree/tests/win32/install/qvinstallcheck.exe
example=$tree/example
for f in "$stub" "$check" "$example/setup/setup.ini" "$example/product/hello.exe"; do
  [ -e "$f" ] || fail "missing $f (build the win64 tree)"
done
rm -rf "$work" && mkdir -p "$work"
work=$(cd "$work" && pwd)
drive_c=$WINEPREFIX/drive_c
program_files="$drive_c/Program Files"

# A setup folder like the example's with some setup.ini lines changed (sed expressions).
variant() {  # name, sed expressions...
  local name=$1; shift
  cp -r "$example/setup" "$work/$name-setup"
  local e; for e in "$@"; do sed -i "$e" "$work/$name-setup/setup.ini"; done
}
# Runs one setup executable; its exit code must be 0. Wine's setupapi reports each
# SetupPromptReboot call on the fixme channel, which goes to <exe>.log.
install() {  # setup.exe, arguments...
  local exe=$1; shift
  rm -f "$(dirname "$exe")/quarvel-hello-tasks.log"
  echo "== $(basename "$(dirname "$exe")"): setup.exe $*"
  set +e
  WINEDEBUG=fixme+setupapi "$here/../wine/run.sh" "$exe" "$@" 2> "$exe.log"
  local rc=$?
  set -e
  [ $rc -eq 0 ] || { cat "$exe.log" >&2; fail "$exe exited with $rc"; }
}
# qvinstallcheck with the run's facts.
checks() {  # filter, install folder (Windows), setup folder, task log, menu, language, language id
  QV_E2E_INSTALL=$2 QV_E2E_PRODUCT="$(winpath "$example/product/")" QV_E2E_SETUP="$(winpath "$3/")" \
  QV_E2E_TASKLOG="$(winpath "$4")" QV_E2E_MENU=$5 QV_E2E_LANGUAGE=$6 QV_E2E_LANGUAGE_ID=$7 \
    "$here/../wine/run.sh" "$check" --gtest_filter="$1" --gtest_color=no || fail "checks $1 after $4"
}
reboot_calls() { grep -c 'SetupPromptReboot' "$1" || true; }

"$here/../wine/run.sh" "$check" --clean
trap '"$here/../wine/run.sh" "$check" --clean || true' EXIT

# 1. The example as it is. Wine's English locale picks english.lng (number 9).
mkdir -p "$work/example"
"$qvpack" setup --stub "$stub" --setup "$example/setup" --product "$example/product" -o "$work/example/setup.exe" \
  >/dev/null || fail "qvpack setup"
install "$work/example/setup.exe" /Q
default='C:\Program Files\Quarvel Example\Hello\'
checks 'Installed.*' "$default" "$example/setup" "$work/example/quarvel-hello-tasks.log" \
  'Quarvel Example\Hello' english 9
[ "$(reboot_calls "$work/example/setup.exe.log")" -eq 0 ] || fail "a run without Reboot prompted for a restart"

# 2. The user changes the installation, then installs again. The copies of the user
# tasks are removed first: an existing destination would bring up the file-version
# window, which waits for an answer.
installed="$program_files/Quarvel Example/Hello"
printf '[Greeting]\r\nText=Changed by the user\r\n' > "$installed/hello.ini"
printf 'window=left\r\n' > "$installed/user.cfg"
echo "changed" > "$installed/readme.txt"
echo "changed" > "$installed/hello.exe"
printf '[Earlier]\r\nKept=yes\r\n' >> "$installed/uninstall.dat"
sed -i 's/^\[UserTask\]\r$/&\nTask99=0|C:\\earlier.lnk\r/' "$installed/uninstall.dat"
grep -q '^Task99=' "$installed/uninstall.dat" || fail "the earlier log has no group UserTask"
rm -rf "$installed/docs/extras.txt" "$drive_c"/users/*/AppData/Roaming/"Quarvel Hello"
install "$work/example/setup.exe" /Q
checks 'Reinstalled.*' "$default" "$example/setup" "$work/example/quarvel-hello-tasks.log" \
  'Quarvel Example\Hello' english 9

# 3. Split: the product package beside the executable, into a folder of /P's choice
# and a start-menu folder of /S's.
variant split 's/^Split=0/Split=1/'
mkdir -p "$work/split"
"$qvpack" setup --stub "$stub" --setup "$work/split-setup" --product "$example/product" -o "$work/split/setup.exe" \
  --split >/dev/null || fail "qvpack setup --split"
[ -f "$work/split/setup.pkj" ] || fail "no setup.pkj beside the split setup"
"$qvpack" list "$work/split/setup.exe" | grep -q 'setup\.pck' && fail "the split setup carries setup.pck"
rm -rf "$drive_c"/users/*/AppData/Roaming/"Quarvel Hello"
install "$work/split/setup.exe" /Q '/P:C:\Quarvel E2E\Split Hello' '/S:Quarvel E2E\Split Menu'
checks 'Installed.*' 'C:\Quarvel E2E\Split Hello\' "$work/split-setup" "$work/split/quarvel-hello-tasks.log" \
  'Quarvel E2E\Split Menu' english 9

# 4. German as the only language (chosen without the automatic choice, so
# %LanguageID% is 0), with a restart asked for at the end.
variant german 's/^Language=.*/Language=german.lng#7|/' 's/^Reboot=0/Reboot=1/'
mkdir -p "$work/german"
"$qvpack" setup --stub "$stub" --setup "$work/german-setup" --product "$example/product" -o "$work/german/setup.exe" \
  >/dev/null || fail "qvpack setup (German)"
rm -rf "$drive_c"/users/*/AppData/Roaming/"Quarvel Hello"
install "$work/german/setup.exe" /Q '/P:C:\Quarvel E2E\Hallo Welt'
checks 'Installed.*' 'C:\Quarvel E2E\Hallo Welt\' "$work/german-setup" "$work/german/quarvel-hello-tasks.log" \
  'Quarvel Example\Hello' german 0
[ "$(reboot_calls "$work/german/setup.exe.log")" -eq 1 ] || fail "SetupPromptReboot was not called once"
echo "the example installed quietly four times, each as expected"
