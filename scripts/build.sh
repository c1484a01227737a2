#!/usr/bin/env bash
# Configures and builds one configuration: native, native32, win64 or win32. Build trees live in
# build/. native32 is the portable core and its unit tests as 32-bit Linux programs (-m32, the i386
# libraries through multiarch), which CTest runs under qemu-i386-static: the 32-bit logic tested
# as 32-bit code, since 32-bit Windows programs cannot run here.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
config=$1
jobs=$(nproc)
case "$config" in
  native) args=(-DCMAKE_BUILD_TYPE=Debug) ;;
  native32) args=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_FLAGS=-m32 -DCMAKE_CXX_FLAGS=-m32
                  -DCMAKE_LIBRARY_ARCHITECTURE=i386-linux-gnu -DCMAKE_IGNORE_PATH=/usr/lib/x86_64-linux-gnu
                  -DCMAKE_CROSSCOMPILING_EMULATOR=/usr/bin/qemu-i386-static -DTIKORA_TEST_SHARDS="$jobs") ;;
  win64) args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release
               -DTIKORA_DEPS_PREFIX="$(bash "$root/scripts/deps.sh" x86_64 | tail -n1)") ;;
  win32) args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release
               -DTIKORA_DEPS_PREFIX="$(bash "$root/scripts/deps.sh" i686 | tail -n1)") ;;
  *) echo "usage: $0 native|native32|win64|win32" >&2; exit 2 ;;
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
