#!/usr/bin/env bash
# The wizard's pages and its ways out under Wine, with setup executables that qvpack
# builds around the win64 stub, driven by the window test driver:
#   1. without licence and readme, no homepage and a program that is no exe: Next
#      (the Return key) goes 1 -> 3 -> 5 and Back mirrors it; the link line and the
#      desktop box are hidden; Escape cancels: the while task is stopped, no after
#      task, nothing installed, the temporary folder gone;
#   2. with a plain-text licence and a rich-text readme, Reboot and StartProg set:
#      Cancel on each of the five pages leaves no after task, no restart prompt, no
#      program start and no temporary folder; the folder browser comes and goes;
#   3. the close request on page 3: the temporary folder gone, no after task, and the
#      restart prompt all the same;
#   4. an install with Reboot set: the finish view's box starts cleared; ticked, Finish
#      still brings up the restart prompt and does not start the program; the while
#      task is stopped and the after task runs;
#   5. the start-menu folder picker over folders this test makes in both Programs
#      folders: the sorted tree, the field's folder preselected, the scope switch,
#      Apply without a selection (the RQ1 box, the picker stays), close changing
#      nothing, picks inside and outside the last folder name, the wizard disabled
#      meanwhile; the links then go where the last pick said.
# The restart prompt is seen on Wine's setupapi channel. A click on the wizard waits
# until the picker is gone and the wizard enabled again, as a user's could not come
# earlier. Every setup folder holds a
# marker file of its own, which finds its temporary folder even while other tests run
# setup executables in the same prefix.
#
#   wizard-pages.sh <qvpack> <win64 build tree> <output folder>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${QV_WINE64:-}" ]; then
  exec "$here/../wine/with-display.sh" "$0" "$@"
fi
[ $# -eq 3 ] || { echo "usage: wizard-pages.sh <qvpack> <win64 build tree> <output folder>" >&2; exit 2; }
qvpack=$1
shift
. "$here/driven_lib.sh" wizard_pages wizard-pages "$@"
export LC_ALL=C
stub=$win64/src/stub/quarvel-setup.exe
task=$win64/tests/win32/helpers/qvtask.exe
marker=$win64/tests/win32/helpers/qvtaskmark.exe
for f in "$stub" "$task" "$marker"; do
  [ -f "$f" ] || { echo "missing $f (build the win64 tree)"; exit 1; }
done
tag=$$-$RANDOM
drive_c=$WINEPREFIX/drive_c
target="C:\\Quarvel E2E\\Wizard-$tag"  # every case installs below it
target_unix="$drive_c/Quarvel E2E/Wizard-$tag"
user_programs=$(ls -d "$drive_c"/users/*/AppData/Roaming/Microsoft/Windows/"Start Menu"/Programs | grep -v /Public/ | head -1)
common_programs="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
cleanup() {
  rm -rf "$target_unix" "$user_programs/QvPick-$tag" "$common_programs/QvPickAll-$tag"
}
trap cleanup EXIT
backslashed() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }

# A setup folder: setup.ini from the arguments, the after task after.exe, the while
# task qvwhile-<tag>-<case>.exe, the product's program prog.exe (it leaves ran.txt
# where it is started) and the case's marker. Then pack makes its setup executable.
setup_folder() {  # case, setup.ini lines...
  local name=$1; shift
  local setup=$work/$name/setup
  mkdir -p "$setup" "$work/$name/product"
  printf '%s\r\n' "$@" > "$setup/setup.ini"
  cp "$task" "$setup/after.exe"
  cp "$task" "$setup/qvwhile-$tag-$name.exe"
  cp "$marker" "$work/$name/product/prog.exe"
  echo "$name" > "$setup/marker-$tag-$name.txt"
  echo "product file" > "$work/$name/product/readme.txt"
}
pack() {  # case
  "$qvpack" setup --stub "$stub" --setup "$work/$1/setup" --product "$work/$1/product" -o "$work/$1/setup.exe" \
    >/dev/null || fail "qvpack setup for $1"
}
make_setup() { setup_folder "$@"; pack "$1"; }
tasks() {  # case: the [UserTask] lines of the while and after tasks
  echo "[UserTask]"
  echo "WhileSetup=qvwhile-$tag-$1.exe"
  echo "WhileParam=sleep 120000"
  echo "AfterSetup=after.exe"
  echo "AfterParam=exit 0 \"$(backslashed "$work/$1/after.txt")\""
}
temp_folders_of() {  # case: the temporary folders still holding its marker
  find "$drive_c/users" -maxdepth 6 -name "marker-$tag-$1.txt" -path '*emp/{*}/*' 2>/dev/null | xargs -r -n1 dirname
}
restart_prompts() { grep -c 'SetupPromptReboot' "$work/$1.log" || true; }
left_alone() {  # case: nothing of the run's end happened and nothing is left
  [ ! -e "$work/$1/after.txt" ] || fail "$1: the after task ran"
  [ -z "$(temp_folders_of "$1")" ] || fail "$1: the temporary folder is left: $(temp_folders_of "$1")"
  [ ! -e "$target_unix/$1" ] || fail "$1: something was installed"
}
keep_screenshot() {  # bmp, png name
  if [ -f "$1" ]; then convert "$1" "$shots/$2"; else fail "no screenshot $(basename "$1")"; fi
}
drive_watched() {  # script, expected code: with the setupapi channel in the log
  WINEDEBUG=fixme+setupapi drive "$@"
}

# 1. The short way through, by keyboard.
mapfile -t plain_tasks < <(tasks plain)
make_setup plain "[Settings]" "ProgExe=readme.txt" "DefaultDir=$target\\plain\\Plain" "[Info]" "Titel=Plain Test" \
  "Version=2.0" "[Task]" "StartMenu=1" "Desktop=1" "NoUninstall=1" "${plain_tasks[@]}"
cat >"$work/plain.txt" <<STEPS
start $(winpath "$work/plain/setup.exe")
window " Plain Test 2.0"
expect-visible 4 0
expect-visible 26 1
key RETURN
expect-visible 16 1
expect-visible 1 1
expect-visible 12 0
expect-visible 25 0
screenshot plain3.bmp
key RETURN
expect-visible 31 1
expect-visible 8 1
expect-visible 10 0
expect-visible 36 0
click 5
expect-visible 16 1
expect-visible 31 0
expect-visible 6 1
click 5
expect-visible 26 1
expect-visible 5 0
key RETURN
key RETURN
expect-visible 31 1
key ESCAPE
wait-exit 0
wait-no-process qvwhile-$tag-plain.exe
STEPS
if drive plain.txt 0; then
  keep_screenshot "$work/plain3.bmp" wizard_without_optional_controls.png
  left_alone plain
fi

# 2. Cancel on every page.
mapfile -t page_tasks < <(tasks pages)
setup_folder pages "[Settings]" "ProgExe=prog.exe" "DefaultDir=$target\\pages\\Pages" "[Info]" "Titel=Page Test" \
  "Version=3.0" "Web=https://example.org/" "[Task]" "StartMenu=1" "Reboot=1" "StartProg=1" "NoUninstall=1" \
  "${page_tasks[@]}"
printf 'Plain-text licence.' > "$work/pages/setup/licence.txt"
printf '{\\rtf1\\ansi{\\b Rich} readme.}' > "$work/pages/setup/readme.rtf"
pack pages
{
  for page in 1 2 3 4 5; do
    echo "start $(winpath "$work/pages/setup.exe")"
    echo 'window " Page Test 3.0"'
    for ((i = 1; i < page; i++)); do
      echo "click 6"
      [ "$i" -ne 1 ] || echo "click 14"
    done
    case $page in
      2) echo "expect-text 13 Plain-text licence."; echo "screenshot licence.bmp" ;;
      3) echo "click 20"; echo "window-prefix Browse"; echo "screenshot browser.bmp"; echo "key ESCAPE"
         echo 'window " Page Test 3.0"'; echo "expect-text 19 $target\\pages\\Pages" ;;
      4) echo "expect-text 11 Rich readme."; echo "screenshot readme.bmp" ;;
    esac
    echo "click 7"
    echo "wait-exit 0"
  done
  echo "sleep 1000"
} >"$work/pages.txt"
if drive_watched pages.txt 0; then
  keep_screenshot "$work/licence.bmp" wizard_plain_text_licence.png
  keep_screenshot "$work/readme.bmp" wizard_rich_text_readme.png
  keep_screenshot "$work/browser.bmp" wizard_folder_browser.png
  left_alone pages
  [ "$(restart_prompts pages.txt)" -eq 0 ] || fail "pages: Cancel brought up the restart prompt"
  [ -z "$(find "$drive_c" -path "*Wizard-$tag*" -name ran.txt 2>/dev/null)" ] || fail "pages: the program was started"
fi

# 3. The close request.
rm -f "$work/pages/after.txt"
cat >"$work/close.txt" <<STEPS
start $(winpath "$work/pages/setup.exe")
window " Page Test 3.0"
click 6
click 14
click 6
expect-visible 16 1
close
wait-exit 0
STEPS
if drive_watched close.txt 0; then
  left_alone pages
  [ "$(restart_prompts close.txt)" -eq 1 ] || fail "close: no restart prompt after the close request"
fi

# 4. Installed with Reboot set: the restart prompt, not the program.
mapfile -t reboot_tasks < <(tasks reboot)
make_setup reboot "[Settings]" "ProgExe=prog.exe" "DefaultDir=$target\\reboot\\Reboot" "[Info]" "Titel=Reboot Test" \
  "Version=1.0" "[Task]" "StartMenu=0" "Desktop=0" "Reboot=1" "StartProg=1" "NoUninstall=1" "${reboot_tasks[@]}"
cat >"$work/reboot.txt" <<STEPS
start $(winpath "$work/reboot/setup.exe")
window " Reboot Test 1.0"
click 6
expect-visible 16 1
expect-visible 21 0
expect-visible 22 0
expect-visible 23 0
expect-visible 24 0
click 6
click 8
wait-visible 9 1
expect-visible 36 1
expect-checked 36 0
click 36
expect-checked 36 1
click 9
wait-exit 0
wait-no-process qvwhile-$tag-reboot.exe
sleep 1500
STEPS
if drive_watched reboot.txt 0; then
  [ -f "$target_unix/reboot/Reboot/readme.txt" ] || fail "reboot: the product was not installed"
  [ ! -e "$target_unix/reboot/Reboot/ran.txt" ] || fail "reboot: the program was started despite the restart"
  [ -f "$work/reboot/after.txt" ] || fail "reboot: the after task did not run"
  [ "$(restart_prompts reboot.txt)" -eq 1 ] || fail "reboot: no restart prompt"
  [ -z "$(temp_folders_of reboot)" ] || fail "reboot: the temporary folder is left"
fi

# 5. The start-menu folder picker.
for folder in A 'A/C' 'A B' b Menu; do mkdir -p "$user_programs/QvPick-$tag/$folder"; done
mkdir -p "$common_programs/QvPickAll-$tag/Shared"
make_setup picker "[Settings]" "ProgExe=prog.exe" "DefaultDir=$target\\picker\\Picker" "[Info]" "Titel=Picker Test" \
  "Version=1.0" "[Task]" "StartMenu=1" "Desktop=0" "NoUninstall=1" "[StartMenue]" "DefaultDir=QvPick-$tag\\Menu" \
  "ProgLink=Picked"
cat >"$work/picker.txt" <<STEPS
start $(winpath "$work/picker/setup.exe")
window " Picker Test 1.0"
click 6
expect-text 22 QvPick-$tag\\Menu\\
click 23
window " Select Directory"
expect-checked 40 1
expect-items-under 38 "QvPick-$tag" A|A\\C|A B|b|Menu
expect-selection 38 QvPick-$tag\\Menu
screenshot picker.bmp
window " Picker Test 1.0"
expect-enabled 0 0
window " Select Directory"
click 41
expect-items-under 38 "QvPickAll-$tag" Shared
expect-selection 38 ""
click 39
window " Select Start Menu Folder"
expect-text 65535 No valid start menu folder.
screenshot rq1.bmp
click 1
window " Select Directory"
select-item 38 QvPickAll-$tag\\Shared
click 39
window " Picker Test 1.0"
expect-enabled 0 1
expect-text 22 QvPickAll-$tag\\Shared\\Menu\\
click 23
window " Select Directory"
select-item 38 QvPick-$tag\\A\\C
close
window " Picker Test 1.0"
expect-text 22 QvPickAll-$tag\\Shared\\Menu\\
click 23
window " Select Directory"
select-item 38 QvPick-$tag\\Menu
click 39
window " Picker Test 1.0"
expect-text 22 QvPick-$tag\\Menu\\
click 23
window " Select Directory"
click 41
select-item 38 QvPickAll-$tag\\Shared
click 39
wait-gone " Select Directory"
window " Picker Test 1.0"
expect-enabled 0 1
expect-text 22 QvPickAll-$tag\\Shared\\Menu\\
click 6
click 8
wait-visible 9 1
click 9
wait-exit 0
STEPS
if drive picker.txt 0; then
  keep_screenshot "$work/picker.bmp" start_menu_picker.png
  keep_screenshot "$work/rq1.bmp" start_menu_picker_no_selection.png
  [ -f "$common_programs/QvPickAll-$tag/Shared/Menu/Picked.lnk" ] ||
    fail "picker: no link in the all-users folder picked last"
  [ ! -e "$user_programs/QvPick-$tag/Menu/Picked.lnk" ] || fail "picker: a link in a folder picked before"
fi

finish wizard-pages
