#!/usr/bin/env bash
# Builds the release: Tikora-<version>-x64.zip and Tikora-<version>-x86.zip in dist/, each one folder
# Tikora (the stripped exe, Numbers, Sounds, Icons, ReadMe.txt, Licenses), with their SHA-256 sums.
# Everything is built from a fresh clone of the committed HEAD, after the whole test command passed
# there; the x64 zip is then unpacked and started under Wine as a user would. The zips are
# reproducible: the same commit gives the same bytes, so their sums can be checked against sums
# made elsewhere. SOURCE_DATE_EPOCH, the commit's time, is every entry's time and the exe's header
# time stamp (strip writes one, from SOURCE_DATE_EPOCH when set; the linker writes none).
#   release.sh                 the release
#   release.sh --skip-tests    for working on this script only: packages without running the tests
# The version comes from project() in CMakeLists.txt, as the version resource's does.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

skip_tests=0
for arg in "$@"; do
  case "$arg" in
    --skip-tests) skip_tests=1 ;;
    *) echo "usage: $0 [--skip-tests]" >&2; exit 2 ;;
  esac
done

version=$(sed -n 's/^project(Tikora VERSION \([0-9.]*\)[ )].*/\1/p' "$root/CMakeLists.txt")
run_value=$(sed -n 's/.*kAutostartValueName = "\(.*\)";.*/\1/p' "$root/settings/settings_options.h")
if [ -z "$version" ] || [ -z "$run_value" ]; then
  echo "release: cannot read the version from CMakeLists.txt or the Run value name from settings/" >&2
  exit 1
fi
commit=$(git -C "$root" rev-parse HEAD)
# The same commit gives the same zips, byte for byte: the commit's time for the entries and the exe.
SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct "$commit")
export SOURCE_DATE_EPOCH
if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
  echo "release: note: uncommitted changes are not part of the release (it is built from $commit)"
fi

work=$(mktemp -d /tmp/tikora-release.XXXXXX)
trap 'rm -rf "$work"' EXIT
src=$work/src
echo "== Tikora $version from a fresh clone of $commit"
git clone -q --no-checkout "$root" "$src"
git -C "$src" checkout -q --detach "$commit"

if [ "$skip_tests" = 1 ]; then
  echo "== tests SKIPPED (--skip-tests): this package is not a release"
  bash "$src/scripts/build.sh" win64 --target Tikora accept_probe
  bash "$src/scripts/build.sh" win32 --target Tikora
else
  echo "== the whole test command"
  if ! bash "$src/scripts/test.sh"; then
    echo "release: the tests failed; nothing is packaged" >&2
    exit 1
  fi
  bash "$src/scripts/build.sh" win64 --target accept_probe
fi

# One folder per architecture, staged outside the build trees so the exe can be stripped.
stage() {  # stage <build tree> <deps architecture> <strip tool> <zip name>
  local tree=$src/build/$1 folder=$work/stage-$1/Tikora
  mkdir -p "$folder/Licenses"
  cp "$tree/Tikora/Tikora.exe" "$folder/"
  "$3" "$folder/Tikora.exe"
  cp -r "$tree/Tikora/Numbers" "$tree/Tikora/Sounds" "$tree/Tikora/Icons" "$folder/"
  sed -e "s/@VERSION@/$version/g" -e "s/@RUN_VALUE@/$run_value/g" \
    "$src/resources/release/ReadMe.txt.in" > "$folder/ReadMe.txt"
  local deps
  deps=$(bash "$src/scripts/deps.sh" "$2" | tail -n1)
  cp "$deps/licenses/libjpeg-turbo.md" "$deps/licenses/libpng.txt" "$deps/licenses/zlib.txt" \
    "$deps/licenses/giflib.txt" "$folder/Licenses/"
  cp /usr/share/doc/mingw-w64-common/copyright "$folder/Licenses/mingw-w64-runtime.txt"
  cp /usr/share/doc/gcc-mingw-w64-base/copyright "$folder/Licenses/gcc-runtime.txt"
  python3 "$src/tools/release_zip.py" "$work/stage-$1" "$root/dist/$4"
}

mkdir -p "$root/dist"
x64=Tikora-$version-x64.zip
x86=Tikora-$version-x86.zip
rm -f "$root/dist/$x64" "$root/dist/$x86" "$root/dist/$x64.sha256" "$root/dist/$x86.sha256"
echo "== packaging"
stage win64 x86_64 x86_64-w64-mingw32-strip "$x64"
stage win32 i686 i686-w64-mingw32-strip "$x86"

echo "== checking $x64: unpacked, started under Wine, closed from the tray menu"
python3 "$src/tools/check_release_zip.py" "$root/dist/$x64" "$version" "$src/build/win64"

(cd "$root/dist" && sha256sum "$x64" > "$x64.sha256" && sha256sum "$x86" > "$x86.sha256")
echo "== Tikora $version ($commit)"
for arch in win64:$x64 win32:$x86; do
  tree=${arch%%:*} zip=${arch#*:}
  printf '%-24s exe %9d bytes (stripped)   zip %9d bytes   sha256 %s\n' "$zip" \
    "$(stat -c %s "$work/stage-$tree/Tikora/Tikora.exe")" "$(stat -c %s "$root/dist/$zip")" \
    "$(cut -d' ' -f1 "$root/dist/$zip.sha256")"
done
[ "$skip_tests" = 0 ] || echo "(tests were skipped: not a release)"
