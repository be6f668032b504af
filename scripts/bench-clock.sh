#!/usr/bin/env bash
# The clock measurement of the real korvane.exe against the counter's own
# rate, measured side by side on the simulated machine (make bench).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# A machine of its own: the tests leave theirs as their last case left it.
export KORVANE_PREFIX=${KORVANE_PREFIX:-$root/build/wineprefix-bench}
exec "$root/tests/e2e/run-e2e.sh" "$root/build/wine-tests/tests/e2e/korvane_bench_clock.exe" \
  "$root/build/win32/korvane.exe" "$@"
