#!/usr/bin/env bash
# Builds everything and runs all tests: the portable core natively, as 64-bit and as 32-bit code
# (under qemu-i386-static), the Win32 shell under Wine (64-bit), and the 32-bit program (built, not
# run: 32-bit Windows programs cannot execute here; its imports are checked against what Windows
# XP has).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
log=$(mktemp)
trap 'rm -f "$log"' EXIT

echo "== native: portable core and its unit tests"
bash "$root/scripts/build.sh" native
(cd "$root/build/native" && ctest --output-on-failure -j"$(nproc)") | tee -a "$log"

echo "== native32: the portable core and its unit tests as 32-bit code, under qemu-i386-static"
start32=$SECONDS
bash "$root/scripts/build.sh" native32
# CTest runs the test program in a few shards; the closing line counts the tests in their reports.
rm -f "$root"/build/native32/gtest-shard-*.xml
(cd "$root/build/native32" && ctest --output-on-failure -j"$(nproc)")
cat "$root"/build/native32/gtest-shard-*.xml |
  awk -v seconds=$((SECONDS - start32)) 'match($0, /<testsuites tests="[0-9]+" failures="[0-9]+"/) {
         split(substr($0, RSTART, RLENGTH), f, "\""); tests += f[2]; failed += f[4] }
       END { printf "native32: %d passed, %d failed (%d s)\n", tests - failed, failed, seconds }' |
  tee -a "$log"

echo "== win64: Tikora.exe and the tests under Wine"
bash "$root/scripts/build.sh" win64
bash "$root/scripts/build.sh" win64 --target tikora_win_tests
(cd "$root/build/win64" && ctest --output-on-failure) | tee -a "$log"

echo "== acceptance: the program driven with real input under Wine"
# Not stopped by a failure here, so the closing line still counts it; the run fails below.
accept=0
python3 "$root/tests/accept/run.py" "$root/build/win64" | tee -a "$log" || accept=1

echo "== win32: Tikora.exe, built only, and checked to import nothing Windows XP lacks"
bash "$root/scripts/build.sh" win32 --target Tikora
xp=0
python3 "$root/tools/check_xp_imports.py" "$root/build/win32/Tikora/Tikora.exe" || xp=1
# One closing line for the whole run, from CTest's summaries.
awk '/tests passed, [0-9]+ tests failed out of/ { failed += $4; total += $NF }
     /^acceptance: [0-9]+ passed, [0-9]+ failed/ { failed += $4; total += $2 + $4 }
     /^native32: [0-9]+ passed, [0-9]+ failed/ { failed += $4; total += $2 + $4 }
     END { printf "tests: %d passed, %d failed\n", total - failed, failed }' "$log"
[ "$xp" = 0 ] || echo "win32: Tikora.exe imports what Windows XP does not have (see above)"
[ "$accept" = 0 ] && [ "$xp" = 0 ]
