# shellcheck shell=bash disable=SC2154  # work and pids belong to the sourcing script
# Shared by the measurement scripts in scripts/perf/ (sourced, not run): a private Xvfb with
# openbox, a working directory for the real program and the safe way to start it.
#
# The sourcing script sets `work` (a private directory it removes) and `pids` (an array of
# the processes it started, stopped by pid when it ends) before calling these.

# A port nothing on this machine listens on: a master's tags to 127.0.0.1 must not reach a
# slave that a test happens to run on loopback.
perf_port=47319

perf_now() { date +%s.%N; }

# Runs the command every 100 ms until it succeeds; after the given number of seconds says what
# it waited for, keeps the program's log (when there is one) and fails the script.
perf_wait_for() {
  local seconds=$1 what=$2
  shift 2
  local deadline=$(($(date +%s) + seconds))
  until "$@"; do
    if [ "$(date +%s)" -ge "$deadline" ]; then
      echo "perf: timed out waiting for $what" >&2
      if [ -f "$work/Log/Lullex.log" ]; then
        cp "$work/Log/Lullex.log" /tmp/lullex-perf-failed.log
        echo "perf: the program's log is kept in /tmp/lullex-perf-failed.log" >&2
      fi
      exit 1
    fi
    sleep 0.1
  done
}

perf_stop_all() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
}

# Xvfb on a free display, then openbox; exports DISPLAY.
perf_start_display() {
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  exec 3>&-
  perf_wait_for 30 "Xvfb" test -s "$work/display"
  DISPLAY=":$(cat "$work/display")"
  export DISPLAY
  openbox --sm-disable >/dev/null 2>&1 &
  pids+=($!)
}

# Data/Lullex.ini and an empty Log/ in $work: a master with the action "Monitor" (the
# countdown's end only closes Lullex itself), partner 127.0.0.1 so that it is configured,
# StartDelay 1, Full log. Arguments: CPUDelay, ShutTime.
perf_write_config() {
  mkdir -p "$work/Data" "$work/Log" "$work/runtime"
  chmod 700 "$work/runtime"
  printf '%s\r\n' "# Lullex Version 2.5" "# Configuration File" "# 07-Dec-26 08:00:00" "" \
    "[Comms]" "CMain=1" "DName=1" "IPAdd=127.0.0.1" "Port1=$perf_port" "" \
    "[Run]" "CPUDelay=$1" "LogLevel=3" "LogName=Lullex.log" "LogPath=Log/" \
    "RunOnTop=1" "StartDelay=1" "StartMin=1" "" \
    "[Shutdown]" "ShutTime=$2" "ShutType=4" "" >"$work/Data/Lullex.ini"
}

# Starts a program in $work in the background and sets `started` to its pid. Safety: no system
# bus (no power call could ever reach logind) and no session bus to autolaunch; the C locale
# keeps the log's month names English.
perf_start() {
  local name=$1
  shift
  (cd "$work" && exec env LC_ALL=C XDG_RUNTIME_DIR="$work/runtime" \
    DBUS_SYSTEM_BUS_ADDRESS="unix:path=$work/no-system-bus" \
    DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-session-bus" \
    "$@" >"$work/$name.out" 2>"$work/$name.err") &
  started=$!
  pids+=("$started")
}

perf_log_has() { grep -E "$1" "$work/Log/Lullex.log" >/dev/null 2>&1; }

perf_window_shown() { xdotool search --name "$1" >/dev/null 2>&1; }
