#!/usr/bin/env bash
# Builds the picture libraries for the Windows builds from Debian's source packages: libjpeg-turbo
# (with its SIMD code), libpng and giflib, as static libraries for x86_64 and i686, with zlib from
# Debian's mingw package. Results are cached outside the tree, so a second run builds nothing.
#   deps.sh [x86_64|i686 ...]     prints the install prefix of each architecture on its last line
#   deps.sh --sources             fetches only the three source trees (their test pictures serve the
#                                 native tests) and prints their folders, jpeg, png and gif, a line each
# The cache lives in $TIKORA_DEPS_CACHE (default /var/cache/tikora-deps when writable, else
# ~/.cache/tikora-deps). Native builds use Debian's -dev packages instead (see setup.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
sources_only=0
if [ "${1:-}" = --sources ]; then
  sources_only=1
  set --
fi
arches=("$@")
[ ${#arches[@]} -gt 0 ] || arches=(x86_64 i686)
[ "$sources_only" = 0 ] || arches=()

# The versions built. libpng's newest revision has no source in the security pocket: pin the
# revision whose source is there.
jpeg_version=1:2.1.5-2
png_version=1.6.39-2+deb12u5
gif_version=5.2.1-2.5+deb12u1

if [ -z "${TIKORA_DEPS_CACHE:-}" ]; then
  if mkdir -p /var/cache/tikora-deps 2>/dev/null && [ -w /var/cache/tikora-deps ]; then
    TIKORA_DEPS_CACHE=/var/cache/tikora-deps
  else
    TIKORA_DEPS_CACHE=$HOME/.cache/tikora-deps
  fi
fi
stamp="jpeg=$jpeg_version png=$png_version gif=$gif_version"

# Several build trees (worktrees, parallel runs) share the cache: one builds, the others wait.
mkdir -p "$TIKORA_DEPS_CACHE"
exec 9>"$TIKORA_DEPS_CACHE/.lock"
flock 9

built() { [ -f "$TIKORA_DEPS_CACHE/$1/.stamp" ] && [ "$(cat "$TIKORA_DEPS_CACHE/$1/.stamp")" = "$stamp" ]; }

src=$TIKORA_DEPS_CACHE/src
source_dirs=(libjpeg-turbo-2.1.5 libpng1.6-1.6.39 giflib-5.2.1)
if [ "$sources_only" = 1 ]; then
  have=1
  for d in "${source_dirs[@]}"; do [ -d "$src/$d" ] || have=0; done
  if [ "$have" = 1 ]; then
    for d in "${source_dirs[@]}"; do echo "$src/$d"; done
    exit 0
  fi
fi

todo=()
for arch in "${arches[@]}"; do built "$arch" || todo+=("$arch"); done
if [ "$sources_only" = 0 ] && [ ${#todo[@]} -eq 0 ]; then
  for arch in "${arches[@]}"; do echo "$TIKORA_DEPS_CACHE/$arch"; done
  exit 0
fi

# Source entries: the machine's own Debian entries, as deb-src. No host name is written here.
source_list=/etc/apt/sources.list.d/tikora-deb-src.sources
if [ ! -f "$source_list" ]; then
  python3 - "$source_list" <<'EOF'
import glob, os, sys
stanzas = []
for path in sorted(glob.glob("/etc/apt/sources.list.d/*.sources")):
    if path == sys.argv[1]:
        continue
    for stanza in open(path).read().split("\n\n"):
        fields = [l for l in stanza.splitlines() if l.strip() and not l.startswith("#")]
        if any(l.split(":", 1)[0] == "Types" and "deb" in l.split(":", 1)[1].split() for l in fields) \
                and any(l.startswith("URIs:") and "debian" in l for l in fields):
            stanzas.append("\n".join("Types: deb-src" if l.startswith("Types:") else l for l in fields))
if os.path.exists("/etc/apt/sources.list"):
    for line in open("/etc/apt/sources.list").read().splitlines():
        parts = line.split("#", 1)[0].split()
        if parts[:1] == ["deb"] and any("debian" in p for p in parts):
            stanzas.append("deb-src" + line.split("deb", 1)[1])
deb822 = [s for s in stanzas if s.startswith("Types:")]
one_line = [s for s in stanzas if not s.startswith("Types:")]
open(sys.argv[1], "w").write("\n\n".join(deb822) + "\n")
if one_line:
    open(sys.argv[1].replace(".sources", ".list"), "w").write("\n".join(one_line) + "\n")
EOF
  apt-get update -qq
fi

need=(nasm libz-mingw-w64-dev dpkg-dev cmake make mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
      g++-mingw-w64-i686-win32)
missing=()
for p in "${need[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

mkdir -p "$src"
fetch() {  # package version directory-glob
  if ! compgen -G "$src/$3" >/dev/null; then
    (cd "$src" && apt-get source -qq -o APT::Sandbox::User=root --only-source "$1=$2" >/dev/null)
  fi
  compgen -G "$src/$3" | head -n1
}
jpeg_src=$(fetch libjpeg-turbo "$jpeg_version" "libjpeg-turbo-2.1.5")
png_src=$(fetch libpng1.6 "$png_version" "libpng1.6-1.6.39")
gif_src=$(fetch giflib "$gif_version" "giflib-5.2.1")
if [ "$sources_only" = 1 ]; then
  printf '%s\n' "$jpeg_src" "$png_src" "$gif_src"
  exit 0
fi

jobs=$(nproc)
for arch in "${todo[@]}"; do
  prefix=$TIKORA_DEPS_CACHE/$arch
  work=$TIKORA_DEPS_CACHE/build-$arch
  rm -rf "$prefix" "$work"
  mkdir -p "$prefix/lib" "$prefix/include" "$work"
  toolchain=$root/cmake/mingw-$arch.cmake
  sysroot=/usr/$arch-w64-mingw32

  cmake -S "$jpeg_src" -B "$work/jpeg" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=ON \
    -DWITH_TURBOJPEG=OFF -DCMAKE_SYSTEM_PROCESSOR="$([ "$arch" = x86_64 ] && echo AMD64 || echo x86)" >/dev/null
  cmake --build "$work/jpeg" -j"$jobs" --target jpeg-static >/dev/null
  cp "$work/jpeg/libjpeg.a" "$prefix/lib/"
  cp "$jpeg_src/jpeglib.h" "$jpeg_src/jmorecfg.h" "$jpeg_src/jerror.h" "$work/jpeg/jconfig.h" "$prefix/include/"

  # zlib: the static library of Debian's mingw package, not its DLL import library.
  cp "$sysroot/lib/libz.a" "$prefix/lib/"
  cp "$sysroot/include/zlib.h" "$sysroot/include/zconf.h" "$prefix/include/"

  cmake -S "$png_src" -B "$work/png" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include" >/dev/null
  cmake --build "$work/png" -j"$jobs" --target png_static >/dev/null
  cp "$work/png/libpng16.a" "$prefix/lib/libpng.a"
  cp "$png_src/png.h" "$png_src/pngconf.h" "$work/png/pnglibconf.h" "$prefix/include/"

  # giflib ships a plain Makefile: compile its library sources directly.
  mkdir -p "$work/gif"
  gif_objects=()
  for f in dgif_lib egif_lib gifalloc gif_err gif_font gif_hash openbsd-reallocarray quantize; do
    [ -f "$gif_src/$f.c" ] || continue
    "$arch-w64-mingw32-gcc-posix" -O2 -c "$gif_src/$f.c" -I"$gif_src" -o "$work/gif/$f.o"
    gif_objects+=("$work/gif/$f.o")
  done
  "$arch-w64-mingw32-ar" rcs "$prefix/lib/libgif.a" "${gif_objects[@]}"
  cp "$gif_src/gif_lib.h" "$prefix/include/"

  # The licences travel with the program.
  mkdir -p "$prefix/licenses"
  cp "$jpeg_src/LICENSE.md" "$prefix/licenses/libjpeg-turbo.md"
  cp "$png_src/LICENSE" "$prefix/licenses/libpng.txt"
  cp "$gif_src/COPYING" "$prefix/licenses/giflib.txt"
  zlib_copyright=/usr/share/doc/libz-mingw-w64-dev/copyright
  [ -f "$zlib_copyright" ] && cp "$zlib_copyright" "$prefix/licenses/zlib.txt"

  rm -rf "$work"
  echo "$stamp" >"$prefix/.stamp"
done
for arch in "${arches[@]}"; do echo "$TIKORA_DEPS_CACHE/$arch"; done
