#!/usr/bin/env bash
# make bench: what korvane.exe takes of a Windows 98 machine, measured in one
# run. The program's size in the download, beside its size before it was
# optimised as one program at link time; the five source files (or
# libraries) that make up most of it, from the linker's map of the same
# program built file by file (link-time optimisation leaves no source file's
# share in the map); then the GDI objects and windows it holds over a
# hundred showings of every tab and dialog, as the end-to-end test that
# keeps them flat counts them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe=$root/build/win32/korvane.exe
archive=$(ls "$root"/build/win32/dist/korvane-*.zip)
python3 - "$archive" <<'PY'
import sys, zipfile
size = zipfile.ZipFile(sys.argv[1]).getinfo("KORVANE.EXE").file_size
# The stripped program of version 1.10 as last built without link-time
# optimisation and the pushed arguments.
before = 305664
print(f"KORVANE.EXE in the download, stripped: {size:,} bytes "
      f"({size / 1024:.1f} KiB of the 300 KiB allowed; {before:,} bytes before "
      f"link-time optimisation)")
PY
by_file=$root/build/win32-by-file
if [ ! -f "$by_file/Makefile" ]; then
  cmake -S "$root" -B "$by_file" -DKORVANE_BUILD=product -DKORVANE_LTO=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686-product.cmake" >/dev/null
fi
make -s -C "$by_file" korvane >/dev/null
i686-w64-mingw32-strip -o "$by_file/korvane-stripped.exe" "$by_file/korvane.exe"
echo "largest contributors (code and data, bytes), built file by file," \
  "$(stat -c %s "$by_file/korvane-stripped.exe") bytes stripped:"
python3 "$root/scripts/size_contributors.py" "$by_file/korvane.map" 5
if ! tour=$("$root/tests/e2e/run-e2e.sh" "$root/build/wine-tests/tests/e2e/korvane_e2e.exe" "$exe" \
    --gtest_filter=ResourcesE2E.* 2>&1); then
  echo "$tour" | tail -20 >&2
  exit 1
fi
echo "over 100 rounds of every tab and dialog:"
echo "$tour" | grep -E "^(GDI objects|windows):" | sed 's/^/  /'
