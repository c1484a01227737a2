#!/usr/bin/env bash
# Builds the fuzz targets in fuzz/ with clang, libFuzzer and the address and undefined-behaviour
# sanitizers, and runs each for the given number of seconds (default 60). Not part of the tests.
# Usage: bash scripts/fuzz.sh [SECONDS [NAME...]]   NAME: run only the targets whose name contains it (rle, tag...)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
filters=("${@:2}")

# clang and its runtime libraries (libFuzzer and the sanitizers) from Debian.
missing=()
for pkg in clang libclang-rt-dev cmake libjpeg-dev libpng-dev libgif-dev; do
  dpkg -s "$pkg" >/dev/null 2>&1 || missing+=("$pkg")
done
if ((${#missing[@]})); then
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

build="$root/build/fuzz"
cmake -S "$root/fuzz" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null

status=0
for target in "$build"/*_fuzz; do
  name=$(basename "$target")
  if ((${#filters[@]})); then
    chosen=0
    for f in "${filters[@]}"; do [[ $name == *"$f"* ]] && chosen=1; done
    [ "$chosen" = 1 ] || continue
  fi
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  # The picture target starts from small good files of each kind (ImageMagick, installed by setup.sh).
  if [ "$name" = picture_fuzz ] && [ -z "$(ls -A "$corpus")" ]; then
    convert -size 16x12 gradient:red-blue "$corpus/seed.png"
    convert -size 16x12 gradient:red-blue -interlace PNG "$corpus/seed-interlaced.png"
    convert -size 16x12 gradient:red-blue -quality 80 "$corpus/seed.jpg"
    convert -size 16x12 gradient:red-blue -interlace JPEG "$corpus/seed-progressive.jpg"
    convert -size 16x12 gradient:red-blue "$corpus/seed.gif"
    convert -size 16x12 gradient:red-blue -interlace GIF "$corpus/seed-interlaced.gif"
    convert -size 16x12 gradient:red-blue -colors 16 -compress RLE BMP3:"$corpus/seed-rle.bmp"
    convert -size 16x12 gradient:red-blue BMP3:"$corpus/seed.bmp"
  fi
  # The run-length target: kind and size bytes, then data with every kind of run and escape.
  if [ "$name" = rle_fuzz ] && [ -z "$(ls -A "$corpus")" ]; then
    printf '\x00\x04\x02\x02\x05\x02\x06\x00\x00\x04\x07\x00\x01' >"$corpus/seed-rle8"
    printf '\x00\x05\x03\x00\x03\x01\x02\x03\x00\x00\x02\x01\x01\x02\x09\x00\x01' >"$corpus/seed-rle8-delta"
    printf '\x01\x05\x02\x05\x12\x00\x00\x00\x05\x12\x34\x50\x00\x00\x01' >"$corpus/seed-rle4"
  fi
  # The tag target: a first byte of 0 (no file faults), some audio, a block; the reminder target:
  # a small Reminder.ini with a due entry and an encoded line break.
  if [ "$name" = tag_fuzz ] && [ -z "$(ls -A "$corpus")" ]; then
    { printf '\0audio-bytes'; printf 'TAGTitle'; head -c 119 /dev/zero; printf '\x11'; } > "$corpus/seed-tagged"
    { printf '\0'; head -c 200 /dev/zero | tr '\0' 'A'; } > "$corpus/seed-untagged"
  fi
  if [ "$name" = reminder_fuzz ] && [ -z "$(ls -A "$corpus")" ]; then
    printf '[Reminder]\r\ncount=3\r\n0=05.03.2006_17:40  Tea\x85\x85now\r\n2=06.03.2006_08:00  x\r\n' > "$corpus/seed.ini"
  fi
  echo "== $name: $seconds s"
  if ! (cd "$build" && "$target" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
      -print_final_stats=1 "$corpus" 2>"$build/$name.log"); then
    echo "   FAILED, see $build/$name.log (the crashing input is beside it)"
    tail -30 "$build/$name.log"
    status=1
  else
    grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$build/$name.log" | sed 's/^/   /'
  fi
done
exit $status
