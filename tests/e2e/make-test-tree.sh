#!/usr/bin/env bash
# Makes the folders the end-to-end tests pack: a setup folder and a product folder
# with nested folders, an empty folder, an empty file, a file beginning with "JC"
# that must be stored raw, binary and text files, each with its own old time.
set -euo pipefail
root=$1
rm -rf "$root"
mkdir -p "$root/setup/lang/more" "$root/setup/empty folder" "$root/setup/bin" \
         "$root/product/docs/deep/deeper" "$root/product/empty"
printf '[Settings]\r\nTitel=Quarvel Test\r\n[Task]\r\nReboot=0\r\n' > "$root/setup/setup.ini"
printf '[Texts]\r\nHello=Hello\r\n' > "$root/setup/lang/English.lng"
printf '[Texts]\r\nHello=Hallo\r\n' > "$root/setup/lang/more/Deutsch.lng"
: > "$root/setup/empty.txt"
{ printf 'JC'; head -c 4000 /dev/urandom; } > "$root/setup/jc.bin"
head -c 300000 /dev/urandom > "$root/setup/bin/tool.bin"
for i in $(seq 1 4000); do echo "line $i of a text that packs well, again and again"; done > "$root/setup/readme.txt"
head -c 100000 /dev/urandom > "$root/product/app.exe"
for i in $(seq 1 2000); do echo "help line $i"; done > "$root/product/docs/help.txt"
printf 'x' > "$root/product/docs/deep/deeper/one.byte"
: > "$root/product/docs/empty.cfg"
# Distinct times with a fraction of a second down to the 100 ns a FILETIME holds.
n=0
find "$root" -type f | sort | while read -r f; do
  n=$((n + 1))
  touch -d "2019-0$((n % 9 + 1))-1$((n % 10)) 0$((n % 10)):1$((n % 10)):2$((n % 10)).$((1234567 + n))" "$f"
done
