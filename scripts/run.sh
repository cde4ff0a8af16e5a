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
# The installed default settings: master, no partner address, Normal log level, the window
# shown rather than in the tray.
[ -f run/Data/Lullex.ini ] || cp data/Lullex.ini run/Data/Lullex.ini

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

# Waits until the main window is mapped and drawn: a window that exists may not be shown yet,
# and one just mapped is black until it has painted, so its picture must have more than one
# colour.
wait_until_drawn() {
  local id colours
  for _ in $(seq 300); do
    id=$(xdotool search --onlyvisible --name '^Lullex$' 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then
      colours=$(import -window "$id" png:- 2>/dev/null | identify -format '%k' - 2>/dev/null || true)
      [ "${colours:-0}" -gt 1 ] && return 0
    fi
    sleep 0.1
  done
  return 1
}

cd run
"$top/build/lullex" -InhibitShutdown &
lullex=$!
if [ -n "${virtual:-}" ]; then
  if wait_until_drawn; then
    import -window root screenshot.png && echo "run: screenshot of the window saved in run/screenshot.png"
  else
    echo "run: the window did not show within 30 seconds; no screenshot taken"
  fi
fi
echo "run: Lullex runs in $(pwd); its log is run/Log/Lullex.log"
wait "$lullex" || true
