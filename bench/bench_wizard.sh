#!/usr/bin/env bash
# The wizard under Wine, on a private display: the time from the start of a setup
# executable to the wizard's first paint, and the install of the benchmark corpus
# through the wizard (driven as fast as it answers) against the quiet install of the
# same setup. The install through the wizard is the time from Install to Finish: the
# install run with its repainting after each file. The quiet install is the quiet
# run's time less that of a quiet run of the same setup with a one-file product (the
# start and end of a run, which the wizard's Install-to-Finish does not hold). Whole
# runs are printed too: under Wine, a process that made a window takes about two
# seconds longer to end, installers of every kind alike. Side by side, an NSIS
# installer of the same files (zlib) with its progress page, which starts at once and
# closes by itself: its first paint, its run with that page and its silent run.
#   bench_wizard.sh <qvpack> <win64 build tree> <work folder> [corpus folder] [runs]
# Without a corpus folder the full corpus is made with make-corpus.sh. The best of
# `runs` runs (default 3) counts. The exit code is 2 when the wizard's install takes
# more than 10% longer than the quiet one, unless QV_BENCH_BAR=0 (a smoke run on a
# tiny corpus, where the window's start-up outweighs the install).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${QV_WINE64:-}" ]; then
  exec "$here/../tests/wine/with-display.sh" "$0" "$@"
fi
qvpack=$1 tree=$(cd "$2" && pwd) work=$3 corpus=${4:-} runs=${5:-3}
command -v makensis >/dev/null || { echo "makensis is missing (Debian package nsis)" >&2; exit 1; }
timer=$tree/tests/win32/helpers/qvwindowtimer.exe
[ -f "$timer" ] || { echo "missing $timer (build the win64 tree)" >&2; exit 1; }

mkdir -p "$work"
work=$(cd "$work" && pwd)
if [ -z "$corpus" ]; then
  corpus=$work/corpus
  [ -d "$corpus" ] || "$here/make-corpus.sh" "$corpus" >/dev/null
fi
corpus=$(cd "$corpus" && pwd)
drive_c=$WINEPREFIX/drive_c

# Ours: files only (no links, no log, no entry, no uninstaller), with the wizard's pages 1, 3 and 5.
setup=$work/qv-wizard-setup
rm -rf "$setup" && mkdir -p "$setup"
printf '[Settings]\r\nDefaultDir=C:\\QvWizardBench\\ours\r\n[Info]\r\nTitel=QvBench\r\n[StartMenue]\r\nProgLink=\r\n[Task]\r\nNoUninstall=1\r\nStartMenu=0\r\nDesktop=0\r\n' \
  > "$setup/setup.ini"
"$qvpack" setup --stub "$tree/src/stub/quarvel-setup.exe" --setup "$setup" --product "$corpus" \
  -o "$work/qv-wizard.exe" --no-uninstaller >/dev/null
rm -rf "$work/one-file" && mkdir -p "$work/one-file" && echo "one file" > "$work/one-file/one.txt"
"$qvpack" setup --stub "$tree/src/stub/quarvel-setup.exe" --setup "$setup" --product "$work/one-file" \
  -o "$work/qv-one-file.exe" --no-uninstaller >/dev/null
# NSIS: the progress page alone, which closes by itself when done.
cat > "$work/nsis-pages.nsi" <<NSI
Unicode true
Target amd64-unicode
SetCompressor zlib
Name "QvBench"
OutFile "$work/nsis-pages.exe"
InstallDir "C:\\QvWizardBench\\nsis"
RequestExecutionLevel user
AutoCloseWindow true
Page instfiles
Section
  SetOutPath \$INSTDIR
  File /r "$corpus/*"
SectionEnd
NSI
makensis -V1 "$work/nsis-pages.nsi" >/dev/null

# One timing of the helper: the value it prints under `name`.
timed() {  # name, folder to empty first, helper arguments...
  local name=$1 folder=$2; shift 2
  rm -rf "$folder"
  local out
  out=$("$QV_WINE64" "$timer" "$@" 2>/dev/null | tr -d '\r') || { echo "$*: $out" >&2; return 1; }
  echo "$out" | sed -n "s/^$name=//p"
}
best() {  # name, folder, helper arguments...: the best of the runs, in seconds
  local i values=()
  for i in $(seq 1 "$runs"); do values+=("$(timed "$@")"); done
  printf '%s\n' "${values[@]}" | sort -n | head -1 | awk '{ printf "%.3f", $1 / 1000 }'
}
ours=$drive_c/QvWizardBench/ours nsis=$drive_c/QvWizardBench/nsis
exe=$(printf 'Z:%s' "${work//\//\\}")
paint=$(best first-paint-ms "$ours" paint "$exe\\qv-wizard.exe")
wizard_run=$(best total-ms "$ours" walk "$exe\\qv-wizard.exe")
wizard=$(best install-ms "$ours" walk "$exe\\qv-wizard.exe")
diff -rq "$corpus" "$ours" >/dev/null || { echo "the wizard's install differs from the corpus" >&2; exit 1; }
quiet_run=$(best total-ms "$ours" run "$exe\\qv-wizard.exe" /Q)
diff -rq "$corpus" "$ours" >/dev/null || { echo "the quiet install differs from the corpus" >&2; exit 1; }
quiet_frame=$(best total-ms "$ours" run "$exe\\qv-one-file.exe" /Q)
quiet=$(awk -v a="$quiet_run" -v b="$quiet_frame" 'BEGIN { printf "%.3f", a - b }')
nsis_paint=$(best first-paint-ms "$nsis" paint "$exe\\nsis-pages.exe")
nsis_pages=$(best total-ms "$nsis" run "$exe\\nsis-pages.exe")
nsis_silent=$(best total-ms "$nsis" run "$exe\\nsis-pages.exe" /S)
rm -rf "$drive_c/QvWizardBench"

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }
echo "corpus: $(find "$corpus" -type f | wc -l) files, $(du -sb "$corpus" | cut -f1) bytes; best of $runs runs each"
printf '%-40s %12s %12s\n' "" "quarvel" "nsis zlib"
printf '%-40s %12s %12s\n' "first paint (s)" "$paint" "$nsis_paint"
printf '%-40s %12s %12s\n' "whole run with the window (s)" "$wizard_run" "$nsis_pages"
printf '%-40s %12s %12s\n' "whole run without (s)" "$quiet_run" "$nsis_silent"
printf '%-40s %12s\n' "install through the wizard (s)" "$wizard"
printf '%-40s %12s\n' "quiet install (s, run less a one-file run)" "$quiet"
printf '%-40s %12s\n' "wizard / quiet" "$(ratio "$wizard" "$quiet")"
if awk -v a="$wizard" -v b="$quiet" 'BEGIN { exit !(a <= 1.1 * b) }'; then
  echo "bar met: the install through the wizard costs at most 10% more than the quiet one"
else
  echo "bar missed: the install through the wizard costs more than 10% over the quiet one"
  [ "${QV_BENCH_BAR:-1}" = 0 ] || exit 2
fi
