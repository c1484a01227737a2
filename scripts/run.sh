#!/usr/bin/env bash
# Builds Tikora.exe and starts it under Wine. With no display it runs headless on its own Xvfb
# for a few seconds and saves a screenshot to build/screenshot.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" win64 --target Tikora
exe="$root/build/win64/Tikora/Tikora.exe"
env="$root/tests/win/wine_env.sh"
state="$root/build/run-wine"

if [ -n "${DISPLAY:-}" ]; then
  export WINEPREFIX="$state/prefix" WINEDEBUG=-all
  exec /usr/lib/wine/wine64 "$exe"
fi

bash "$env" start "$state"
trap 'bash "$env" stop "$state"' EXIT
bash "$env" run "$state" "$exe" &
sleep "${TIKORA_RUN_SECONDS:-8}"
DISPLAY="$(cat "$state/display")" import -window root "$root/build/screenshot.png"
echo "Screenshot saved to build/screenshot.png"
