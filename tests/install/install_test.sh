#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks that every file is in its standard place
# and that the desktop entry and the AppStream metadata validate, then starts the installed
# programs from there and checks that they take their installation data from share/tarvos.
# Usage: install_test.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1
id=$2
work=$(mktemp -d)
trap 'kill ${sim_pid:-} 2>/dev/null || true; rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" > "$work/install.log"

for f in bin/tarvos bin/tarvos-cli \
         share/tarvos/tarvosk.def share/tarvos/dhcpqec.def share/tarvos/DefRadioSet.def \
         share/tarvos/help/EngHelp.html share/tarvos/help/ChsHelp.html \
         share/tarvos/help/ChtHelp.html share/tarvos/Read_Eng.png \
         "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" \
         "share/icons/hicolor/48x48/apps/$id.png" "share/icons/hicolor/256x256/apps/$id.png" \
         "share/icons/hicolor/scalable/apps/$id.svg"; do
  [ -s "$prefix/$f" ] || fail "$f is not installed"
done
[ -x "$prefix/bin/tarvos-cli" ] || fail "tarvos-cli is not executable"

# The PNG icons are the size their folder says (width and height in the IHDR chunk).
for size in 48 256; do
  read -r w h < <(od -An -tu1 -j16 -N8 "$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png" |
                  awk '{print $3*256+$4, $7*256+$8}')
  [ "$w" = "$size" ] && [ "$h" = "$size" ] || fail "the ${size}px icon is ${w}x${h}"
done
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/$id.svg" || fail "the SVG icon is no SVG"

desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
appstreamcli validate-tree --no-net "$prefix"

# tarvos-cli, started from the prefix, takes the factory defaults from share/tarvos: mark a
# byte of the installed defaults, let its virtual radio hold them and read the radio.
cli=$prefix/bin/tarvos-cli
defaults=$prefix/share/tarvos/DefRadioSet.def
printf '\x5a\xa5' | dd of="$defaults" bs=1 seek=$((0x300)) conv=notrunc status=none
export TARVOS_HOME=$work/home
export QT_QPA_PLATFORM=offscreen
"$cli" simulate > "$work/sim.out" 2> "$work/sim.err" &
sim_pid=$!
for _ in $(seq 100); do [ -s "$work/sim.out" ] && break; sleep 0.1; done
port=$(head -n1 "$work/sim.out")
[ -n "$port" ] || fail "the installed tarvos-cli simulate did not start: $(cat "$work/sim.err")"
"$cli" read --port "$port" --out "$work/read.dat" 2> "$work/read.err" ||
  fail "the installed tarvos-cli could not read: $(cat "$work/read.err")"
kill "$sim_pid"
wait "$sim_pid" 2>/dev/null || true
got=$(od -An -tx1 -j$((0x300)) -N2 "$work/read.dat" | tr -d ' ')
[ "$got" = "5aa5" ] || fail "the radio did not hold the installed defaults (read $got)"

# The window, started from the prefix over a fresh application folder, copies its
# installation data from share/tarvos.
echo '<!-- installed copy -->' >> "$prefix/share/tarvos/help/EngHelp.html"
"$prefix/bin/tarvos" --screenshot "$work/shot.png" --screenshot-delay 200 > /dev/null 2>&1 ||
  fail "the installed tarvos did not start"
grep -q 'installed copy' "$TARVOS_HOME/help/EngHelp.html" ||
  fail "the window did not take its help pages from share/tarvos"
[ -s "$TARVOS_HOME/tarvosk.def" ] || fail "no settings file in the application folder"
echo "installed and started from $prefix"
