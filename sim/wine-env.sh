# Environment for running the simulated G400 machine under Wine; sourced by
# the scripts beside it. KORVANE_PREFIX may point elsewhere.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export KORVANE_ROOT=$(cd "$here/.." && pwd)
export WINEPREFIX=${KORVANE_PREFIX:-$KORVANE_ROOT/build/wineprefix}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko prompts: the machine has no .NET or HTML programs.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# Wine gives every program the code page of this Unix locale: 932 for the
# Japanese system the machine is, or, with KORVANE_LOCALE=en_US.UTF-8, 1252
# for an English one. A program started by another inherits it.
export LANG=${KORVANE_LOCALE:-ja_JP.UTF-8}
export LC_ALL=$LANG
# Where Korvane is unpacked inside the machine, as Windows and Unix see it.
export KORVANE_PROGRAM_DIR_WIN='C:\Program Files\Korvane'
export KORVANE_PROGRAM_DIR="$WINEPREFIX/drive_c/Program Files/Korvane"
