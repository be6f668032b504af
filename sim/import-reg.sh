#!/usr/bin/env bash
# Imports a UTF-8 .reg file into the prefix. regedit reads Unicode .reg
# files as UTF-16 with a byte-order mark.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
src=$1
tmp=$(mktemp --suffix=.reg)
trap 'rm -f "$tmp"' EXIT
{ printf '\xff\xfe'; sed 's/$/\r/' "$src" | iconv -f UTF-8 -t UTF-16LE; } > "$tmp"
wine regedit /S "$(winepath -w "$tmp")"
wineserver -w
