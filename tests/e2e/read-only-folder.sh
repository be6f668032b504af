#!/usr/bin/env bash
# Runs the end-to-end test of Korvane started from a CD: the program and the
# clock tools' stand-ins are copied into build/korvane-cd, which this run
# alone sees mounted read-only (a mount namespace of its own) and the
# simulated machine sees as drive D:, a CD-ROM.
#   tests/e2e/read-only-folder.sh korvane_e2e.exe korvane.exe
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
if [ -z "${KORVANE_READ_ONLY_NAMESPACE:-}" ]; then
  export KORVANE_READ_ONLY_NAMESPACE=1
  # Root may make a mount namespace; elsewhere a user namespace makes one.
  if unshare --mount true 2>/dev/null; then
    exec unshare --mount --propagation private "$0" "$@"
  fi
  exec unshare --user --map-root-user --mount --propagation private "$0" "$@"
fi

driver=$1
exe=$2
export KORVANE_PREFIX=${KORVANE_PREFIX:-$root/build/wineprefix-tests}
"$root/sim/prefix.sh" "$exe"
source "$root/sim/wine-env.sh"
tools=${KORVANE_TOOLS_DIR:-$root/build/wine-tests/sim/tools}

cd_root=$root/build/korvane-cd
rm -rf "$cd_root"
mkdir -p "$cd_root/KORVANE"
cp "$exe" "$tools/G4set.exe" "$tools/g200clk.exe" "$cd_root/KORVANE/"
mount --bind "$cd_root" "$cd_root"
mount -o remount,bind,ro "$cd_root"

# Drive D:, a CD-ROM, until the run ends. Wine reads the drives' kinds
# when its services start: the server is ended once the kind is stored.
drive=$WINEPREFIX/dosdevices/d:
trap 'rm -f "$drive"; wine reg delete "HKLM\Software\Wine\Drives" /v d: /f >/dev/null 2>&1; wineserver -w' EXIT
ln -sfn "$cd_root" "$drive"
wine reg add 'HKLM\Software\Wine\Drives' /v d: /d cdrom /f >/dev/null
wineserver -w

"$root/tests/e2e/run-e2e.sh" "$driver" "$exe" --gtest_filter='ReadOnlyFolderE2E.*'
