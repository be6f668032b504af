#!/usr/bin/env bash
# make bench: Korvane's start-up to a visible window (status query included)
# beside a plain window program built with the same flags, and the longest
# its window takes to answer while a clock tool runs 10 s. Both are
# measured side by side in one run, on a simulated machine of their own.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export KORVANE_PREFIX=${KORVANE_PREFIX:-$root/build/wineprefix-bench}
bench=$root/build/wine-tests/tests/bench/korvane_bench.exe
for program in "$root/build/win32/korvane.exe" "$root/build/win32/tests/bench/minimal_window.exe" "$bench"; do
  [ -f "$program" ] || { echo "no $program: build first (make bench does)" >&2; exit 1; }
done
"$root/sim/prefix.sh" "$root/build/win32/korvane.exe" "$root/build/win32/tests/bench/minimal_window.exe"
source "$root/sim/wine-env.sh"
source "$root/sim/xvfb.sh"
start_xvfb
trap stop_xvfb EXIT
wine "$bench"
