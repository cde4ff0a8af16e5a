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
# The other targets' tests are listed as not built: only these binaries' tests run.
ctest --test-dir "$build" --output-on-failure --timeout 600 -j "$(nproc)" -E '_NOT_BUILT$'
