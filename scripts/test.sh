#!/usr/bin/env bash
# Builds Tarvos and runs every test: the full build (application, tools, GUI tests under the
# offscreen platform) and the Qt-free core again under AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/check-layers.sh
scripts/check-architecture.sh
export QT_QPA_PLATFORM=offscreen
cmake --preset default
cmake --build --preset default
ctest --preset default -j2
cmake --preset sanitize
cmake --build --preset sanitize
ctest --preset sanitize -j2
