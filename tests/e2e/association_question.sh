#!/usr/bin/env bash
# Drives the association question (qvassociate, the real message box) under Wine
# with the window test driver: caption, text and buttons with the default texts and
# with a language file's, Yes and No, and the box owned by the program's window in
# front.
#
#   association_question.sh <win64 build tree> <output folder>
#
# The screenshot is kept as PNG in <output folder>/screenshots/.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${QV_WINE64:-}" ]; then
  exec "$here/../wine/with-display.sh" "$0" "$@"
fi
. "$here/driven_lib.sh" association_question association-question "$@"
ask=$(winpath "$win64/tests/win32/helpers/qvassociate.exe")

expect_file() {  # file, expected content
  if [ ! -f "$1" ]; then
    fail "$(basename "$1") was not written"
  elif [ "$(cat "$1")" != "$2" ]; then
    fail "$(basename "$1") holds '$(cat "$1")', expected '$2'"
  fi
}

printf '[Requester]\r\nRQ5_Titel=Dateityp zuordnen\r\nRQ5_Msg=Die Endung $Extension (also $Extension) zuordnen?\r\n' >"$work/de.lng"

# 1. The default texts, a screenshot, Yes; a language file's texts, No.
cat >"$work/answers.txt" <<STEPS
start $ask $(winpath "$work/yes-result.txt") abc
window "Associate File Extension"
expect-text 65535 "Associate File Extension '*.abc' with the program?  "
expect-visible 6 1
expect-visible 7 1
screenshot question.bmp
click 6
wait-exit 1

start $ask $(winpath "$work/no-result.txt") qvdoc $(winpath "$work/de.lng")
window "Dateityp zuordnen"
expect-text 65535 "Die Endung *.qvdoc (also *.qvdoc) zuordnen?  "
click 7
wait-exit 2
STEPS
if drive answers.txt 0; then
  expect_file "$work/yes-result.txt" "answer=yes"
  expect_file "$work/no-result.txt" "answer=no"
  if [ -f "$work/question.bmp" ]; then
    convert "$work/question.bmp" "$shots/association_question.png"
  else
    fail "no screenshot"
  fi
fi

# 2. With the program's window in front the box belongs to it and keeps it disabled.
cat >"$work/owned.txt" <<STEPS
start $ask $(winpath "$work/owned-result.txt") abc --owner
window "Associate File Extension"
sleep 300
click 6
wait-exit 1
STEPS
if drive owned.txt 0; then
  expect_file "$work/owned-result.txt" $'answer=yes\nowned=1\ndisabled=1'
fi

finish "association question"
