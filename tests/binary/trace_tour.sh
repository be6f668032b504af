#!/usr/bin/env bash
# The Windows 98 rules check: walks through every tab and dialog of
# korvane.exe under Wine with a relay trace of the program's own calls and
# the reports of the tool info probe the walk hooks into it (warn+debugstr),
# and holds each call against what Windows 95/98 accept as the trace comes
# (check_calls.py); the trace itself is never written out.
# With a .reg file the machine is changed by it first: sim/windows95.reg
# makes it a Windows 95.
#   tests/binary/trace_tour.sh korvane_tour.exe korvane.exe [machine.reg]
set -euo pipefail
checks=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$checks/../.." && pwd)
tour=$1
exe=$2
machine=${3:-}
# A machine of its own, started afresh each time in the program folder, so
# that every run takes the same paths; its registry keeps the relay settings.
export KORVANE_PREFIX=${KORVANE_PREFIX:-$root/build/wineprefix-trace}
source "$root/sim/wine-env.sh"
rm -rf "$KORVANE_PROGRAM_DIR"
"$root/sim/prefix.sh" "$exe"
"$root/sim/import-reg.sh" "$checks/relay.reg"
[ -z "$machine" ] || "$root/sim/import-reg.sh" "$machine"
source "$root/sim/xvfb.sh"
start_xvfb
trap stop_xvfb EXIT
set +e
KORVANE_WINEDEBUG=+pid,+loaddll,+relay,warn+debugstr wine "$tour" --no-screenshots 2>&1 >/dev/null |
  python3 "$checks/check_calls.py" --exports "$checks/data/win98se-exports.json" \
    --imports "$checks/win98_imports.txt" "$exe"
codes=("${PIPESTATUS[@]}")
set -e
[ "${codes[0]}" -eq 0 ] || echo "the tour did not reach every tab and dialog" >&2
[ "${codes[0]}" -eq 0 ] && [ "${codes[1]}" -eq 0 ]
