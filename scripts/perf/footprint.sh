#!/usr/bin/env bash
# Measures the real program's footprint over 60 s of monitoring beside a bare Qt Widgets
# window that repaints one label with a new count once per second, as Lullex's counter does
# (bench/bare_window). Both run on the same private Xvfb with openbox and are measured the same
# way at the same moments: CPU time per second (the threads' time on the CPU from
# /proc/PID/task/*/schedstat) and peak resident memory (VmHWM from /proc/PID/status), each with
# the ratio Lullex / bare window, and the resident memory of both by mapping (/proc/PID/smaps)
# where they differ, to show what a difference is made of.
#
# Usage: scripts/perf/footprint.sh [SECONDS]   (default 60)
# The programs come from build/ unless LULLEX_BUILD_DIR names another build directory.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
. "$here/perf_lib.sh"
seconds=${1:-60}
build=${LULLEX_BUILD_DIR:-$top/build}
lullex=$build/lullex
bare=$build/bench/bare_window
for program in "$lullex" "$bare"; do
  [ -x "$program" ] || { echo "footprint: $program is not built" >&2; exit 1; }
done

work=$(mktemp -d /tmp/lullex-footprint.XXXXXX)
pids=()
trap 'perf_stop_all; rm -rf "$work"' EXIT

clock_ticks=$(getconf CLK_TCK)
# utime + stime in seconds; fields are counted after the command name, which may hold blanks.
cpu_seconds() {
  awk -v hz="$clock_ticks" '{ sub(/^.*\) /, ""); printf "%.2f", ($12 + $13) / hz }' "/proc/$1/stat"
}
# Nanoseconds on the CPU of the threads alive now (/proc/PID/task/*/schedstat): finer than
# the clock ticks of the line above, which over a minute of a quiet program are few.
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{ sum += $1 } END { printf "%d", sum }'; }
status_kb() { awk -v key="$2:" '$1 == key { print $2 }' "/proc/$1/status"; }

perf_start_display
perf_write_config 1800 60
perf_start bare_window "$bare"
bare_pid=$started
perf_start lullex "$lullex"
lullex_pid=$started

run_sample() { printf ',  Run      ,           , Count:%4d,' "$1"; }
perf_wait_for 30 "the bare window" perf_window_shown '^Bare Window$'
perf_wait_for 30 "the Lullex window" perf_window_shown '^Lullex$'
perf_wait_for 60 "the first sample in Run" perf_log_has "$(run_sample 0)"
start=$(perf_now)
lullex_cpu_start=$(cpu_seconds "$lullex_pid")
bare_cpu_start=$(cpu_seconds "$bare_pid")
lullex_ns_start=$(cpu_ns "$lullex_pid")
bare_ns_start=$(cpu_ns "$bare_pid")

perf_wait_for $((seconds + 60)) "$seconds monitored seconds" perf_log_has "$(run_sample "$seconds")"
end=$(perf_now)
lullex_cpu_end=$(cpu_seconds "$lullex_pid")
bare_cpu_end=$(cpu_seconds "$bare_pid")
lullex_ns_end=$(cpu_ns "$lullex_pid")
bare_ns_end=$(cpu_ns "$bare_pid")

report() {
  local name=$1 pid=$2 cpu_start=$3 cpu_end=$4 ns_start=$5 ns_end=$6
  awk -v name="$name" -v s="$cpu_start" -v e="$cpu_end" -v n="$seconds" -v ns=$((ns_end - ns_start)) \
    -v hwm="$(status_kb "$pid" VmHWM)" -v rss="$(status_kb "$pid" VmRSS)" \
    -v anon="$(status_kb "$pid" RssAnon)" -v file="$(status_kb "$pid" RssFile)" 'BEGIN {
    printf "%-12s CPU (utime+stime) %5.2f s in the %d s, %5.2f s since start; threads on CPU %.3f ms in the %d s = %.4f ms per second\n",
      name, e - s, n, e, ns / 1e6, n, ns / 1e6 / n
    printf "%-12s peak RSS (VmHWM) %6d kB; now %d kB (anonymous %d kB, files %d kB)\n", name, hwm, rss, anon, file }'
}

# Resident kB by mapping, one "name kB" line each: the file's name, or [heap], [anonymous],
# [stack] and the like.
rss_by_mapping() {
  awk '/^[0-9a-f]+-[0-9a-f]+ / { n = split($6, parts, "/"); name = n ? parts[n] : "[anonymous]"; next }
    $1 == "Rss:" { kb[name] += $2 }
    END { for (name in kb) print name, kb[name] }' "/proc/$1/smaps"
}

lullex_hwm=$(status_kb "$lullex_pid" VmHWM)
bare_hwm=$(status_kb "$bare_pid" VmHWM)
echo "footprint over $seconds monitored seconds ($(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.1f", b - a }') s of wall clock), $(date -u '+%Y-%m-%d %H:%M:%S UTC'), CPU times in ${clock_ticks} Hz ticks"
report lullex "$lullex_pid" "$lullex_cpu_start" "$lullex_cpu_end" "$lullex_ns_start" "$lullex_ns_end"
report bare_window "$bare_pid" "$bare_cpu_start" "$bare_cpu_end" "$bare_ns_start" "$bare_ns_end"
awk -v l=$((lullex_ns_end - lullex_ns_start)) -v b=$((bare_ns_end - bare_ns_start)) -v n="$seconds" 'BEGIN {
  ratio = b > 0 ? l / b : 0
  printf "CPU per second: lullex %.3f ms, bare_window %.3f ms, ratio %.2f\n", l / 1e6 / n, b / 1e6 / n, ratio }'
awk -v l="$lullex_hwm" -v b="$bare_hwm" 'BEGIN {
  printf "peak RSS: lullex %d kB, bare_window %d kB, ratio %.3f\n", l, b, l / b }'
echo "resident now, the mappings that differ by more than 32 kB (kB): lullex, bare_window, difference"
join -a1 -a2 -e0 -o 0,1.2,2.2 <(rss_by_mapping "$lullex_pid" | sort) <(rss_by_mapping "$bare_pid" | sort) |
  awk '{ d = $2 - $3; if (d > 32 || d < -32) print d, $1, $2, $3 }' | sort -nr |
  awk '{ printf "  %-32s %7d %7d %+7d\n", $2, $3, $4, $1 }'
