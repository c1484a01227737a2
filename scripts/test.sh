#!/usr/bin/env bash
# Builds everything and runs all tests: the portable core natively, the Win32 shell under Wine
# (64-bit), and the 32-bit program (built, not run: 32-bit programs cannot execute here).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
log=$(mktemp)
trap 'rm -f "$log"' EXIT

echo "== native: portable core and its unit tests"
bash "$root/scripts/build.sh" native
(cd "$root/build/native" && ctest --output-on-failure -j"$(nproc)") | tee -a "$log"

echo "== win64: Tikora.exe and the tests under Wine"
bash "$root/scripts/build.sh" win64
bash "$root/scripts/build.sh" win64 --target tikora_win_tests
(cd "$root/build/win64" && ctest --output-on-failure) | tee -a "$log"

echo "== acceptance: the program driven with real input under Wine"
# Not stopped by a failure here, so the closing line still counts it; the run fails below.
accept=0
python3 "$root/tests/accept/run.py" "$root/build/win64" | tee -a "$log" || accept=1

echo "== win32: Tikora.exe, built only"
bash "$root/scripts/build.sh" win32 --target Tikora
# One closing line for the whole run, from CTest's summaries.
awk '/tests passed, [0-9]+ tests failed out of/ { failed += $4; total += $NF }
     /^acceptance: [0-9]+ passed, [0-9]+ failed/ { failed += $4; total += $2 + $4 }
     END { printf "tests: %d passed, %d failed\n", total - failed, failed }' "$log"
exit "$accept"
