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
# CMake keeps the compiler a tree was first configured with: a tree made before its toolchain file
# named another compiler (the 32-bit build's thread model) is configured afresh.
tree=$root/build/$config
toolchain=$root/cmake/mingw-$([ "$config" = win32 ] && echo i686 || echo x86_64).cmake
if [ "$config" != native ] && [ -f "$tree/CMakeCache.txt" ]; then
  want=$(sed -n 's/^set(CMAKE_CXX_COMPILER \([^ )]*\))$/\1/p' "$toolchain")
  have=$(sed -n 's/^set(CMAKE_CXX_COMPILER "\(.*\)")$/\1/p' "$tree"/CMakeFiles/*/CMakeCXXCompiler.cmake 2>/dev/null | head -n1)
  if [ "$(basename "$have")" != "$want" ]; then
    echo "build: $config was configured with ${have:-another compiler}, now $want: configuring afresh"
    rm -rf "$tree/CMakeCache.txt" "$tree/CMakeFiles"
  fi
fi
cmake -S "$root" -B "$tree" "${args[@]}" >/dev/null
cmake --build "$tree" -j"$jobs" "${@:2}"
