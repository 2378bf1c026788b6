# Shared by the end-to-end tests that drive windows with qvdrive. Sourced with the
# script's name, its work-folder name and the script's two arguments
# (<win64 build tree> <output folder>); sets win64, out, work, shots and driver and
# gives fail, winpath, drive and finish.
qv_script=$1 qv_work=$2
shift 2
[ $# -eq 2 ] || { echo "usage: $qv_script.sh <win64 build tree> <output folder>" >&2; exit 2; }
win64=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
work=$out/$qv_work
shots=$out/screenshots
rm -rf "$work"
mkdir -p "$work" "$shots"

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
winpath() { echo "Z:$1"; }
driver=$(winpath "$win64/tests/win32/driver/qvdrive.exe")

drive() {  # script name, expected exit code
  local rc=0
  "$QV_WINE64" "$driver" "$(winpath "$work/$1")" >"$work/$1.log" 2>&1 || rc=$?
  if [ "$rc" != "$2" ]; then
    fail "$1: qvdrive exited with $rc, expected $2"
    sed 's/^/    /' "$work/$1.log"
    return 1
  fi
}

finish() {  # what was checked
  if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
  fi
  echo "all $1 checks passed; screenshots in $shots"
}
