#!/usr/bin/env bash
# Keeps the code map of ARCHITECTURE.md true to the tree. Every folder that holds code or build
# files (C++ sources and headers, CMakeLists.txt, *.cmake, shell scripts) must be named by an
# entry of the map, and every folder an entry names must exist. An entry is a line of the
# "## Code map" section that starts with "### " or "- " followed by one or more folder names
# in backticks, each ending in "/" and separated by ", ":
#     ### `link/qt/`
#     ### `shell/`, `shell/tools/`
#     - `bench/transfer/`: what it measures
# The top folder, hidden folders and build folders need no entry. Prints each folder that is
# missing or gone and fails when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."
doc=ARCHITECTURE.md

if [[ ! -f $doc ]]; then
  echo "check-architecture: $doc is missing" >&2
  exit 1
fi

# The repository's files: tracked and new ones, without what .gitignore leaves out.
list_files() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files --cached --others --exclude-standard
  else
    find . -type f | sed 's#^\./##'
  fi
}

# Folders holding code or build files.
mapfile -t code_folders < <(
  list_files | grep -E '(^|/)CMakeLists\.txt$|\.(cpp|h|inc|cmake|sh)$' |
    grep -vE '(^|/)\.|^build' | grep / | sed 's#/[^/]*$##' | sort -u |
    while IFS= read -r d; do [[ -d $d ]] && echo "$d"; done
)

# Folders the code map names.
mapfile -t named < <(
  awk '
    /^## / { inmap = ($0 ~ /^## Code map[[:space:]]*$/); next }
    inmap && /^(### |- )`/ {
      line = $0
      sub(/^(### |- )/, "", line)
      while (match(line, /^`[^`]+\/`/)) {
        print substr(line, 2, RLENGTH - 3)
        line = substr(line, RLENGTH + 1)
        if (!sub(/^, /, "", line)) break
      }
    }' "$doc" | sort -u
)

if ((${#named[@]} == 0)); then
  echo "check-architecture: $doc has no \"## Code map\" section with folder entries" >&2
  exit 1
fi

declare -A is_named=()
for d in "${named[@]}"; do is_named[$d]=1; done

failures=0
for d in "${code_folders[@]}"; do
  if [[ ! -v "is_named[$d]" ]]; then
    echo "$doc: no code-map entry for \`$d/\`, which holds code (give it a heading \"### \`$d/\`\" or a line \"- \`$d/\`: ...\")"
    failures=$((failures + 1))
  fi
done
for d in "${named[@]}"; do
  if [[ ! -d $d ]]; then
    echo "$doc: the code map describes \`$d/\`, which is no folder of the repository"
    failures=$((failures + 1))
  fi
done

if ((failures)); then
  echo "check-architecture: $failures folder(s) where the code map and the tree disagree" >&2
  exit 1
fi
echo "check-architecture: the code map names all ${#code_folders[@]} folders holding code"
