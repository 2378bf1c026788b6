#!/usr/bin/env bash
# The quiet install of the benchmark corpus under Wine, side by side with installers
# of the same files made by makensis (amd64-unicode; zlib and lzma), installed
# silently in the same Wine prefix. Prints each wall time, the ratio to ours and each
# executable's size, and checks that every install holds the corpus exactly.
#   bench_install.sh <qvpack> <win64 stub> <work folder> [corpus folder] [runs]
# Without a corpus folder the full corpus is made with make-corpus.sh. Each installer
# runs `runs` times (default 3) into a fresh folder; the best time counts. The exit
# code is 2 when ours is slower than the NSIS zlib installer, unless QV_BENCH_BAR=0
# (a smoke run on a tiny corpus, where Wine's start-up is most of each time).
set -euo pipefail
qvpack=$1 stub=$2 work=$3 corpus=${4:-} runs=${5:-3}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../tests/wine/env.sh"
"$here/../tests/wine/prefix.sh" >/dev/null
command -v makensis >/dev/null || { echo "makensis is missing (Debian package nsis)" >&2; exit 1; }

mkdir -p "$work"
work=$(cd "$work" && pwd)
if [ -z "$corpus" ]; then
  corpus=$work/corpus
  [ -d "$corpus" ] || "$here/make-corpus.sh" "$corpus" >/dev/null
fi
corpus=$(cd "$corpus" && pwd)
corpus_bytes=$(du -sb "$corpus" | cut -f1)
corpus_files=$(find "$corpus" -type f | wc -l)

# Ours: a setup folder that installs the files and nothing else (no links, no log, no
# uninstall entry, no uninstaller), in both forms: product package inside, and split
# beside the stub.
setup=$work/qv-setup
rm -rf "$setup" && mkdir -p "$setup"
printf '[Settings]\r\nDefaultDir=%%ProgramFiles%%QvBench\r\nSplit=%s\r\n[Info]\r\nTitel=QvBench\r\n[StartMenue]\r\nProgLink=\r\n[Task]\r\nNoUninstall=1\r\n' 0 \
  > "$setup/setup.ini"
"$qvpack" setup --stub "$stub" --setup "$setup" --product "$corpus" -o "$work/qv-setup.exe" --no-uninstaller >/dev/null
split_setup=$work/qv-split-setup
rm -rf "$split_setup" && mkdir -p "$split_setup"
sed 's/^Split=0/Split=1/' "$setup/setup.ini" > "$split_setup/setup.ini"
"$qvpack" setup --stub "$stub" --setup "$split_setup" --product "$corpus" -o "$work/qv-split.exe" --split --no-uninstaller \
  >/dev/null

# NSIS: the same tree, one installer per compressor.
for compressor in zlib lzma; do
  cat > "$work/nsis-$compressor.nsi" <<NSI
Unicode true
Target amd64-unicode
SetCompressor $compressor
Name "QvBench"
OutFile "$work/nsis-$compressor.exe"
InstallDir "C:\\QvBench\\nsis"
RequestExecutionLevel user
SilentInstall silent
Section
  SetOutPath \$INSTDIR
  File /r "$corpus/*"
SectionEnd
NSI
  makensis -V1 "$work/nsis-$compressor.nsi" >/dev/null
done

drive_c=$WINEPREFIX/drive_c
# Keeps one wineserver for all runs, so no run pays for starting it; detached, so that
# it never holds this script's output open.
qv_start_wineserver 60

best() { sort -n | head -1; }
# Runs one installer `runs` times into C:\QvBench\<name>; prints the best seconds.
time_install() {
  local name=$1; shift
  local folder=$drive_c/QvBench/$name times=() start end
  for _ in $(seq 1 "$runs"); do
    rm -rf "$folder"
    start=$(date +%s.%N)
    DISPLAY= "$wine64" "$@" >/dev/null 2>&1 || { echo "$name: the installer failed" >&2; return 1; }
    end=$(date +%s.%N)
    times+=("$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }')")
  done
  diff -rq "$corpus" "$folder" >/dev/null || { echo "$name: the install differs from the corpus" >&2; return 1; }
  printf '%s\n' "${times[@]}" | best
}
# wine returns when the installer's process has ended; both installers wait for
# whatever they start, so a time covers the whole install.
ours=$(time_install ours "$work/qv-setup.exe" /Q '/P:C:\QvBench\ours')
split=$(time_install split "$work/qv-split.exe" /Q '/P:C:\QvBench\split')
zlib=$(time_install nsis-zlib "$work/nsis-zlib.exe" /S '/D=C:\QvBench\nsis-zlib')
lzma=$(time_install nsis-lzma "$work/nsis-lzma.exe" /S '/D=C:\QvBench\nsis-lzma')
rm -rf "$drive_c/QvBench"

size() { stat -c %s "$1"; }
echo "corpus: $corpus_files files, $corpus_bytes bytes; best of $runs runs each"
printf '%-34s %10s %14s %16s\n' installer "time (s)" "ours / it" "size (bytes)"
row() { printf '%-34s %10.3f %14.3f %16s\n' "$1" "$2" "$(awk -v a="$ours" -v b="$2" 'BEGIN { print a / b }')" "$3"; }
row "quarvel setup.exe /Q" "$ours" "$(size "$work/qv-setup.exe")"
row "quarvel split (.exe + .pkj) /Q" "$split" "$(( $(size "$work/qv-split.exe") + $(size "$work/qv-split.pkj") ))"
row "nsis zlib /S" "$zlib" "$(size "$work/nsis-zlib.exe")"
row "nsis lzma /S" "$lzma" "$(size "$work/nsis-lzma.exe")"
if awk -v a="$ours" -v b="$zlib" 'BEGIN { exit !(a <= b) }'; then
  echo "bar met: the quiet install is no slower than the NSIS zlib installer"
else
  echo "bar missed: the quiet install is slower than the NSIS zlib installer"
  [ "${QV_BENCH_BAR:-1}" = 0 ] || exit 2
fi
