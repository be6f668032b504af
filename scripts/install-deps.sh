#!/usr/bin/env bash
# Installs what building and testing Korvane needs on Debian 12, and nothing
# that is already there. Safe to run again; needs root (or sudo) only when
# something is missing.
#   scripts/install-deps.sh        what make build and make test need
#   scripts/install-deps.sh fuzz   clang with libFuzzer and the sanitizers
set -euo pipefail

packages=(
  build-essential cmake make python3 git
  g++-mingw-w64-i686-win32 g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  googletest
  wine wine32:i386
  # Wine's DirectDraw makes video-memory surfaces only through OpenGL: the
  # clock test needs Mesa's 32-bit libraries.
  libgl1:i386 libgl1-mesa-dri:i386 libglx-mesa0:i386
  xvfb xauth x11-utils imagemagick
  locales fonts-ipafont-gothic fonts-wine
)

if [ "${1:-}" = fuzz ]; then
  packages=(clang libclang-rt-14-dev)
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  need_update=1
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ] || [ -n "${need_update:-}" ]; then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -q
  if [ ${#missing[@]} -gt 0 ]; then
    "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive \
      apt-get install -y -q --no-install-recommends "${missing[@]}"
  fi
fi

# Wine gives a program the code page of its Unix locale: ja_JP.UTF-8 gives
# the Japanese code page 932, en_US.UTF-8 the English 1252 that the English
# interface is tested and shown on.
for wanted in ja_JP en_US; do
  if ! locale -a 2>/dev/null | grep -qi "^$wanted\.utf-\?8$"; then
    "${sudo_cmd[@]}" sed -i "s/^# *\($wanted.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    grep -q "^$wanted.UTF-8 UTF-8" /etc/locale.gen ||
      echo "$wanted.UTF-8 UTF-8" | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
    "${sudo_cmd[@]}" locale-gen
  fi
done
