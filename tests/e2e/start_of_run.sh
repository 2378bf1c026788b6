#!/usr/bin/env bash
# The start of a run under Wine, with setup executables that qvpack builds around the
# win64 stub, each carrying setup.ini, two language files (one in a subfolder) and a
# before-task program. Driven by the window test driver:
#   1. the language chooser picks the German file, whose texts the running-program
#      warning shows for a product found by its process name (other letter case, a
#      folder part in ProgExe); OK goes on: the before task runs in the temporary
#      folder, the wizard comes, and after its Cancel the run leaves no temporary folder. The same setup run quietly asks
#      nothing: the first language, no warning, nothing installed, exit code 4;
#   2. Cancel at the warning (the Return key: Cancel is the default button) removes
#      the temporary folder and ends the run before the before task;
#   3. a mutex another program holds shows the warning (and ends a quiet run with exit
#      code 4); with a free mutex the running program named by ProgExe is not looked
#      for, and the quiet run installs;
#   4. a before task ending with exit code 1 ends the run silently and leaves the
#      temporary folder; the quiet run says so with exit code 1;
#   5. a missing before-task program shows the damaged-installation box; OK ends the
#      run with exit code 0 and the temporary folder stays. A quiet run shows no box
#      and ends with exit code 2.
# Every setup folder holds a marker file of its own, which finds its temporary folder
# even while other tests run setup executables in the same prefix.
#
#   start_of_run.sh <qvpack> <win64 build tree> <output folder>
#
# Screenshots are kept as PNG in <output folder>/screenshots/.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${QV_WINE64:-}" ]; then
  exec "$here/../wine/with-display.sh" "$0" "$@"
fi
[ $# -eq 3 ] || { echo "usage: start_of_run.sh <qvpack> <win64 build tree> <output folder>" >&2; exit 2; }
qvpack=$1
win64=$(cd "$2" && pwd)
mkdir -p "$3"
out=$(cd "$3" && pwd)
work=$out/start-of-run
shots=$out/screenshots
rm -rf "$work"
mkdir -p "$work" "$shots"

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
winpath() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }
driver=$(winpath "$win64/tests/win32/driver/qvdrive.exe")
stub=$win64/src/stub/quarvel-setup.exe
task=$win64/tests/win32/helpers/qvtask.exe
for f in "$stub" "$task" "$win64/tests/win32/driver/qvdrive.exe"; do
  [ -f "$f" ] || { echo "missing $f (build the win64 tree)"; exit 1; }
done
tag=$$-$RANDOM
product=qvprod-$tag.EXE  # the running product's file name
mkdir -p "$work/bin"
cp "$task" "$work/bin/$product"
cp "$task" "$work/bin/holder-$tag.exe"

# A setup executable: setup.ini from the arguments, english.lng, lang\german.lng, the
# before-task program pre.exe and the case's marker.
make_setup() {  # case, setup.ini lines...
  local name=$1; shift
  local setup=$work/$name/setup
  mkdir -p "$setup/lang" "$work/$name/product"
  printf '%s\r\n' "$@" > "$setup/setup.ini"
  printf '[Requester]\r\nRQ4_Titel=Warning EN\r\n' > "$setup/english.lng"
  printf "[Requester]\r\nRQ4_Titel=Warnung\r\nRQ4_Msg=Bitte '\$Titel' beenden!\r\nRQ4_Msg2=Dann OK druecken!\r\n" \
    > "$setup/lang/german.lng"
  cp "$task" "$setup/pre.exe"
  echo "$name" > "$setup/marker-$tag-$name.txt"
  echo "product file" > "$work/$name/product/readme.txt"
  "$qvpack" setup --stub "$stub" --setup "$setup" --product "$work/$name/product" -o "$work/$name/setup.exe" --no-check \
    >/dev/null || fail "qvpack setup for $name"
}
common=("[Info]" "Titel=Guard Test" "Version=1.5" "[Task]" "StartMenu=0" "Desktop=0" "NoUninstall=1")
# The quiet run installs into a folder of the test's own; it makes no links, no state
# key and no uninstall entry.
quiet() { echo "/Q \"/P:$(winpath "$work/$1/installed")\""; }

temp_folders_of() {  # case: the temporary folders still holding its marker
  find "$WINEPREFIX/drive_c/users" -maxdepth 6 -name "marker-$tag-$1.txt" -path '*emp/{*}/*' 2>/dev/null \
    | xargs -r -n1 dirname
}
before_ran_in_temp() {  # marker written by the before task
  [ -f "$1" ] && grep -q '^folder=.*\\{[0-9A-F-]*}$' "$1"
}

drive() {  # script name, expected exit code
  local rc=0
  "$QV_WINE64" "$driver" "$(winpath "$work/$1")" >"$work/$1.log" 2>&1 || rc=$?
  if [ "$rc" != "$2" ]; then
    fail "$1: qvdrive exited with $rc, expected $2"
    sed 's/^/    /' "$work/$1.log"
    return 1
  fi
}
keep_screenshot() {  # bmp, png name
  if [ -f "$1" ]; then convert "$1" "$shots/$2"; else fail "no screenshot $(basename "$1")"; fi
}

# 1. Chooser, German warning for the product found by name, OK: the run goes on.
make_setup one "[Settings]" 'Language=english.lng#1001|lang\german.lng#1002|' "ProgExe=Bin\\QVPROD-$tag.exe" \
  "${common[@]}" "[UserTask]" "BeforeSetup=pre.exe" "BeforeParam=exit 0 \"$(winpath "$work/one/before.txt")\""
cat >"$work/one.txt" <<STEPS
start $(winpath "$work/bin/$product") sleep 120000
start $(winpath "$work/one/setup.exe")
window " Quarvel"
expect-items 2 " english| lang\\\\german"
select 2 1
click 1
window Warnung
expect-text 65535 "Bitte 'Guard Test' beenden!\nDann OK druecken!"
screenshot warning.bmp
click 1
window " Guard Test 1.5"
click 7
wait-exit 0

start $(winpath "$work/one/setup.exe") $(quiet one)
expect-no-window " Quarvel" 2000
expect-no-window "Warning EN" 1
wait-exit 4
STEPS
if drive one.txt 0; then
  keep_screenshot "$work/warning.bmp" running_program_warning.png
  before_ran_in_temp "$work/one/before.txt" || fail "one: the before task did not run in a temporary folder"
  [ ! -e "$work/one/installed" ] || fail "one: the quiet run installed over the running product"
  [ -z "$(temp_folders_of one)" ] || fail "one: the run left its temporary folder: $(temp_folders_of one)"
fi

# 2. Cancel (the default button, pressed with Return): the folder goes, the run ends.
make_setup two "[Settings]" 'Language=english.lng#1001|lang\german.lng#1002|' "ProgExe=$product" \
  "${common[@]}" "[UserTask]" "BeforeSetup=pre.exe" "BeforeParam=exit 0 \"$(winpath "$work/two/before.txt")\""
cat >"$work/two.txt" <<STEPS
start $(winpath "$work/bin/$product") sleep 120000
start $(winpath "$work/two/setup.exe")
window " Quarvel"
select 2 0
click 1
window "Warning EN"
expect-text 65535 "Close Program 'Guard Test' first!\nThen press OK!"
key RETURN
wait-exit 0
STEPS
if drive two.txt 0; then
  [ ! -e "$work/two/before.txt" ] || fail "two: the before task ran after Cancel"
  [ ! -e "$work/two/installed" ] || fail "two: the installation went on after Cancel"
  [ -z "$(temp_folders_of two)" ] || fail "two: Cancel left the temporary folder: $(temp_folders_of two)"
fi

# 3. A held mutex shows the warning; a free one does not, the running program aside.
make_setup three "[Settings]" 'Language=english.lng|' "ProgExe=$product" "${common[@]}" \
  "MutexString=  QvGuardMutex-$tag  " "[UserTask]" "BeforeSetup=pre.exe" "BeforeParam=exit 0"
make_setup four "[Settings]" 'Language=english.lng|' "ProgExe=$product" "${common[@]}" \
  "MutexString=QvGuardFree-$tag" "[UserTask]" "BeforeSetup=pre.exe" "BeforeParam=exit 0"
cat >"$work/three.txt" <<STEPS
start $(winpath "$work/bin/holder-$tag.exe") mutex QvGuardMutex-$tag 120000
sleep 2000
start $(winpath "$work/three/setup.exe")
window "Warning EN"
expect-text 65535 "Close Program 'Guard Test' first!\nThen press OK!"
click 1
window " Guard Test 1.5"
click 7
wait-exit 0

start $(winpath "$work/three/setup.exe") $(quiet three)
expect-no-window "Warning EN" 2000
wait-exit 4

start $(winpath "$work/bin/$product") sleep 120000
start $(winpath "$work/four/setup.exe") $(quiet four)
expect-no-window "Warning EN" 3000
wait-exit 0
STEPS
if drive three.txt 0; then
  [ ! -e "$work/three/installed" ] || fail "three: the quiet run installed while the mutex was held"
  [ -f "$work/four/installed/readme.txt" ] || fail "four: the run did not go on"
  [ -z "$(temp_folders_of three)$(temp_folders_of four)" ] || fail "three/four: temporary folders left"
fi

# 4. Exit code 1 of the before task: a silent end, the temporary folder kept.
make_setup five "[Settings]" 'Language=english.lng|' "${common[@]}" "[UserTask]" "BeforeSetup=pre.exe" \
  "BeforeParam=exit 1 \"$(winpath "$work/five/before.txt")\""
cat >"$work/five.txt" <<STEPS
start $(winpath "$work/five/setup.exe") $(quiet five)
expect-no-window "Warning EN" 2000
wait-exit 1
STEPS
if drive five.txt 0; then
  before_ran_in_temp "$work/five/before.txt" || fail "five: the before task did not run in a temporary folder"
  [ ! -e "$work/five/installed" ] || fail "five: the installation went on after exit code 1"
  folders=$(temp_folders_of five)
  if [ "$(echo "$folders" | grep -c .)" -ne 1 ]; then
    fail "five: expected the temporary folder to stay, found: '$folders'"
  else
    [ -f "$folders/setup.ini" ] && [ -f "$folders/lang/german.lng" ] || fail "five: the kept folder is not whole"
    rm -rf "$folders"
  fi
fi

# 5. The before-task program is missing: the damaged-installation box, the folder kept.
make_setup six "[Settings]" 'Language=english.lng|' "${common[@]}" "[UserTask]" "BeforeSetup=bin\\missing.exe"
cat >"$work/six.txt" <<STEPS
start $(winpath "$work/six/setup.exe")
window " Quarvel  -  Error"
expect-text 65535 "The installation is damaged or some files are missing.   "
screenshot damaged.bmp
click 1
wait-exit 0

start $(winpath "$work/six/setup.exe") $(quiet six)
expect-no-window " Quarvel  -  Error" 2000
wait-exit 2
STEPS
if drive six.txt 0; then
  keep_screenshot "$work/damaged.bmp" damaged_installation.png
  [ ! -e "$work/six/installed" ] || fail "six: the installation went on"
  folders=$(temp_folders_of six)
  if [ "$(echo "$folders" | grep -c .)" -ne 2 ]; then
    fail "six: expected both runs' temporary folders to stay, found: '$folders'"
  else
    echo "$folders" | xargs -r rm -rf
  fi
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all start-of-run checks passed; screenshots in $shots"
