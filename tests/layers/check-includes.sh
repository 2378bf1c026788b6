#!/usr/bin/env bash
# The layers of src/, lowest first: a file may include headers of its own folder and of
# the folders before it, never of a folder after it. The portable folders never include
# a platform's, and each platform's folder never includes the other's. The stub's entry
# (src/stub) composes the Windows parts and may include everything.
#   runtime  files, key/value files, paths, bytes, text
#   texts    the interface texts and the language choice
#   setup    the run settings and the readers of setup.ini
#   codec    JC blocks (the stub links only the decoder)
#   package  package reading and extraction
#   system   the machine's parts: folders, registry, links, processes, privileges
#   install  the installation's steps: checked copies, user tasks, logs for others
#   uninstall  the uninstaller's log reading and removal
#   wizard   the wizard's page logic and the start-menu picker's folders
#   run      a whole run: start, quiet run, wizard run, end
#   builder  package writing, for qvpack alone
#   posix, win32  the platforms' implementations; stub, uninstaller  the programs;
#   start  the programs' own start-up
#   check-includes.sh <src folder>
set -euo pipefail
src=$(cd "${1:?usage: check-includes.sh <src folder>}" && pwd)
layers=(${QV_LAYERS:-runtime texts setup codec package system install uninstall wizard run builder posix win32 stub uninstaller start})
platforms="posix win32 stub uninstaller start"

rank() {
  local i
  for i in "${!layers[@]}"; do [ "${layers[$i]}" = "$1" ] && { echo "$i"; return; }; done
  echo -1
}
# The folder a source file belongs to: its first folder below src/.
folder_of() {
  local rel=${1#"$src"/}
  echo "${rel%%/*}"
}
is_platform() { case " $platforms " in *" $1 "*) return 0 ;; esac; return 1; }

failures=0
while IFS= read -r file; do
  from=$(folder_of "$file")
  from_rank=$(rank "$from")
  if [ "$from_rank" -lt 0 ]; then
    echo "${file#"$src"/}: the folder $from is not in the list of layers"
    failures=$((failures + 1))
    continue
  fi
  while IFS= read -r target; do
    to=${target%%/*}
    to_rank=$(rank "$to")
    wrong=""
    if [ "$to_rank" -lt 0 ]; then
      wrong="a folder that is no layer"
    elif [ "$to_rank" -gt "$from_rank" ]; then
      wrong="a higher layer"
    elif is_platform "$to" && ! is_platform "$from"; then
      wrong="a platform's folder from the portable core"
    elif [ "$from" = posix ] && [ "$to" != posix ] && is_platform "$to"; then
      wrong="another platform's folder"
    elif [ "$from" = win32 ] && [ "$to" = posix ]; then
      wrong="another platform's folder"
    fi
    if [ -n "$wrong" ]; then
      echo "${file#"$src"/}: includes \"$target\", $wrong"
      failures=$((failures + 1))
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\/[^"]*\)".*/\1/p' "$file")
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

if [ "$failures" -ne 0 ]; then
  echo "$failures include(s) against the layers: ${layers[*]}"
  exit 1
fi
echo "every include of $(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) | wc -l) files points down the layers: ${layers[*]}"
