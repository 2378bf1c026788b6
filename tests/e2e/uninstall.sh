#!/usr/bin/env bash
# The uninstaller under Wine, against the real registry, shell links and files: the
# example installed quietly and removed by the command of its uninstall entry, the
# prefix compared before the install and after the removal (its files with their
# sizes, and the Software keys of the machine and the user):
#   1. quietly (/Q), with a link and a file already gone: exit code 0, the machine as
#      it was; a folder beside the install folder and a file that a copy task met
#      there before the install stay; regdemo.dll unregistered itself;
#   2. quietly with a file the user put into the install folder: exit code 3, that
#      file and its folder stay, the rest is gone;
#   3. through the window: Cancel removes nothing (exit code 1); OK with DelAll
#      removes the user's file too;
#   4. the product running: /Q ends with 1 and removes nothing; the window's run
#      warns, and goes on once the product has ended;
#   5. logs that must not remove: a damaged one (exit code 2), and one whose install
#      folder is C:\ (only the listed file goes, no folder; exit code 3).
#   uninstall.sh <qvpack> <win64 build tree> <output folder>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${QV_WINE64:-}" ]; then
  exec "$here/../wine/with-display.sh" "$0" "$@"
fi
[ $# -eq 3 ] || { echo "usage: uninstall.sh <qvpack> <win64 build tree> <output folder>" >&2; exit 2; }
qvpack=$1
shift
. "$here/driven_lib.sh" uninstall uninstall "$@"
export LC_ALL=C  # Wine takes the user's language from the locale: English here
check=$win64/tests/win32/install/qvinstallcheck.exe
example=$win64/example
for f in "$win64/src/stub/quarvel-setup.exe" "$win64/src/uninstaller/quarvel-uninstall.exe" "$check"; do
  [ -e "$f" ] || { echo "missing $f (build the win64 tree)"; exit 1; }
done
drive_c=$WINEPREFIX/drive_c
prog="$drive_c/Program Files/Quarvel Example/Hello"
appdata=$(echo "$drive_c"/users/*/AppData/Roaming)
# The example's task program logs the before and after programs of the removal here.
export SetupExeDir="$(winpath "$work")\\"
tasklog=$work/quarvel-hello-tasks.log

"$qvpack" setup --stub "$win64/src/stub/quarvel-setup.exe" --setup "$example/setup" --product "$example/product" \
  -o "$work/setup.exe" >/dev/null || { echo "qvpack setup failed"; exit 1; }
clean() { "$QV_WINE64" "$check" --clean >/dev/null 2>&1 || true; rm -rf "$drive_c/qv-root-test"; }
clean
trap clean EXIT

# The prefix's files (sizes of files only) and Software keys, without what Wine and
# the shell change by themselves: temporary folders, the shell's own records and
# Wine's settings of the user (its window metrics and colours).
snapshot() {  # name
  # Wine registers its own components in the background after its prefix was updated:
  # the snapshot is taken when two in a row agree.
  local i
  for i in 1 2 3 4 5 6; do
    take_snapshot "$1"
    if [ "$i" -gt 1 ] && cmp -s "$work/$1.files" "$work/$1.files.last" && cmp -s "$work/$1.reg" "$work/$1.reg.last"
    then return; fi
    mv "$work/$1.files" "$work/$1.files.last"
    mv "$work/$1.reg" "$work/$1.reg.last"
    sleep 1
  done
  take_snapshot "$1"
}
take_snapshot() {  # name
  (cd "$drive_c" && find . \( -path './users/*/Temp' -o -path './windows/temp' -o -path './windows/logs' \) -prune \
    -o -type f -printf 'f %s %P\n' -o -type d -printf 'd %P\n' -o -printf '%y %P\n') | sort >"$work/$1.files"
  : >"$work/$1.reg"
  for key in 'HKEY_LOCAL_MACHINE\Software' 'HKEY_CURRENT_USER\Software'; do
    "$QV_WINE64" reg export "$key" "$(winpath "$work/$1.part")" /y >/dev/null 2>&1 || true
    iconv -f UTF-16LE -t UTF-8 "$work/$1.part" | tr -d '\r\357\273\277' |
      awk '/^\[/ { skip = ($0 ~ /\\Explorer\\(RecentDocs|ComDlg32|MountPoints2)|CURRENT_USER\\Software\\Wine[\\\]]|\\ShellNoRoam/) }
           !skip' >>"$work/$1.reg"
  done
}
same_as_before() {  # name of the snapshot after, what is allowed to differ (a grep pattern)
  local allowed=${2:-^$}
  local d
  d=$(diff "$work/before.files" "$work/$1.files" | grep '^[<>]' | grep -v -- "$allowed" || true)
  [ -z "$d" ] || { fail "$1: the files differ from before the install:"; echo "$d" | head -20 | sed 's/^/    /'; }
  d=$(diff "$work/before.reg" "$work/$1.reg" | grep '^[<>]' || true)
  [ -z "$d" ] || { fail "$1: the registry differs from before the install:"; echo "$d" | head -20 | sed 's/^/    /'; }
}
install_quietly() {
  "$QV_WINE64" "$work/setup.exe" /Q >/dev/null 2>&1 || { fail "the quiet install failed"; return 1; }
  [ -f "$prog/uninstall.exe" ] || fail "the install left no uninstall.exe"
}
uninstall() {  # expected exit code, arguments...
  local expected=$1 rc=0; shift
  timeout 120 "$QV_WINE64" "$prog/uninstall.exe" "$@" >/dev/null 2>&1 || rc=$?
  [ "$rc" -ne 124 ] || fail "uninstall.exe $* did not end within 120 seconds"
  [ "$rc" -eq "$expected" ] || fail "uninstall.exe $* exited with $rc, expected $expected"
}
# The copy in the temporary folder removes the uninstaller once it has ended.
wait_gone() {  # path
  local i
  for i in $(seq 100); do [ -e "$1" ] || return 0; sleep 0.1; done
  fail "$1 is still there"
}
registered() { "$QV_WINE64" reg query 'HKCU\Software\QuarvelExample\Hello' /v Registered >/dev/null 2>&1; }

# 1. A folder beside the install folder, and the file a copy task will meet.
mkdir -p "$drive_c/Program Files/Quarvel Example/Beside" "$appdata/Quarvel Hello"
echo keep >"$drive_c/Program Files/Quarvel Example/Beside/keep.txt"
cp "$example/setup/extras.txt" "$appdata/Quarvel Hello/hello-notes.txt"
snapshot before
install_quietly
registered || fail "regdemo.dll did not register itself"
command=$("$QV_WINE64" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\{5D0C8A41-7E2B-4F3A-9C61-2B8E4F07A9D3}' /v UninstallString 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p' || true)
[ -n "$command" ] || fail "no uninstall entry with an UninstallString"
rm -f "$prog/readme.txt" "$drive_c"/users/*/Desktop/*Hello*Readme*.lnk
: >"$tasklog"
# The command as the system's list of programs runs it.
rc=0; timeout 120 "$QV_WINE64" "${command//\"/}" /Q >/dev/null 2>&1 || rc=$?
[ "$rc" -eq 0 ] || fail "the uninstall entry's command exited with $rc, expected 0"
wait_gone "$prog"
snapshot quiet
same_as_before quiet
registered && fail "regdemo.dll was not unregistered"
grep -q '^before-uninstall |' "$tasklog" || fail "the before program did not run"
grep -q '^after-uninstall | .*\\Temp\\' "$tasklog" || fail "the after program did not run from its copy"

# 2. A file of the user's in the install folder stays, and keeps the folder.
install_quietly
echo mine >"$prog/data/mine.txt"
uninstall 3 /Q
wait_gone "$prog/uninstall.exe"
[ -f "$prog/data/mine.txt" ] || fail "the user's file was removed without DelAll"
snapshot userfile
same_as_before userfile ' Program Files/Quarvel Example/Hello\(/data\(/mine.txt\)\?\)\?$'
rm -rf "$prog"

# 3. The window: Cancel, then OK with DelAll; 4. the product running. The driver ends
# what its programs started when its script ends: the last step gives the uninstaller's
# copy the moment it needs.
install_quietly
echo mine >"$prog/data/mine.txt"
titel='" Uninstall Quarvel Hello"'
# Command lines for the driver's start: quoted text, the program's path in quotes.
uninstaller='"\"C:\\Program Files\\Quarvel Example\\Hello\\uninstall.exe\""'
quietly='"\"C:\\Program Files\\Quarvel Example\\Hello\\uninstall.exe\" /Q"'
hello='"\"C:\\Program Files\\Quarvel Example\\Hello\\hello.exe\""'
cat >"$work/window.txt" <<STEPS
start $uninstaller
window $titel
expect-text 73 "Quarvel Hello"
expect-checked 74 0
expect-visible 77 1
screenshot uninstall.bmp
click 77
wait-exit 1
start $hello
window " Quarvel Hello 1.2.0"
start $quietly
wait-exit 1
start $uninstaller
window "Uninstall Quarvel Hello"
screenshot running.bmp
window " Quarvel Hello 1.2.0"
click 1
wait-no-process hello.exe
window "Uninstall Quarvel Hello"
click 1
window $titel
click 74
click 76
timeout 60000
wait-visible 77 0
expect-text 76 Ready
expect-text 75 "Uninstalling completed."
screenshot done.bmp
click 76
wait-exit 0
sleep 3000
STEPS
if drive window.txt 0; then
  wait_gone "$prog"
  snapshot window
  same_as_before window
  [ -f "$work/uninstall.bmp" ] && convert "$work/uninstall.bmp" "$shots/uninstaller.png"
  [ -f "$work/done.bmp" ] && convert "$work/done.bmp" "$shots/uninstaller_done.png"
fi

# 5. Logs that must not remove what they name.
root="$drive_c/qv-root-test"
mkdir -p "$root/Prog"
cp "$win64/src/uninstaller/quarvel-uninstall.exe" "$root/Prog/uninstall.exe"
echo listed >"$root/listed.txt"
printf '[Settings]\r\nProgDir=C:\\qv-root-test\\Prog\\\r\n\001\002[Files]\r\nNumber=99999999999\r\nFile1=..\\listed.txt\r\n' \
  >"$root/Prog/uninstall.dat"
rc=0; timeout 60 "$QV_WINE64" "$root/Prog/uninstall.exe" /Q >/dev/null 2>&1 || rc=$?
[ "$rc" -eq 0 ] || fail "a log naming a path out of its folder: exit code $rc, expected 0"
[ -f "$root/listed.txt" ] || fail "a file outside the install folder was removed"
wait_gone "$root/Prog/uninstall.exe"
mkdir -p "$root/Prog"
cp "$win64/src/uninstaller/quarvel-uninstall.exe" "$root/Prog/uninstall.exe"
printf 'garbage\000\377' >"$root/Prog/uninstall.dat"
mkdir -p "$root/Prog/kept"
rc=0; timeout 60 "$QV_WINE64" "$root/Prog/uninstall.exe" /Q >/dev/null 2>&1 || rc=$?
[ "$rc" -eq 2 ] || fail "a damaged log: exit code $rc, expected 2"
[ -d "$root/Prog/kept" ] || fail "a damaged log removed a folder"
# The drive root as install folder: the listed file goes, folders stay.
cp "$win64/src/uninstaller/quarvel-uninstall.exe" "$drive_c/qv-uninstall.exe"
printf '[Settings]\r\nProgDir=C:\\\r\n[Files]\r\nNumber=3\r\nFile1=qv-root-test\\listed.txt\r\nFile2=qv-root-test\\\r\nFile3=windows\\\r\n' \
  >"$drive_c/uninstall.dat"
rc=0; timeout 60 "$QV_WINE64" "$drive_c/qv-uninstall.exe" /Q >/dev/null 2>&1 || rc=$?
[ "$rc" -eq 3 ] || fail "C:\\ as install folder: exit code $rc, expected 3"
[ -f "$root/listed.txt" ] && fail "C:\\ as install folder: the listed file stayed"
[ -d "$root" ] && [ -d "$drive_c/windows/system32" ] || fail "C:\\ as install folder: a folder was removed"
rm -f "$drive_c/qv-uninstall.exe" "$drive_c/uninstall.dat"
finish uninstall
