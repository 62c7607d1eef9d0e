#!/usr/bin/env bash
# Builds Tarvos and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
exec build/default/cli/tarvos-cli dump data/dhcpqec.def "$@"
