#!/usr/bin/env bash
# Builds Tarvos and starts the application with a virtual radio on a pseudo-terminal
# (tarvos --demo), so Read and Write work without hardware. With --real it starts for a
# radio on a serial cable instead; other arguments go to tarvos.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target tarvos
args=(--demo)
if [ "${1:-}" = "--real" ]; then
  shift
  args=()
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: run this from a desktop session (or under xvfb-run)." >&2
  exit 1
fi
exec build/default/shell/tarvos "${args[@]}" "$@"
