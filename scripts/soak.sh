#!/usr/bin/env bash
# A long run of Tikora under fast time (20 times as fast), used through its menus and windows with
# real input on a private display and Wine prefix, while its memory, handles and objects are sampled
# and its chimes, alarm rings and reminders are counted against what was due (tests/accept/soak.py).
#   soak.sh [MINUTES] [--speed N]     default 10 minutes; on demand
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
minutes=${1:-10}
shift || true
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" win64 --target Tikora accept_probe >/dev/null
exec python3 "$root/tests/accept/soak.py" "$root/build/win64" "$minutes" "$@"
