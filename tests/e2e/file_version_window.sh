#!/usr/bin/env bash
# Drives the file-version window (qvconfirm: the real window, Version.dll and
# CopyFileA over a stand-in wizard window) under Wine with the window test driver:
# every label's text with version data, with a description but no version, and with
# no version data at all (dates and "--- not available ---"); Yes copies, No leaves
# the file, a close request and the keys that would close a window do nothing; the
# stand-in wizard is disabled while the question is open; and the window's layout.
#
#   file_version_window.sh <win64 build tree> <output folder>
#
# The screenshots are kept as PNG in <output folder>/screenshots/.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${QV_WINE64:-}" ]; then
  exec "$here/../wine/with-display.sh" "$0" "$@"
fi
. "$here/driven_lib.sh" file_version_window file-version-window "$@"
confirm=$(winpath "$win64/tests/win32/helpers/qvconfirm.exe")
libraries=$win64/tests/win32/helpers
caption=" Copy File  'tool.dll'"
na="--- not available ---"
# Wine's names of the two languages (Windows adds the country).
english=English
german=German

# A case folder: installed/tool.dll (the file there) and new/tool.dll (the copy's
# source), with fixed times. The window shows the creation date, which a Linux file
# system does not keep: Wine gives the last-write time for it.
make_case() {  # name, installed file, new file
  mkdir -p "$work/$1/installed" "$work/$1/new"
  cp "$2" "$work/$1/installed/tool.dll"
  cp "$3" "$work/$1/new/tool.dll"
  touch -d '2019-01-02 03:04:05' "$work/$1/installed/tool.dll"
  touch -d '2021-06-15 08:30:59' "$work/$1/new/tool.dll"
}
shown_date() { date -r "$1" '+%Y-%m-%d  %H:%M'; }
start_line() { echo "start $confirm $(winpath "$work/$1/result.txt") $(winpath "$work/$1/new/tool.dll") $(winpath "$work/$1/installed/tool.dll")"; }
same() { cmp -s "$1" "$2"; }
expect_result() {  # case, expected line
  grep -qx "$2" "$work/$1/result.txt" 2>/dev/null || fail "$1: the result lacks '$2': $(tr '\n' ' ' <"$work/$1/result.txt" 2>/dev/null)"
}

# 1. Version data on one side, a description without a version on the other: every
#    label, the stand-in disabled, a screenshot, then Yes copies.
make_case yes "$libraries/qvver_full.dll" "$libraries/qvver_description.dll"
new_date=$(shown_date "$work/yes/new/tool.dll")
cat >"$work/yes.txt" <<STEPS
$(start_line yes)
window "$caption"
expect-text 0 "$caption"
expect-text 44 "Current File Version"
expect-text 45 "Version:"
expect-text 46 "Language:"
expect-text 47 "Description:"
expect-text 48 "4.3.2.1"
expect-text 49 "$english"
expect-text 50 "Quarvel test library"
expect-text 51 "Replace the current file with this file version?"
expect-text 52 "New File Version"
expect-text 53 "Version:"
expect-text 54 "Language:"
expect-text 55 "Description:"
expect-text 56 "$new_date"
expect-text 57 "$german"
expect-text 58 "Nur Beschreibung"
expect-text 59 "Yes"
expect-text 60 "No"
screenshot question.bmp
window " Wizard stand-in"
expect-enabled 0 0
window "$caption"
click 59
wait-gone "$caption"
wait-exit 0
STEPS
if drive yes.txt 0; then
  same "$work/yes/installed/tool.dll" "$libraries/qvver_description.dll" || fail "yes: Yes did not copy the new file"
  expect_result yes wizard-after=1
  if [ -f "$work/question.bmp" ]; then
    convert "$work/question.bmp" "$shots/file_version_window.png"
    read -r width height < <(identify -format '%w %h\n' "$shots/file_version_window.png")
    [ "$width" -ge 340 ] && [ "$height" -ge 236 ] || fail "the screenshot is $width x $height, smaller than the client area"
  else
    fail "no screenshot"
  fi
fi

# 2. No leaves the file.
make_case no "$libraries/qvver_full.dll" "$libraries/qvver_description.dll"
cat >"$work/no.txt" <<STEPS
$(start_line no)
window "$caption"
click 60
wait-exit 0
STEPS
if drive no.txt 0; then
  same "$work/no/installed/tool.dll" "$libraries/qvver_full.dll" || fail "no: No changed the file"
  expect_result no wizard-after=1
fi

# 3. Close requests do nothing: the close message, Alt+F4 and Escape leave the
#    question open and the file as it was; only an answer ends it.
make_case close "$libraries/qvver_full.dll" "$libraries/qvver_description.dll"
cat >"$work/close.txt" <<STEPS
$(start_line close)
window "$caption"
close
sleep 700
window "$caption"
key ALT+F4
sleep 700
window "$caption"
key ESCAPE
sleep 700
window "$caption"
expect-text 48 "4.3.2.1"
click 60
wait-exit 0
STEPS
if drive close.txt 0; then
  same "$work/close/installed/tool.dll" "$libraries/qvver_full.dll" || fail "close: the file changed"
fi

# 4. No version data on either side: the dates, and "not available" four times.
make_case plain "$libraries/qvver_none.dll" "$libraries/qvver_no_translation.dll"
printf 'old text\r\n' >"$work/plain/installed/tool.dll"
touch -d '2019-01-02 03:04:05' "$work/plain/installed/tool.dll"
cat >"$work/plain.txt" <<STEPS
$(start_line plain)
window "$caption"
expect-text 48 "$(shown_date "$work/plain/installed/tool.dll")"
expect-text 49 "$na"
expect-text 50 "$na"
expect-text 56 "$(shown_date "$work/plain/new/tool.dll")"
expect-text 57 "$na"
expect-text 58 "$na"
screenshot plain.bmp
click 59
wait-exit 0
STEPS
if drive plain.txt 0; then
  same "$work/plain/installed/tool.dll" "$libraries/qvver_no_translation.dll" || fail "plain: Yes did not copy"
  [ -f "$work/plain.bmp" ] && convert "$work/plain.bmp" "$shots/file_version_window_no_data.png"
fi

# 5. The layout: title bar without system menu, client 340 x 236, centred on the
#    stand-in (the active window), which is disabled meanwhile; the controls in place,
#    right-aligned names, the question in Arial 8 bold.
make_case layout "$libraries/qvver_full.dll" "$libraries/qvver_full.dll"
"$QV_WINE64" "$confirm" "$(winpath "$work/layout.txt")" --inspect "$(winpath "$work/layout/new/tool.dll")" \
  "$(winpath "$work/layout/installed/tool.dll")" >"$work/layout.log" 2>&1 || true
layout=$(tr '\n' ' ' <"$work/layout.txt" 2>/dev/null || echo 'no layout written')
# Static styles: SS_RIGHT 2, SS_NOPREFIX 0x80; buttons: BS_GROUPBOX 7, BS_PUSHBUTTON 0.
for fact in caption=1 sysmenu=0 sizable=0 client=340x236 centred=1 wizard-enabled=0 wizard-after=1 \
  'control44=10,5 320x85 Button style=7' \
  'control45=20,25 80x15 Static style=2' 'control46=20,45 80x15 Static style=2' 'control47=20,65 80x15 Static style=2' \
  'control48=105,25 215x15 Static style=80' 'control49=105,45 215x15 Static style=80' \
  'control50=105,65 215x15 Static style=80' 'control51=10,100 320x15 Static style=0' \
  'control52=10,120 320x85 Button style=7' \
  'control53=20,140 80x15 Static style=2' 'control54=20,160 80x15 Static style=2' \
  'control55=20,180 80x15 Static style=2' 'control56=105,140 215x15 Static style=80' \
  'control57=105,160 215x15 Static style=80' 'control58=105,180 215x15 Static style=80' \
  'control59=100,210 60x20 Button style=0' 'control60=180,210 60x20 Button style=0' \
  'font=Arial weight=700 height-ok=1'; do
  grep -qx "$fact" "$work/layout.txt" 2>/dev/null || fail "the layout lacks '$fact': $layout"
done
same "$work/layout/installed/tool.dll" "$libraries/qvver_full.dll" || fail "layout: No changed the file"

finish "file-version window"
