#!/usr/bin/env bash
# Runs the benchmarks and prints their figures; not part of the tests.
#   1. tick_bench (native): the main tick alone, with a no-op draw.
#   2. tick_draw_bench (under Wine): the full tick with the GDI draw, without and with seconds.
#   3. launch_time (under Wine): launch of Tikora.exe to its tray icon, median of BENCH_LAUNCHES.
#   4. Tikora.exe and minimal_timer.exe idling side by side for BENCH_SECONDS: CPU share of each.
#   5. picture_decode_bench (native): JPEG (6000 x 4000 and 8256 x 5504) and PNG decoding from the
#      file, fitted and at actual size, next to djpeg and pngtopnm on the same files, and the peak
#      memory at actual size (printed first, before the Wine steps).
#   6. calendar_refresh_bench and tag_read_bench (native); tag_read_bench_win and search_bench
#      (under Wine): the calendar model's refresh, reading 10,000 MP3 tags next to bare reads,
#      and the file search over 100,000 files next to the bare and the pumping walk.
#   7. viewer_select_bench (under Wine): selecting a 6000 x 4000 JPEG and a 4000 x 3000 PNG in the
#      picture viewer to the picture shown fitted, and each loaded at actual size.
# Everything runs in a private Wine prefix and X display (build/bench-wine) from a temporary copy
# of the runtime folder, and everything started here is ended here.
#
# Settings (environment):
#   BENCH_SECONDS=180        idle measurement
#   BENCH_SETTLE_SECONDS=5   wait after launch before the idle measurement starts
#   BENCH_TICKS=1000000      ticks per round of tick_bench
#   BENCH_DRAW_TICKS=20000   ticks per case of tick_draw_bench
#   BENCH_LAUNCHES=5         launches for the launch time
#   BENCH_WIN_BUILD=build/win64   the win64 build tree to use
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${BENCH_SECONDS:-180}
settle=${BENCH_SETTLE_SECONDS:-5}
ticks=${BENCH_TICKS:-1000000}
draw_ticks=${BENCH_DRAW_TICKS:-20000}
launches=${BENCH_LAUNCHES:-5}
native_dir=$root/build/bench-native
win_dir=${BENCH_WIN_BUILD:-$root/build/win64}
state=$root/build/bench-wine
env=$root/tests/win/wine_env.sh
prefix=$state/prefix

work=$(mktemp -d "${TMPDIR:-/tmp}/tikora-bench.XXXXXX")
wine_started=0
background=()

cleanup() {
  if [ "$wine_started" = 1 ]; then
    bash "$env" stop "$state" || true
  fi
  for pid in "${background[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

echo "== building"
cmake -S "$root" -B "$native_dir" -DCMAKE_BUILD_TYPE=Release -DTIKORA_TESTS=OFF >/dev/null
cmake --build "$native_dir" -j"$(nproc)" --target tick_bench picture_decode_bench calendar_refresh_bench tag_read_bench >/dev/null
cmake -S "$root" -B "$win_dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
  -DTIKORA_DEPS_PREFIX="$(bash "$root/scripts/deps.sh" x86_64 | tail -n1)" >/dev/null
cmake --build "$win_dir" -j"$(nproc)" --target Tikora tick_draw_bench minimal_timer launch_time tag_read_bench_win search_bench viewer_select_bench >/dev/null

# A private copy of the runtime folder, started with default settings.
cp -r "$win_dir/Tikora" "$work/Tikora"
rm -f "$work/Tikora/MyIni.ini" "$work/Tikora/Reminder.ini"
cp "$win_dir/bench/minimal_timer.exe" "$work/minimal_timer.exe"
tikora_exe=$work/Tikora/Tikora.exe
minimal_exe=$work/minimal_timer.exe
windows_path() { echo "Z:${1//\//\\}"; }

echo
echo "== picture decoding, native, next to djpeg and pngtopnm"
for p in libjpeg-turbo-progs netpbm; do
  dpkg -s "$p" >/dev/null 2>&1 || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$p" >/dev/null
done
TMPDIR=$work "$native_dir/picture_decode_bench" 5

echo "== calendar refresh, native"
"$native_dir/calendar_refresh_bench"

echo
echo "== listing and reading 10,000 MP3 tags, native, next to bare 128-byte reads"
(cd "$work" && "$native_dir/tag_read_bench")

echo
echo "== main tick, native"
"$native_dir/tick_bench" "$ticks" | tee "$work/tick_bench.out"

echo
echo "== starting the Wine environment ($state)"
wine_started=1
bash "$env" start "$state"

echo
echo "== main tick with the GDI draw, under Wine"
timeout 900 bash "$env" run "$state" "$win_dir/bench/tick_draw_bench.exe" "$draw_ticks" | tee "$work/tick_draw.out"

echo
echo "== picture viewer: selected to shown, under Wine"
timeout 900 bash "$env" run "$state" "$win_dir/bench/viewer_select_bench.exe" 5 | tee "$work/viewer_select.out" || true

echo
echo "== launch to tray icon, under Wine"
timeout 900 bash "$env" run "$state" "$win_dir/bench/launch_time.exe" "$(windows_path "$tikora_exe")" "$launches" |
  tee "$work/launch.out" || true

echo
echo "== listing and reading 10,000 MP3 tags under Wine, next to bare 128-byte reads"
timeout 900 bash "$env" run "$state" "$win_dir/bench/tag_read_bench_win.exe" || true

echo
echo "== file search over 100,000 files in 5,000 folders, under Wine"
timeout 1800 bash "$env" run "$state" "$win_dir/bench/search_bench.exe" || true

# The Linux processes of this prefix whose command line names the program.
pids_of() {
  local name=$1 p
  for p in /proc/[0-9]*; do
    [ -r "$p/environ" ] || continue
    tr '\0' '\n' 2>/dev/null <"$p/cmdline" | grep -qF "$name" || continue
    tr '\0' '\n' 2>/dev/null <"$p/environ" | grep -qxF "WINEPREFIX=$prefix" || continue
    echo "${p#/proc/}"
  done
}
# CPU time in nanoseconds over all threads of the processes: the first field of each thread's
# schedstat. The 10 ms ticks of /proc/PID/stat are too coarse for a program that idles at 0.2 %.
cpu_ns() {
  local total=0 pid task used
  for pid in "$@"; do
    for task in /proc/"$pid"/task/*/schedstat; do
      used=$(awk '{print $1}' "$task" 2>/dev/null || true)
      total=$((total + ${used:-0}))
    done
  done
  echo "$total"
}
rss_kib() {
  local total=0 pid kib
  for pid in "$@"; do
    kib=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status" 2>/dev/null || true)
    total=$((total + ${kib:-0}))
  done
  echo "$total"
}

echo
echo "== idle CPU, Tikora.exe and minimal_timer.exe side by side for ${seconds} s"
bash "$env" run "$state" "$tikora_exe" >"$work/tikora.log" 2>&1 &
background+=($!)
bash "$env" run "$state" "$minimal_exe" >"$work/minimal.log" 2>&1 &
background+=($!)
sleep "$settle"
tikora_pids=$(pids_of Tikora.exe)
minimal_pids=$(pids_of minimal_timer.exe)
server_pids=$(pids_of wineserver)
xvfb_pid=$(cat "$state/xvfb.pid")
if [ -z "$tikora_pids" ] || [ -z "$minimal_pids" ]; then
  echo "could not find the processes (Tikora: '${tikora_pids}', minimal: '${minimal_pids}')" >&2
  exit 1
fi
# shellcheck disable=SC2086
{
  t0=$(date +%s.%N)
  a0=$(cpu_ns $tikora_pids); b0=$(cpu_ns $minimal_pids); s0=$(cpu_ns $server_pids); x0=$(cpu_ns "$xvfb_pid")
  sleep "$seconds"
  a1=$(cpu_ns $tikora_pids); b1=$(cpu_ns $minimal_pids); s1=$(cpu_ns $server_pids); x1=$(cpu_ns "$xvfb_pid")
  t1=$(date +%s.%N)
  tikora_rss=$(rss_kib $tikora_pids); minimal_rss=$(rss_kib $minimal_pids)
}
read -r tikora_pct minimal_pct server_pct xvfb_pct ratio < <(awk -v a=$((a1 - a0)) -v b=$((b1 - b0)) \
  -v s=$((s1 - s0)) -v x=$((x1 - x0)) -v t0="$t0" -v t1="$t1" 'BEGIN {
    el = t1 - t0
    pa = 100 * a / 1e9 / el; pb = 100 * b / 1e9 / el
    r = b > 0 ? sprintf("%.2f", a / b) : "n/a"
    printf "%.3f %.3f %.3f %.3f %s\n", pa, pb, 100 * s / 1e9 / el, 100 * x / 1e9 / el, r
  }')
printf '%-22s pid %-8s CPU %7s %% of one core  (%d ns)  RSS %s KiB\n' \
  Tikora.exe "$tikora_pids" "$tikora_pct" $((a1 - a0)) "$tikora_rss"
printf '%-22s pid %-8s CPU %7s %% of one core  (%d ns)  RSS %s KiB\n' \
  minimal_timer.exe "$minimal_pids" "$minimal_pct" $((b1 - b0)) "$minimal_rss"
printf '%-22s shared: wineserver %s %%, Xvfb %s %%\n' "" "$server_pct" "$xvfb_pct"
echo "ratio Tikora / minimal: ${ratio}x (target <= 1.5x)"

echo
echo "== stopping the Wine environment"
bash "$env" stop "$state"
wine_started=0
for pid in "${background[@]}"; do wait "$pid" 2>/dev/null || true; done
background=()

figure() { awk -v k="$2" '$1 == "@" && $2 == k {print $3}' "$work/$1" | tail -1; }
verdict=$(awk -v r="$ratio" 'BEGIN { if (r == "n/a") print "n/a"; else print (r <= 1.5 ? "met" : "NOT met") }')
echo
echo "== summary"
printf '%-48s %14s\n' "figure" "value"
printf '%-48s %14s\n' "main tick, native, no-op draw (us/tick)" "$(figure tick_bench.out tick_us)"
printf '%-48s %14s\n' "main tick + face plan, native (us/tick)" "$(figure tick_bench.out tick_plan_us)"
printf '%-48s %14s\n' "tick + GDI draw, Wine, without seconds (us)" "$(figure tick_draw.out draw_us_noseconds)"
printf '%-48s %14s\n' "tick + GDI draw, Wine, with seconds (us)" "$(figure tick_draw.out draw_us_seconds)"
printf '%-48s %14s\n' "  same + message pass, without seconds (us)" "$(figure tick_draw.out draw_us_noseconds_pumped)"
printf '%-48s %14s\n' "  same + message pass, with seconds (us)" "$(figure tick_draw.out draw_us_seconds_pumped)"
printf '%-48s %14s\n' "idle CPU, Tikora.exe (% of one core)" "$tikora_pct"
printf '%-48s %14s\n' "idle CPU, minimal_timer.exe (% of one core)" "$minimal_pct"
printf '%-48s %14s\n' "idle CPU ratio (target <= 1.5x)" "${ratio}x ${verdict}"
printf '%-48s %14s\n' "launch to tray icon, median (ms)" "$(figure launch.out launch_ms)"
