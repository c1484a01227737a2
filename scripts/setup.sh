#!/usr/bin/env bash
# Installs what building and testing Tikora needs on Debian 12. Idempotent: does nothing when
# everything is there already.
set -euo pipefail

packages=(
  cmake make g++ python3 ccache
  mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix g++-mingw-w64-i686-win32
  googletest libgtest-dev
  libjpeg-dev libpng-dev libgif-dev zlib1g-dev
  wine wine64 xvfb imagemagick x11-utils xdotool
  python3-mutagen fonts-wine faketime
)
# The 32-bit native tests (scripts/build.sh native32): the i386 libraries through multiarch, and
# qemu-i386-static, through which CTest starts each 32-bit test program (qemu is never registered
# with binfmt_misc).
packages+=(
  g++-multilib qemu-user-static
  libgtest-dev:i386 libjpeg62-turbo-dev:i386 libpng-dev:i386 libgif-dev:i386 zlib1g-dev:i386
)
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
