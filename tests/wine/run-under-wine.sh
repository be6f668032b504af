#!/usr/bin/env bash
# Runs a test program under Wine in the simulated machine's prefix.
#   tests/wine/run-under-wine.sh program.exe [arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
# Tests seed and wipe the registry: they get a machine of their own, so that
# the one make run starts keeps its seed and what its user changed.
export KORVANE_PREFIX=${KORVANE_PREFIX:-$root/build/wineprefix-tests}
"$root/sim/prefix.sh"
source "$root/sim/wine-env.sh"
# Windows need a display, even in tests that never show them to anyone.
source "$root/sim/xvfb.sh"
start_xvfb
trap stop_xvfb EXIT
set +e
wine "$@"
code=$?
set -e
wineserver -w
exit $code
