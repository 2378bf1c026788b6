#!/usr/bin/env bash
# The guide cannot fall behind the code: every group and key the setup description's
# readers know is in the setup.ini reference, every text key in the language-file page,
# and every option of every qvpack command's --help in the qvpack reference.
#   check-guide.sh <source folder> <qvpack>
set -euo pipefail
source=$1 qvpack=$2
docs=$source/docs
failures=0
missing() { echo "$1: $2 is not in the guide"; failures=$((failures + 1)); }
has() { grep -q -F -- "\`$2\`" "$docs/$1"; }

# setup.ini: the readers' tables and calls.
readers="$source/src/setup/setup_description.cpp $source/src/install/user_tasks.cpp"
keys=$( { grep -ohE '\{g[A-Za-z]+, "[A-Za-z0-9]+", &RunSettings' $readers | sed -E 's/\{g([^,]+), "([^"]+)".*/\1\n\2/';
          grep -ohE '(readFlag\(doc, |readKeyInteger\(|readKeyString\(|selectGroup\()"[A-Za-z0-9]+"' $readers |
            sed -E 's/.*"([^"]+)"/\1/'; } | sort -u)
[ -n "$keys" ] || { echo "no keys found in the readers: the check is out of step with the code"; exit 1; }
for key in $keys; do
  case "$key" in
    Task) has setup-ini.md Task1 || missing setup-ini.md Task1 ;;
    Settings|Info|Task|StartMenue|UserTask) grep -q -F "[$key]" "$docs/setup-ini.md" || missing setup-ini.md "[$key]" ;;
    *) has setup-ini.md "$key" || missing setup-ini.md "$key" ;;
  esac
done
for group in Settings Info StartMenue UserTask; do
  grep -q -F "## [$group]" "$docs/setup-ini.md" || missing setup-ini.md "the group [$group]"
done
for kind in 0 1 2 3 4 5 6 7 8 9 10; do
  grep -q "^| $kind |" "$docs/setup-ini.md" || missing setup-ini.md "task kind $kind"
done

# Language files: every text of the table.
# The table is one literal: a "// [Group]" line before each group's "Key\0" "Default\0" lines.
texts=$(awk '/^constexpr char kTexts\[\]/ { on = 1; next }
             on && /^ +\/\/ \[/ { group = $0; sub(/.*\[/, "", group); sub(/\].*/, "", group); next }
             on && /^ +"[A-Za-z0-9_]+\\0"/ { key = $0; sub(/^ +"/, "", key); sub(/\\0".*/, "", key); print group "|" key }
             on && /;$/ { on = 0 }' "$source/src/texts/interface_texts.cpp")
[ "$(echo "$texts" | wc -l)" -ge 70 ] || { echo "the text table was not found: the check is out of step"; exit 1; }
for entry in $texts; do
  group=${entry%%|*} key=${entry#*|}
  # The key within its group's section.
  awk -v g="### [$group]" -v k="| \`$key\` |" '$0 == g { inside = 1; next } /^### / { inside = 0 }
       inside && index($0, k) == 1 { found = 1 } END { exit !found }' "$docs/language-files.md" ||
    missing language-files.md "$group/$key"
done

# qvpack: every command, and every option its --help names.
for command in build setup list test extract; do
  grep -q -F "## qvpack $command" "$docs/qvpack.md" || missing qvpack.md "qvpack $command"
  options=$("$qvpack" "$command" --help | grep -oE '(^|[ [|])(--[a-z-]+|-o)( |\]|$)' | grep -oE -- '--?[a-z-]+' | sort -u || true)
  for option in $options; do
    [ "$option" = --help ] && continue
    grep -q -F -- "\`$option" "$docs/qvpack.md" || missing qvpack.md "qvpack $command $option"
  done
done
grep -q -F 'SOURCE_DATE_EPOCH' "$docs/qvpack.md" || missing qvpack.md SOURCE_DATE_EPOCH
for switch in /Q /P /S /R; do grep -q -F "\`$switch" "$docs/command-lines.md" || missing command-lines.md "$switch"; done

if [ "$failures" -ne 0 ]; then
  echo "$failures item(s) missing from docs/"
  exit 1
fi
echo "the guide names every key ($(echo "$keys" | wc -l) of setup.ini, $(echo "$texts" | wc -l) texts) and every qvpack option"
