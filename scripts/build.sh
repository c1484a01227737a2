#!/usr/bin/env bash
# Configures and builds one configuration: native, win64 or win32. Build trees live in build/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
config=$1
jobs=$(nproc)
case "$config" in
  native) args=(-DCMAKE_BUILD_TYPE=Debug) ;;
  win64) args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release
               -DTIKORA_DEPS_PREFIX="$(bash "$root/scripts/deps.sh" x86_64 | tail -n1)") ;;
  win32) args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release
               -DTIKORA_DEPS_PREFIX="$(bash "$root/scripts/deps.sh" i686 | tail -n1)") ;;
  *) echo "usage: $0 native|win64|win32" >&2; exit 2 ;;
esac
# Reuse objects across build trees and worktrees when ccache is there: paths under the tree are
# hashed relative to it.
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
  args+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$root/build/$config" "${args[@]}" >/dev/null
cmake --build "$root/build/$config" -j"$jobs" "${@:2}"
