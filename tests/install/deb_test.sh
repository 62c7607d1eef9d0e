#!/usr/bin/env bash
# cpack -G DEB makes a package that depends on the Qt libraries and plug-ins it needs and puts
# the programs, the installation data and the desktop files under /usr.
# Usage: deb_test.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1
id=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work" > "$work/cpack.log") || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for need in libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialport6 qt6-qpa-plugins libc6; do
  grep -q "$need" <<< "$depends" || fail "Depends lacks $need: $depends"
done
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/tarvos ./usr/bin/tarvos-cli ./usr/share/tarvos/tarvosk.def \
         ./usr/share/tarvos/help/EngHelp.html "./usr/share/applications/$id.desktop" \
         "./usr/share/metainfo/$id.metainfo.xml" "./usr/share/icons/hicolor/scalable/apps/$id.svg"; do
  grep -qx -- "$f" <<< "$contents" || fail "the package lacks $f"
done
echo "$deb: $depends"
