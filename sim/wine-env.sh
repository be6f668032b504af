# Environment for running the simulated G400 machine under Wine; sourced by
# the scripts beside it. KORVANE_PREFIX may point elsewhere.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export KORVANE_ROOT=$(cd "$here/.." && pwd)
export WINEPREFIX=${KORVANE_PREFIX:-$KORVANE_ROOT/build/wineprefix}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko prompts: the machine has no .NET or HTML programs.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# Code page 932 for the program's Japanese texts.
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
# Where Korvane is unpacked inside the machine, as Windows and Unix see it.
export KORVANE_PROGRAM_DIR_WIN='C:\Program Files\Korvane'
export KORVANE_PROGRAM_DIR="$WINEPREFIX/drive_c/Program Files/Korvane"
