#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer)
# in build-fuzz/ and runs each for the given time from its seed inputs in fuzz/corpus/<target>/.
# Fails when any target finds a crash, a sanitizer report, a broken property, a leak or an input
# that takes too long; the input is kept in build-fuzz/findings/<target>/.
#
# Usage: scripts/fuzz.sh [SECONDS]   (default 60, per target)
# Inputs that reach new code are kept between runs in build-fuzz/corpus/<target>/, never in the
# repository: a finding joins fuzz/corpus/ by hand, with its fix and a unit test.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=build-fuzz

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DLULLEX_FUZZ=ON -DLULLEX_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target fuzzers

failed=()
for seeds in fuzz/corpus/*/; do
  target=$(basename "$seeds")
  corpus="$build/corpus/$target"
  findings="$build/findings/$target"
  mkdir -p "$corpus" "$findings"
  echo "fuzz: $target for $seconds s"
  # New inputs go to the first directory; the seeds are only read.
  if ! "$build/fuzz/${target}_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$findings/" -print_final_stats=1 "$corpus" "$seeds" \
    >"$build/$target.log" 2>&1; then
    failed+=("$target")
    grep -E '^(==[0-9]+==ERROR|SUMMARY|broken property|artifact_prefix|Test unit written)' \
      "$build/$target.log" | sed 's/^/  /' >&2 || true
    echo "fuzz: $target FAILED; its log is $build/$target.log" >&2
    continue
  fi
  grep -E '^stat::(number_of_executed_units|new_units_added)' "$build/$target.log" |
    sed 's/^/  /'
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: findings in ${failed[*]} (inputs in $build/findings/)" >&2
  exit 1
fi
echo "fuzz: no findings in $(find fuzz/corpus -mindepth 1 -maxdepth 1 -type d | wc -l) targets"
