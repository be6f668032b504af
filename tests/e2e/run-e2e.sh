#!/usr/bin/env bash
# Runs the end-to-end tests: puts korvane.exe into the simulated machine and
# runs the driver program under Wine on a display of its own. With
# KORVANE_LOCALE=en_US.UTF-8 the machine is an English system, for the
# driver and the program it starts alike.
#   tests/e2e/run-e2e.sh korvane_e2e.exe korvane.exe [test arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
# Tests seed and wipe the registry: they get a machine of their own, so that
# the one make run starts keeps its seed and what its user changed.
export KORVANE_PREFIX=${KORVANE_PREFIX:-$root/build/wineprefix-tests}
driver=$1
exe=$2
shift 2
[ -f "$exe" ] || { echo "no korvane.exe at $exe: build the product first" >&2; exit 1; }
"$root/sim/prefix.sh" "$exe"
source "$root/sim/wine-env.sh"
source "$root/sim/xvfb.sh"
start_xvfb
trap stop_xvfb EXIT
set +e
wine "$driver" "$@"
code=$?
set -e
exit $code
