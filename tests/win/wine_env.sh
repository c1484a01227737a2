#!/usr/bin/env bash
# A hermetic Wine environment for the tests: its own prefix inside the build tree (made once),
# its own Xvfb display (started and stopped by the test run), a virtual desktop with a taskbar.
#   wine_env.sh start STATE [DPI]   make the prefix if needed (at DPI, default 96), start Xvfb
#   wine_env.sh run STATE EXE [ARGS]   run a Windows program there
#   wine_env.sh stop STATE    end the prefix's processes and the display
set -euo pipefail
cmd=$1
state=$2
shift 2
mkdir -p "$state"
export WINEPREFIX="$state/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

case "$cmd" in
start)
  # A free display number: no lock file and no socket.
  display=""
  for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=$n; break; fi
  done
  [ -n "$display" ] || { echo "no free X display" >&2; exit 1; }
  Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >"$state/xvfb.log" 2>&1 &
  echo $! >"$state/xvfb.pid"
  echo ":$display" >"$state/display"
  for _ in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$display" ] && break
    sleep 0.1
  done
  export DISPLAY=":$display"
  if [ ! -f "$WINEPREFIX/.tikora-ready" ]; then
    "$wine" wineboot --init >/dev/null 2>&1 || true
    "$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    if [ -n "${1:-}" ]; then
      "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    fi
    "$wineserver" -w
    touch "$WINEPREFIX/.tikora-ready"
  fi
  ;;
run)
  export DISPLAY="$(cat "$state/display")"
  exec "$wine" "$@"
  ;;
stop)
  if [ -f "$state/display" ]; then
    DISPLAY="$(cat "$state/display")" "$wineserver" -k >/dev/null 2>&1 || true
  fi
  if [ -f "$state/xvfb.pid" ]; then
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
    rm -f "$state/xvfb.pid"
  fi
  ;;
*)
  echo "usage: $0 start|run|stop STATE [EXE ARGS]" >&2
  exit 2
  ;;
esac
