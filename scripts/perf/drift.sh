#!/usr/bin/env bash
# Measures whether the monitoring count drifts: runs the real program (master, action
# "Monitor", so the countdown's end only closes Lullex itself) on a private Xvfb with openbox,
# presses one key once it is in Run, and measures how long after the sample that saw the key
# the countdown begins. With a precise 500 ms timer that is CPUDelay samples, i.e. between
# CPUDelay and CPUDelay + 1 seconds after the key press.
#
# Usage: scripts/perf/drift.sh [CPUDELAY [RESULT_FILE]]   (default 1800, results to stdout)
# The program is build/lullex unless LULLEX_BUILD_DIR names another build directory.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
. "$here/perf_lib.sh"
cpu_delay=${1:-1800}
result_file=${2:-}
binary=${LULLEX_BUILD_DIR:-$top/build}/lullex
shut_time=2
[ -x "$binary" ] || { echo "drift: $binary is not built" >&2; exit 1; }

work=$(mktemp -d /tmp/lullex-drift.XXXXXX)
pids=()
trap 'perf_stop_all; rm -rf "$work"' EXIT
log="$work/Log/Lullex.log"

# Log timestamps ("07-Dec-26 08:48:38") as seconds since the epoch; the program runs in the
# C locale so months are English.
log_seconds() { LC_ALL=C date -d "$(echo "$1" | sed -E 's/^(..)-(...)-(..) /\1 \2 20\3 /')" +%s; }
# The first log line after line $2 that matches $1, as "number:line".
line_after() { awk -v from="$2" -v pattern="$1" 'NR > from && $0 ~ pattern { print NR ":" $0; exit }' "$log" | tr -d '\r'; }
logged_after() { [ -n "$(line_after "$1" "$2")" ]; }
program_ended() { ! kill -0 "$program" 2>/dev/null; }

perf_start_display
perf_write_config "$cpu_delay" "$shut_time"
perf_start lullex "$binary"
program=$started

perf_wait_for 60 "the Run state" perf_log_has ',  Enter    , Run '
# One Run sample first, so the key lands in a Run second and not in the switch to Run.
perf_wait_for 30 "the first Run sample" perf_log_has ',  Run      ,'
enter_line=$(grep -n ',  Enter    , Run ' "$log" | head -n 1 | cut -d: -f1)

injected_before=$(perf_now)
xdotool key Shift_L
injected_after=$(perf_now)

key_pattern=',  Run      ,           , Count:   0, Key: True'
perf_wait_for 30 "the sample that saw the key" logged_after "$key_pattern" "$enter_line"
key_seen=$(perf_now)
key=$(line_after "$key_pattern" "$enter_line")
key_number=${key%%:*}
key_text=${key#*:}

countdown_pattern=',  Enter    , Monitor   , Count:   0'
perf_wait_for $((cpu_delay + 120)) "the countdown" logged_after "$countdown_pattern" "$key_number"
countdown_seen=$(perf_now)
countdown=$(line_after "$countdown_pattern" "$key_number")
countdown_number=${countdown%%:*}
countdown_text=${countdown#*:}

perf_wait_for $((shut_time + 60)) "the program's end" program_ended
exit_code=0
wait "$program" || exit_code=$?

# Every Run second between the key and the countdown must be there, counting 1, 2, ... with
# no second lost or doubled.
samples=$(awk -v from="$key_number" -v to="$countdown_number" \
  'NR > from && NR < to && /,  Run      ,           , Count:/ { n++ } END { print n + 0 }' "$log")
counts_in_order=$(awk -v from="$key_number" -v to="$countdown_number" -F'Count:' \
  'NR > from && NR < to { split($2, f, ","); if (f[1] + 0 != ++n) bad = 1 } END { print bad ? "no" : "yes" }' "$log")
# Seconds between consecutive log lines of the idle stretch (each should be 1).
gaps=$(awk -v from="$key_number" -v to="$countdown_number" \
  'NR >= from && NR <= to { print substr($0, 11, 8) }' "$log" |
  awk -F: '{ t = $1 * 3600 + $2 * 60 + $3; if (NR > 1) { d = t - p; if (d < 0) d += 86400; c[d]++ } p = t }
           END { for (d in c) printf "%ss:%d ", d, c[d] }')

key_stamp=$(log_seconds "${key_text:0:18}")
countdown_stamp=$(log_seconds "${countdown_text:0:18}")
report() {
  echo "drift measurement, CPUDelay $cpu_delay, $(date -u '+%Y-%m-%d %H:%M:%S UTC')"
  echo "key injected (xdotool key Shift_L) at $injected_before .. $injected_after"
  echo "sample that saw it:  line $key_number: $key_text"
  echo "countdown began:     line $countdown_number: $countdown_text"
  echo "log timestamps:      countdown - key sample = $((countdown_stamp - key_stamp)) s (1 s resolution)"
  awk -v a="$injected_before" -v b="$injected_after" -v k="$key_seen" -v c="$countdown_seen" \
    -v n="$cpu_delay" -v samples="$samples" -v ordered="$counts_in_order" -v code="$exit_code" 'BEGIN {
    printf "key press took %.3f s\n", b - a
    printf "wall clock (100 ms polling): countdown seen %.3f s after the key press (expected %d .. %d.1)\n", c - a, n, n + 1
    printf "wall clock (100 ms polling): countdown seen %.3f s after the key sample was seen (expected %d +- 0.1)\n", c - k, n
    printf "mean time per sample: %.6f s (expected 1, +- %.6f from polling)\n", (c - k) / n, 0.2 / n
    printf "idle samples between them: %d (expected %d), counts 1..%d in order: %s\n", samples, n - 1, n - 1, ordered
    met = c - a >= n && c - a <= n + 1.1 && samples == n - 1 && ordered == "yes" && code == 0
    printf "target (countdown %d .. %d s after the key, every count once, exit code 0): %s\n", n, n + 1, met ? "met" : "MISSED" }'
  echo "seconds between consecutive log lines: $gaps"
  echo "program exit code: $exit_code (expected 0)"
  echo "last log lines:"
  tail -n 3 "$log" | tr -d '\r' | sed 's/^/  /'
}
if [ -n "$result_file" ]; then report >"$result_file"; else report; fi
