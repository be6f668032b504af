#!/usr/bin/env bash
# Creates the simulated G400 machine once: a 32-bit Wine prefix that reports
# Windows 98, speaks code page 932 (or the English 1252, see wine-env.sh), has
# the fonts of both and the machine's registry. Later runs
# reuse it until its set-up files change. Then copies korvane.exe (and any
# other programs given) into the program folder, with the stand-ins for the
# clock tools beside it, as a user would unpack them, and the stand-in for
# the card's video memory.
#
#   sim/prefix.sh [program.exe ...]
set -euo pipefail
# The machine is made Japanese; a run may show it as an English one.
KORVANE_LOCALE= source "$(dirname "$0")/wine-env.sh"
sim=$KORVANE_ROOT/sim

stamp=$WINEPREFIX/.korvane-stamp
wanted=$(cat "$sim/prefix.sh" "$sim/wine-env.sh" "$sim/base.reg" "$sim/machine.reg" | sha1sum | cut -d' ' -f1)
if [ ! -f "$stamp" ] || [ "$(cat "$stamp")" != "$wanted" ]; then
  echo "Creating the simulated G400 machine in $WINEPREFIX"
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  DISPLAY= wineboot --init >/dev/null 2>&1
  wineserver -w
  "$sim/import-reg.sh" "$sim/base.reg"
  "$sim/import-reg.sh" "$sim/machine.reg"
  # The English interface's font, MS Sans Serif, and Marlett, which draws
  # the title bars' buttons: Wine looks for sserife.fon and marlett.ttf in
  # the system's font folder, but Debian's Wine leaves the folder empty; the
  # files come with fonts-wine.
  cp /usr/share/wine/fonts/sserife.fon /usr/share/wine/fonts/marlett.ttf \
    "$WINEPREFIX/drive_c/windows/Fonts/"
  echo "$wanted" > "$stamp"
fi

mkdir -p "$KORVANE_PROGRAM_DIR"
tools=${KORVANE_TOOLS_DIR:-$KORVANE_ROOT/build/wine-tests/sim/tools}
for program in "$@"; do
  cp -f "$program" "$KORVANE_PROGRAM_DIR/"
done
for tool in G4set.exe g200clk.exe ddraw.dll; do
  if [ -f "$tools/$tool" ]; then cp -f "$tools/$tool" "$KORVANE_PROGRAM_DIR/"; fi
done
