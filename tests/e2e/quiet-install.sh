#!/usr/bin/env bash
# End to end under Wine: the example product Quarvel Hello built into setup
# executables around the win64 stub and installed quietly, four times:
#   1. the example as it is, into its default folder below Program Files, and then
#      the same setup signed (Authenticode, a throwaway certificate);
#   2. again over that installation after the user changed it (kept extensions,
#      the earlier uninstall log kept, the copy tasks' files replaced without asking);
#   3. split: the product package beside the setup executable, with /P and /S;
#   4. in German only, with Reboot=1: no restart prompt, exit code 3010;
# then two that fail: the split setup without its package (exit code 2, nothing
# installed) and with a damaged entry in it (exit code 3, the rest installed).
# After each, qvinstallcheck reads back what the install left. No run may wait for a
# person: a window would wait forever, which the time limit of each run catches.
#   quiet-install.sh <qvpack> <win64 build tree> <work folder>
set -euo pipefail
qvpack=$1 tree=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../wine/env.sh"
"$here/../wine/prefix.sh" >/dev/null

# Wine takes the user's language from the locale: English here, whatever the host's.
export LC_ALL=C
fail() { echo "FAIL: $*" >&2; exit 1; }
winpath() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }

stub=$tree/src/stub/quarvel-setup.exe
uninstaller=$tree/src/uninstaller/quarvel-uninstall.exe  # the build tree's, which qvpack setup adds
check=$tree/tests/win32/install/qvinstallcheck.exe
example=$tree/example
for f in "$stub" "$uninstaller" "$check" "$example/setup/setup.ini" "$example/product/hello.exe"; do
  [ -e "$f" ] || fail "missing $f (build the win64 tree)"
done
rm -rf "$work" && mkdir -p "$work"
work=$(cd "$work" && pwd)
drive_c=$WINEPREFIX/drive_c
program_files="$drive_c/Program Files"

# A setup folder like the example's with some setup.ini lines changed (sed expressions).
variant() {  # name, sed expressions...
  local name=$1; shift
  cp -r "$example/setup" "$work/$name-setup"
  local e; for e in "$@"; do sed -i "$e" "$work/$name-setup/setup.ini"; done
}
# Runs one setup executable; its exit code must be the one given. Wine's setupapi
# reports each SetupPromptReboot call on the fixme channel, which goes to <exe>.log.
install() {  # expected exit code, setup.exe, arguments...
  local expected=$1 exe=$2; shift 2
  rm -f "$(dirname "$exe")/quarvel-hello-tasks.log"
  echo "== $(basename "$(dirname "$exe")"): setup.exe $*"
  set +e
  WINEDEBUG=fixme+setupapi timeout 300 "$here/../wine/run.sh" "$exe" "$@" 2> "$exe.log"
  local rc=$?
  set -e
  [ $rc -ne 124 ] || fail "$exe did not end within 300 seconds: a quiet run waits for a person"
  # Wine hands on the low 8 bits of a Windows exit code (3010 arrives as 194).
  [ $rc -eq $((expected & 255)) ] || { cat "$exe.log" >&2; fail "$exe exited with $rc, expected $expected"; }
}
# qvinstallcheck with the run's facts.
checks() {  # filter, install folder (Windows), setup folder, task log, menu, language, language id
  QV_E2E_INSTALL=$2 QV_E2E_PRODUCT="$(winpath "$example/product/")" QV_E2E_SETUP="$(winpath "$3/")" \
  QV_E2E_UNINSTALLER="$(winpath "$uninstaller")" \
  QV_E2E_TASKLOG="$(winpath "$4")" QV_E2E_MENU=$5 QV_E2E_LANGUAGE=$6 QV_E2E_LANGUAGE_ID=$7 \
    "$here/../wine/run.sh" "$check" --gtest_filter="$1" --gtest_color=no || fail "checks $1 after $4"
}
reboot_calls() { grep -c 'SetupPromptReboot' "$1" || true; }

"$here/../wine/run.sh" "$check" --clean
trap '"$here/../wine/run.sh" "$check" --clean || true' EXIT

# 1. The example as it is. Wine's English locale picks english.lng (number 9).
mkdir -p "$work/example"
"$qvpack" setup --stub "$stub" --setup "$example/setup" --product "$example/product" -o "$work/example/setup.exe" \
  >/dev/null || fail "qvpack setup"
install 0 "$work/example/setup.exe" /Q
default='C:\Program Files\Quarvel Example\Hello\'
checks 'Installed.*' "$default" "$example/setup" "$work/example/quarvel-hello-tasks.log" \
  'Quarvel Example\Hello' english 9
[ "$(reboot_calls "$work/example/setup.exe.log")" -eq 0 ] || fail "a run without Reboot prompted for a restart"

# 1b. The same setup signed with a throwaway self-signed certificate: the signature is
# intact (the chain is trusted only when the certificate is named as its own root),
# qvpack reads it, and it installs as the unsigned one did. Damaged after signing, it
# is reported as damaged.
signed=$work/signed
mkdir -p "$signed"
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$signed/key.pem" -out "$signed/cert.pem" -days 2 \
  -subj "/CN=Quarvel E2E" >/dev/null 2>&1 || fail "openssl could not make a certificate"
osslsigncode sign -certs "$signed/cert.pem" -key "$signed/key.pem" -n "Quarvel Hello" \
  -in "$work/example/setup.exe" -out "$signed/setup.exe" >/dev/null || fail "osslsigncode sign"
verify=$(osslsigncode verify -in "$signed/setup.exe" -CAfile "$signed/cert.pem" 2>&1 || true)
echo "$verify" | grep -q 'Signature verification: ok' || { echo "$verify" >&2; fail "the signature does not verify"; }
digests=$(echo "$verify" | sed -n 's/^\(Current\|Calculated\) message digest *: *//p' | sort -u | wc -l)
[ "$digests" -eq 1 ] || fail "the signed file's digest differs from the one signed"
"$qvpack" test "$signed/setup.exe" >/dev/null || fail "qvpack test does not read the signed setup"
"$here/../wine/run.sh" "$check" --clean
install 0 "$signed/setup.exe" /Q
checks 'Installed.*' "$default" "$example/setup" "$signed/quarvel-hello-tasks.log" 'Quarvel Example\Hello' english 9
cp "$signed/setup.exe" "$signed/damaged.exe"
size=$(stat -c %s "$signed/damaged.exe")
printf '\377' | dd of="$signed/damaged.exe" bs=1 seek=$((size / 2)) conv=notrunc 2>/dev/null
"$qvpack" test "$signed/damaged.exe" >/dev/null 2>&1 && fail "qvpack test passes a signed setup damaged after signing"

# 2. The user changes the installation, then installs again. The copy tasks meet
# their files: a quiet run replaces them (they carry no version data) without the
# file-version window.
installed="$program_files/Quarvel Example/Hello"
printf '[Greeting]\r\nText=Changed by the user\r\n' > "$installed/hello.ini"
printf 'window=left\r\n' > "$installed/user.cfg"
echo "changed" > "$installed/readme.txt"
echo "changed" > "$installed/hello.exe"
printf '[Earlier]\r\nKept=yes\r\n' >> "$installed/uninstall.dat"
sed -i 's/^\[UserTask\]\r$/&\nTask99=0|C:\\earlier.lnk\r/' "$installed/uninstall.dat"
grep -q '^Task99=' "$installed/uninstall.dat" || fail "the earlier log has no group UserTask"
echo "changed" > "$installed/docs/extras.txt"
install 0 "$work/example/setup.exe" /Q
checks 'Reinstalled.*' "$default" "$example/setup" "$work/example/quarvel-hello-tasks.log" \
  'Quarvel Example\Hello' english 9

# 3. Split: the product package beside the executable, into a folder of /P's choice
# and a start-menu folder of /S's.
variant split 's/^Split=0/Split=1/'
mkdir -p "$work/split"
"$qvpack" setup --stub "$stub" --setup "$work/split-setup" --product "$example/product" -o "$work/split/setup.exe" \
  --split >/dev/null || fail "qvpack setup --split"
[ -f "$work/split/setup.pkj" ] || fail "no setup.pkj beside the split setup"
"$qvpack" list "$work/split/setup.exe" | grep -q 'setup\.pck' && fail "the split setup carries setup.pck"
rm -rf "$drive_c"/users/*/AppData/Roaming/"Quarvel Hello"
install 0 "$work/split/setup.exe" /Q '/P:C:\Quarvel E2E\Split Hello' '/S:Quarvel E2E\Split Menu'
checks 'Installed.*' 'C:\Quarvel E2E\Split Hello\' "$work/split-setup" "$work/split/quarvel-hello-tasks.log" \
  'Quarvel E2E\Split Menu' english 9

# 4. German as the only language (chosen without the automatic choice, so
# %LanguageID% is 0), with a restart asked for at the end: by the exit code, since a
# quiet run puts up no prompt.
variant german 's/^Language=.*/Language=german.lng#7|/' 's/^Reboot=0/Reboot=1/'
mkdir -p "$work/german"
"$qvpack" setup --stub "$stub" --setup "$work/german-setup" --product "$example/product" -o "$work/german/setup.exe" \
  >/dev/null || fail "qvpack setup (German)"
rm -rf "$drive_c"/users/*/AppData/Roaming/"Quarvel Hello"
install 3010 "$work/german/setup.exe" /Q '/P:C:\Quarvel E2E\Hallo Welt'
checks 'Installed.*' 'C:\Quarvel E2E\Hallo Welt\' "$work/german-setup" "$work/german/quarvel-hello-tasks.log" \
  'Quarvel Example\Hello' german 0
[ "$(reboot_calls "$work/german/setup.exe.log")" -eq 0 ] || fail "a quiet run prompted for a restart"

# 5. The split setup without its package: nothing installed, exit code 2.
mkdir -p "$work/nopackage"
cp "$work/split/setup.exe" "$work/nopackage/setup.exe"
install 2 "$work/nopackage/setup.exe" /Q '/P:C:\Quarvel E2E\No Package'
[ ! -e "$drive_c/Quarvel E2E/No Package/uninstall.dat" ] || fail "a run without its package wrote an uninstall log"

# 6. The split package with one damaged entry: that file fails, the rest is installed,
# exit code 3.
mkdir -p "$work/damaged"
cp "$work/split/setup.exe" "$work/split/setup.pkj" "$work/damaged/"
damage=$("$qvpack" list "$work/damaged/setup.pkj" | awk '$1 == "file" && $3 < $2 && $3 > 64 { print $4 + int($3 / 2); exit }')
[ -n "$damage" ] || fail "the split package has no packed entry to damage"
byte=$(dd if="$work/damaged/setup.pkj" bs=1 skip="$damage" count=1 status=none | od -An -tu1 | tr -d ' ')
printf "\\x$(printf %02x $((byte ^ 0x20)))" | dd of="$work/damaged/setup.pkj" bs=1 seek="$damage" conv=notrunc status=none
install 3 "$work/damaged/setup.exe" /Q '/P:C:\Quarvel E2E\Damaged'
[ -f "$drive_c/Quarvel E2E/Damaged/uninstall.dat" ] || fail "the damaged run did not go on after its failed entry"
echo "the example installed quietly, and the quiet runs' exit codes told each outcome"
