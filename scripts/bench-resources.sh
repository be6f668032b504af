#!/usr/bin/env bash
# make bench: what korvane.exe takes of a Windows 98 machine, measured in one
# run. The program's size in the download and the five source files (or
# libraries) that make up most of it, from the linker's map; then the GDI
# objects and windows it holds over a hundred showings of every tab and
# dialog, as the end-to-end test that keeps them flat counts them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe=$root/build/win32/korvane.exe
archive=$(ls "$root"/build/win32/dist/korvane-*.zip)
python3 - "$archive" <<'PY'
import sys, zipfile
size = zipfile.ZipFile(sys.argv[1]).getinfo("KORVANE.EXE").file_size
print(f"KORVANE.EXE in the download, stripped: {size} bytes "
      f"({size / 1024:.1f} KiB of the 300 KiB allowed)")
PY
echo "largest contributors (code and data, bytes):"
python3 "$root/scripts/size_contributors.py" "$root/build/win32/korvane.map" 5
if ! tour=$("$root/tests/e2e/run-e2e.sh" "$root/build/wine-tests/tests/e2e/korvane_e2e.exe" "$exe" \
    --gtest_filter=ResourcesE2E.* 2>&1); then
  echo "$tour" | tail -20 >&2
  exit 1
fi
echo "over 100 rounds of every tab and dialog:"
echo "$tour" | grep -E "^(GDI objects|windows):" | sed 's/^/  /'
