#!/usr/bin/env bash
# Installs the Debian 12 packages Tarvos needs to build, test and run, when they are missing.
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config
          qt6-base-dev qt6-base-dev-tools libqt6serialport6-dev libgl1-mesa-dev
          libgtest-dev libgmock-dev googletest clang libclang-rt-dev
          xvfb xauth fonts-noto-cjk fonts-dejavu-core desktop-file-utils appstream
          file poppler-utils qt6-translations-l10n)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
