#!/usr/bin/env bash
# Drives the login window (qvlogin, the real window and the system's logon) under Wine
# with the window test driver: a wrong login shows the "Login failed." box and empties
# both fields while the window stays, an empty user name still logs on to ".", the
# Return key presses Login, closing ends the logon without a token, and a logon that
# succeeds closes the window. Wine's LogonUserA refuses every account, so failures
# are real; the one success is made up by the helper. Also the window's layout.
#
#   login_window.sh <win64 build tree> <output folder>
#
# The screenshot is kept as PNG in <output folder>/screenshots/.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${QV_WINE64:-}" ]; then
  exec "$here/../wine/with-display.sh" "$0" "$@"
fi
. "$here/driven_lib.sh" login_window login-window "$@"
login=$(winpath "$win64/tests/win32/helpers/qvlogin.exe")
caption='" Login as administrator"'

expect_file() {  # file, expected content
  if [ ! -f "$1" ]; then
    fail "$(basename "$1") was not written"
  elif [ "$(cat "$1")" != "$2" ]; then
    fail "$(basename "$1") holds '$(cat "$1")', expected '$2'"
  fi
}

# 1. Wrong logins: the box, both fields emptied, the window stays; then closed.
cat >"$work/wrong.txt" <<STEPS
start $login $(winpath "$work/wrong-result.txt")
window $caption
expect-text 61 Username:
expect-text 63 Password:
expect-text 65 Login
type 62 admin
type 64 wrong
screenshot login.bmp
click 65
window "Error - Login"
expect-text 65535 "Login failed."
click 1
window $caption
expect-text 62 ""
expect-text 64 ""
type 64 second
key RETURN
window "Error - Login"
key RETURN
window $caption
expect-text 64 ""
close
wait-exit 2
STEPS
if drive wrong.txt 0; then
  expect_file "$work/wrong-result.txt" $'logon=admin|.|wrong\nlogon=|.|second\ntoken=0\nimpersonating=0'
  if [ -f "$work/login.bmp" ]; then
    convert "$work/login.bmp" "$shots/login_window.png"
    read -r width height < <(identify -format '%w %h\n' "$shots/login_window.png")
    [ "$width" -ge 260 ] && [ "$height" -ge 135 ] || fail "the screenshot is $width x $height, smaller than the client area"
  else
    fail "no screenshot"
  fi
fi

# 2. A logon that succeeds (made up after one failure) closes the window.
cat >"$work/accepted.txt" <<STEPS
start $login $(winpath "$work/accepted-result.txt") --fail 1 --accept
window $caption
type 62 first
type 64 try
click 65
window "Error - Login"
click 1
window $caption
expect-text 62 ""
expect-text 64 ""
type 62 admin
type 64 right
click 65
wait-gone $caption
wait-exit 1
STEPS
if drive accepted.txt 0; then
  expect_file "$work/accepted-result.txt" $'logon=first|.|try\nlogon=admin|.|right\ntoken=1\nimpersonating=1'
fi

# 3. The layout: title bar with system menu, client 260 x 135, centred on the screen,
#    the controls where they belong, the password masked, the button's font, the frame.
"$QV_WINE64" "$(winpath "$win64/tests/win32/helpers/qvlogin.exe")" "$(winpath "$work/layout.txt")" --inspect \
  >"$work/layout.log" 2>&1 || true
layout=$(tr '\n' ';' <"$work/layout.txt" 2>/dev/null || echo 'no layout written')
for fact in 'caption= Login as administrator' captionbar=1 sysmenu=1 sizable=0 client=260x135 centred=1 \
            '61=static 20,27 90x15 right=1 username:' '62=edit 115,25 120x20 password=0' \
            '63=static 20,62 90x15 right=1 password:' '64=edit 115,60 120x20 password=1' \
            '65=button 90,104 80x22 login' '66=static 10,10 240x85 sunken=1 text=' 'font=system weight=700'; do
  tr 'A-Z' 'a-z' <"$work/layout.txt" 2>/dev/null | grep -qxF "$(echo "$fact" | tr 'A-Z' 'a-z')" \
    || fail "the layout lacks '$fact': $layout"
done

finish "login window"
