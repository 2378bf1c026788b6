#!/usr/bin/env bash
# Proves the window test driver (qvdrive) on the sample window (qvsample) under
# Wine, on one private X display: the positive runs must pass and leave the
# results the sample writes; the negative runs (a wrong text, a missing window, a
# click on a disabled button, a malformed script) must make the driver fail.
#
#   driver_sample.sh <win64 build tree> <output folder>
#
# Screenshots are kept as PNG in <output folder>/screenshots/.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${QV_WINE64:-}" ]; then
  exec "$here/../wine/with-display.sh" "$0" "$@"
fi
[ $# -eq 2 ] || { echo "usage: driver_sample.sh <win64 build tree> <output folder>" >&2; exit 2; }
win64=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
driver=$win64/tests/win32/driver
work=$out/driver-sample
shots=$out/screenshots
rm -rf "$work"
mkdir -p "$work" "$shots"

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Drive X: is / in every Wine prefix.
winpath() { echo "Z:$1"; }
sample="$(winpath "$driver/qvsample.exe")"

# Runs one script of $work with qvdrive; checks qvdrive's exit code.
drive() {  # script name, expected exit code
  local rc=0
  "$QV_WINE64" "$(winpath "$driver/qvdrive.exe")" "$(winpath "$work/$1")" >"$work/$1.log" 2>&1 || rc=$?
  if [ "$rc" != "$2" ]; then
    fail "$1: qvdrive exited with $rc, expected $2"
    sed 's/^/    /' "$work/$1.log"
    return 1
  fi
  return 0
}

expect_file() {  # file, expected content
  if [ ! -f "$1" ]; then
    fail "$(basename "$1") was not written"
  elif [ "$(cat "$1")" != "$2" ]; then
    fail "$(basename "$1") holds '$(cat "$1")', expected '$2'"
  fi
}

expect_log() {  # script name, fixed text the log must hold
  grep -qF -- "$2" "$work/$1.log" || { fail "$1: the log lacks '$2'"; sed 's/^/    /' "$work/$1.log"; }
}

# A screenshot must be a BMP of the window's size that is not one flat colour.
expect_picture() {  # bmp, png name, minimum width, minimum height
  if [ ! -f "$1" ]; then
    fail "no screenshot $(basename "$1")"
    return
  fi
  convert "$1" "$shots/$2"
  local size spread
  size=$(identify -format '%w %h' "$shots/$2")
  spread=$(convert "$shots/$2" -colorspace gray -format '%[fx:standard_deviation>0.05]' info:)
  set -- "$1" "$2" "$3" "$4" $size
  [ "$5" -ge "$3" ] && [ "$6" -ge "$4" ] || fail "$2 is $5 x $6, expected at least $3 x $4"
  [ "$spread" = 1 ] || fail "$2 is nearly one flat colour"
}

# 1. The whole form: items in order, selection with its notification, the check
#    box enabling OK, typed text, a screenshot, OK and the exit code.
cat >"$work/form.txt" <<EOF
start $sample $(winpath "$work/form-result.txt")
window " Qvsample"
expect-text 0 " Qvsample"
expect-items 21 " alpha| beta| gamma"
expect-text 26 "Picked alpha"
select 21 1
expect-text 26 "Picked beta"
expect-enabled 24 0
expect-visible 27 1
click 22
expect-checked 22 1
expect-enabled 24 1
expect-visible 27 0
# a real mouse click toggles the box back and forth
click-mouse 22
expect-checked 22 0
click-mouse 22
expect-checked 22 1
type 23 hello from qvdrive
expect-text 23 hello from qvdrive
screenshot form.bmp
click 24
wait-exit 1
EOF
if drive form.txt 0; then
  expect_file "$work/form-result.txt" $'item= beta\nchecked=1\ntext=hello from qvdrive'
  expect_picture "$work/form.bmp" driver_sample_form.png 300 146
fi

# 2. The message box: answered with Cancel, then with the Return key (OK is the
#    default button), then the window closed through its close request.
cat >"$work/box.txt" <<EOF
start $sample $(winpath "$work/cancel-result.txt")
window " Qvsample"
expect-no-window " Qvsample question" 300
click 25
window " Qvsample question"
expect-text 65535 "Write the answer and quit?"
screenshot box.bmp
click 2
wait-gone " Qvsample question"
wait-exit 102

start $sample $(winpath "$work/enter-result.txt")
window " Qvsample"
click 25
window " Qvsample question"
key RETURN
wait-exit 101

start $sample $(winpath "$work/close-result.txt")
window-prefix " Qvs"
close
wait-exit 99
EOF
if drive box.txt 0; then
  expect_file "$work/cancel-result.txt" "answer=cancel"
  expect_file "$work/enter-result.txt" "answer=ok"
  expect_file "$work/close-result.txt" "closed"
  expect_picture "$work/box.bmp" driver_sample_box.png 150 80
fi

# 3. A wrong expectation fails the run, names the step, the expected and the found
#    text, leaves failure.bmp and ends the sample (which then writes nothing).
mkdir -p "$work/wrong"
cat >"$work/wrong/wrong.txt" <<EOF
start $sample $(winpath "$work/wrong/result.txt")
window " Qvsample"
select 21 1
expect-text 26 "Picked gamma"
click 22
click 24
EOF
if drive wrong/wrong.txt 1; then
  expect_log wrong/wrong.txt 'FAILED at line 4: expect-text 26 "Picked gamma"'
  expect_log wrong/wrong.txt 'expected: "Picked gamma"'
  expect_log wrong/wrong.txt 'found:    "Picked beta"'
  expect_picture "$work/wrong/failure.bmp" driver_sample_failure.png 300 146
  [ ! -e "$work/wrong/result.txt" ] || fail "the sample went on after the failed step"
  if pgrep -f "$work/wrong/result.txt" >/dev/null; then
    fail "the sample still runs after the failed step"
  fi
fi

# 4. A window that never comes, and a click on a disabled button.
cat >"$work/missing.txt" <<EOF
start $sample $(winpath "$work/missing-result.txt")
window " Qvsample"
timeout 1500
window " Quarvel"
EOF
drive missing.txt 1 && expect_log missing.txt 'found:    visible windows " Qvsample" after 1500 ms'
cat >"$work/disabled.txt" <<EOF
start $sample $(winpath "$work/disabled-result.txt")
window " Qvsample"
click 24
EOF
drive disabled.txt 1 && expect_log disabled.txt 'found:    the button is disabled'

# 5. A malformed script is refused before anything starts.
cat >"$work/malformed.txt" <<EOF
start $sample $(winpath "$work/malformed-result.txt")
window " Qvsample"
close
wait-exit 99
expect-checked 22 yes
EOF
drive malformed.txt 2 && expect_log malformed.txt "line 5: 'yes' is not a number"
[ ! -e "$work/malformed-result.txt" ] || fail "a malformed script started the sample"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all driver checks passed; screenshots in $shots"
