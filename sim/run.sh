#!/usr/bin/env bash
# Starts Korvane on the simulated G400 machine. With a display ($DISPLAY) it
# simply runs (in English with KORVANE_LOCALE=en_US.UTF-8); without one it
# runs under Xvfb, walks through every tab and dialog in Japanese and then on
# an English system, and writes a screenshot of each to build/screenshots/
# (the English ones named *-en.png).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe=$root/build/win32/korvane.exe
tour=$root/build/wine-tests/tests/e2e/korvane_tour.exe
[ -f "$exe" ] || { echo "build korvane.exe first (make run does)" >&2; exit 1; }
"$root/sim/prefix.sh" "$exe"
source "$root/sim/wine-env.sh"

# The card maker's BIOS tool, with its DOS extender, where a user would have
# copied it from the driver CD.
tools="$WINEPREFIX/drive_c/Matrox Tools/BIOS Utility"
mkdir -p "$tools"
cp -f "$root/build/wine-tests/sim/tools/PROGBIOS.EXE" "$tools/"
[ -f "$tools/DOS4GW.EXE" ] || : > "$tools/DOS4GW.EXE"

# The simulated card's memory holds up to 200 MHz (sim/tools/ddraw_stand_in.cpp):
# the clock test finds errors above it.
limit="$KORVANE_PROGRAM_DIR/ddraw-limit.txt"
[ -f "$limit" ] || echo 200 > "$limit"

if [ -n "${DISPLAY:-}" ]; then
  cd "$KORVANE_PROGRAM_DIR"
  exec wine korvane.exe
fi

source "$root/sim/xvfb.sh"
start_xvfb
trap stop_xvfb EXIT
shots=$root/build/screenshots
rm -rf "$shots"
mkdir -p "$shots"
echo "No display: running Korvane under Xvfb ($DISPLAY) and taking screenshots"
wine "$tour" "$(winepath -w "$shots")"
LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 wine "$tour" "$(winepath -w "$shots")"
for bmp in "$shots"/*.bmp; do
  convert "$bmp" "${bmp%.bmp}.png"
  rm -f "$bmp"
done
ls -1 "$shots"
