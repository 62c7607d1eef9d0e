#!/usr/bin/env bash
# Checks that every include of the sources points down the layers: a folder includes only
# itself and the folders its row below names. The core never includes a Qt header. Prints
# each offending include as file:line and fails when there is one. Tests are not checked.
set -euo pipefail
cd "$(dirname "$0")/.."

# folder: the folders it may include (besides itself).
declare -A allowed=(
  [base]=""
  [memory]="base"
  [functions]="base memory"
  [link]="base memory"
  [document]="base memory functions link"
  [sim]="base memory link"
  [link/qt]="base memory link"
  [data]="base memory"
  [widgets]="base"
  # print/ draws the printed pages on Qt Gui alone (its target links no Widgets), so
  # tarvos-cli prints what the window prints; the print dialogs live in print/ui/.
  [print]="base memory functions link document"
  [print/ui]="base memory functions link document widgets print"
  [channels]="base memory functions link document sim widgets link/qt data"
  [compare]="base memory functions link document sim widgets link/qt data"
  [fleet]="base memory functions link document sim widgets link/qt data"
  [functions/ui]="base memory functions link document sim widgets link/qt data"
  [link/ui]="base memory functions link document sim widgets link/qt data"
  [memview]="base memory functions link document sim widgets link/qt data"
  [shell]="base memory functions link document sim link/qt data widgets channels functions/ui link/ui memview compare print print/ui fleet"
  [cli]="base memory functions link document sim link/qt data print"
  [bench]="base memory functions link document sim link/qt data widgets channels functions/ui link/ui memview compare print print/ui fleet shell"
  [fuzz]="base memory functions link document sim data"
)
core=" base memory functions link document sim fuzz "

# The folder a path belongs to: the two-level folders first, then the top one.
folder_of() {
  case "$1" in
    link/qt/*) echo link/qt ;;
    link/ui/*) echo link/ui ;;
    functions/ui/*) echo functions/ui ;;
    print/ui/*) echo print/ui ;;
    *) echo "${1%%/*}" ;;
  esac
}

failures=0
while IFS= read -r file; do
  from=$(folder_of "$file")
  [[ -v "allowed[$from]" ]] || continue
  while IFS=: read -r line text; do
    if [[ "$text" =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<(Q[A-Za-z]*)[/\>] ]]; then
      if [[ "$core" == *" $from "* ]]; then
        echo "$file:$line: $from is Qt-free and may not include <${BASH_REMATCH[1]}...>"
        failures=$((failures + 1))
      fi
      continue
    fi
    [[ "$text" =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]] || continue
    header="${BASH_REMATCH[1]}"
    [[ "$header" == */* ]] || continue  # a file beside this one
    to=$(folder_of "$header")
    [[ "$to" == "$from" ]] && continue
    if [[ " ${allowed[$from]} " != *" $to "* ]]; then
      echo "$file:$line: $from may not include $to (\"$header\")"
      failures=$((failures + 1))
    fi
  done < <(grep -n '#[[:space:]]*include' "$file" || true)
done < <(git ls-files --cached --others --exclude-standard -- '*.h' '*.cpp' '*.inc' | grep -v '^tests/' | sort)

if ((failures)); then
  echo "check-layers: $failures include(s) run against the layers" >&2
  exit 1
fi
echo "check-layers: every include points down the layers"
