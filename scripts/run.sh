#!/usr/bin/env bash
# Sets up and builds Lullex, prepares a working directory in run/ and starts it safely in its
# test mode ("-InhibitShutdown": the power action is only announced in a box and the delays
# are 6 seconds). Without a display it starts a virtual X server with a window manager and
# saves a screenshot of the window in run/screenshot.png.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh lullex
top=$(pwd)

mkdir -p run/Data run/Log
if [ ! -f run/Data/Lullex.ini ]; then
  # The defaults of the configuration screen's Restore, master, no partner address, Normal
  # log level; "Run in System Tray" off so the window shows.
  printf '%s\r\n' "# Lullex Version 2.5" "# Configuration File" "# $(LC_ALL=C date '+%d-%b-%y %H:%M:%S')" "" \
    "[Comms]" "CMain=1" "DName=1" "IPAdd=" "Port1=10001" "" \
    "[Run]" "CPUDelay=600" "LogLevel=2" "LogName=Lullex.log" "LogPath=Log/" "RunOnTop=1" "StartDelay=2" "StartMin=1" "" \
    "[Shutdown]" "ShutTime=60" "ShutType=1" "" > run/Data/Lullex.ini
fi

pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; }
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
  echo "run: no display found; starting a virtual X server (Xvfb) with the openbox window manager"
  exec 3>run/display.txt
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  exec 3>&-
  for _ in $(seq 100); do [ -s run/display.txt ] && break; sleep 0.1; done
  export DISPLAY=":$(cat run/display.txt)"
  openbox --sm-disable >/dev/null 2>&1 &
  pids+=($!)
  virtual=1
fi

cd run
"$top/build/lullex" -InhibitShutdown &
lullex=$!
if [ -n "${virtual:-}" ]; then
  for _ in $(seq 100); do xdotool search --name '^Lullex$' >/dev/null 2>&1 && break; sleep 0.1; done
  sleep 1
  import -window root screenshot.png && echo "run: screenshot of the window saved in run/screenshot.png"
fi
echo "run: Lullex runs in $(pwd); its log is run/Log/Lullex.log"
wait "$lullex" || true
