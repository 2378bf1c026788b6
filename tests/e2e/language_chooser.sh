#!/usr/bin/env bash
# Drives the language chooser (qvchoose, the real chooser window) under Wine with the
# window test driver: the items in order, OK with the preselected and with another
# item, the Return key, closing, OK without any item, and the window's layout.
#
#   language_chooser.sh <win64 build tree> <output folder>
#
# The screenshot is kept as PNG in <output folder>/screenshots/.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${QV_WINE64:-}" ]; then
  exec "$here/../wine/with-display.sh" "$0" "$@"
fi
. "$here/driven_lib.sh" language_chooser language-chooser "$@"
choose=$(winpath "$win64/tests/win32/helpers/qvchoose.exe")
list='english.lng#9|german.lng#7|lang\french.v2.lng#12|'
japanese=0x0411  # matches no entry, so the chooser shows

expect_file() {  # file, expected content
  if [ ! -f "$1" ]; then
    fail "$(basename "$1") was not written"
  elif [ "$(cat "$1")" != "$2" ]; then
    fail "$(basename "$1") holds '$(cat "$1")', expected '$2'"
  fi
}

# 1. Items in order, another item picked, OK; a screenshot of the window.
cat >"$work/pick.txt" <<STEPS
start $choose $(winpath "$work/pick-result.txt") "$list" $japanese
window " Quarvel"
expect-text 0 " Quarvel"
expect-items 2 " english| german| lang\\\\french"
screenshot chooser.bmp
select 2 2
click 1
wait-exit 1
STEPS
if drive pick.txt 0; then
  expect_file "$work/pick-result.txt" $'file=lang\\french.v2.lng\nprimary=17'
  if [ -f "$work/chooser.bmp" ]; then
    convert "$work/chooser.bmp" "$shots/language_chooser.png"
    read -r width height < <(identify -format '%w %h\n' "$shots/language_chooser.png")
    [ "$width" -ge 140 ] && [ "$height" -ge 55 ] || fail "the screenshot is $width x $height, smaller than the client area"
  else
    fail "no screenshot"
  fi
fi

# 2. OK with the preselected first item; the Return key presses OK; closing gives none.
cat >"$work/answers.txt" <<STEPS
start $choose $(winpath "$work/first-result.txt") "$list" $japanese
window " Quarvel"
click 1
wait-exit 1

start $choose $(winpath "$work/return-result.txt") "$list" $japanese
window " Quarvel"
select 2 1
key RETURN
wait-exit 1

start $choose $(winpath "$work/close-result.txt") "$list" $japanese
window " Quarvel"
close
wait-exit 2
STEPS
if drive answers.txt 0; then
  expect_file "$work/first-result.txt" $'file=english.lng\nprimary=17'
  expect_file "$work/return-result.txt" $'file=german.lng\nprimary=17'
  expect_file "$work/close-result.txt" $'file=\nprimary=17'
fi

# 3. The user's own language is taken without the chooser.
cat >"$work/automatic.txt" <<STEPS
start $choose $(winpath "$work/automatic-result.txt") "$list" 0x0407
expect-no-window " Quarvel" 1500
wait-exit 1
STEPS
if drive automatic.txt 0; then
  expect_file "$work/automatic-result.txt" $'file=german.lng\nprimary=7'
fi

# 4. OK without a selection does nothing: the window stays until it is closed.
cat >"$work/empty.txt" <<STEPS
start $choose $(winpath "$work/empty-result.txt") --no-items
window " Quarvel"
expect-items 2 ""
click 1
sleep 500
window " Quarvel"
close
wait-exit 2
STEPS
if drive empty.txt 0; then
  expect_file "$work/empty-result.txt" "item=none"
fi

# 5. The layout: title bar without system menu, client 140 x 55, centred, the list
#    at (5, 5) 130 wide with a 200-pixel drop-down, OK at (40, 32) 60 x 18.
"$QV_WINE64" "$choose" "$(winpath "$work/layout.txt")" --inspect >"$work/layout.log" 2>&1 || true
layout=$(tr '\n' ' ' <"$work/layout.txt" 2>/dev/null || echo 'no layout written')
for fact in caption=1 sysmenu=0 sizable=0 client=140x55 centred=1 'list=5,5 130x' 'ok=40,32 60x18'; do
  grep -q "^$fact" "$work/layout.txt" 2>/dev/null || fail "the layout lacks '$fact': $layout"
done
# The dropped height is what the chooser asks for (200) as the system reports it back:
# Windows counts the selection field in, Wine leaves it and its border out, and the list
# rounds down to whole items, so the report lies within one item of what was asked.
field=$(sed -n 's/^list=5,5 130x\([0-9]*\)$/\1/p' "$work/layout.txt" 2>/dev/null)
dropped=$(sed -n 's/^dropped=\([0-9]*\)$/\1/p' "$work/layout.txt" 2>/dev/null)
item=$(sed -n 's/^item=\([0-9]*\)$/\1/p' "$work/layout.txt" 2>/dev/null)
if [ -z "$field" ] || [ -z "$dropped" ] || [ -z "$item" ] ||
   [ "$dropped" -gt 200 ] || [ "$dropped" -lt $((200 - field - 4 - item)) ]; then
  fail "the drop-down is not 200 pixels: $layout"
fi

finish "chooser"
