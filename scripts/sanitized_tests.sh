#!/usr/bin/env bash
# Builds the unit tests that need no display (settings, core, link, power) with AddressSanitizer
# and UndefinedBehaviorSanitizer in build-sanitize/ and runs them. Any report fails its test: a
# program stops at its first report instead of carrying on.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-sanitize
targets=(settings_tests core_tests link_tests power_tests)

# -O1 with line tables only: half the compile time of -O2 -g, and reports still name the lines.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
  -DLULLEX_SANITIZE=ON >/dev/null
cmake --build "$build" --target "${targets[@]}"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Only these binaries' tests, by number: the other tests are listed too (as not built, or as
# scripts over the whole build).
numbers=$(ctest --test-dir "$build" --show-only=json-v1 | python3 -c '
import json, os, sys
binaries = set(sys.argv[1:])
tests = json.load(sys.stdin)["tests"]
print(",".join(str(number) for number, test in enumerate(tests, 1)
               if os.path.basename((test.get("command") or [""])[0]) in binaries))' "${targets[@]}")
[ -n "$numbers" ] || { echo "sanitized tests: no test found in ${targets[*]}" >&2; exit 1; }
ctest --test-dir "$build" --output-on-failure --timeout 600 -j "$(nproc)" -I "0,0,0,$numbers"
