# Shared by the qvpack scripts: a failure ends the script, and expect_exit runs a
# command with its output in $work/out.txt and $work/err.txt.
fail() { echo "FAIL: $*" >&2; exit 1; }
expect_exit() {  # code, command...
  local want=$1; shift
  set +e; "$@" >"$work/out.txt" 2>"$work/err.txt"; local got=$?; set -e
  [ "$got" -eq "$want" ] || fail "$* exited with $got, not $want: $(cat "$work/err.txt")"
}
