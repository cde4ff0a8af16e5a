#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test; then runs each fuzz target briefly
# and the unit tests that need no display under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
stage() { echo "test: $1 took $((SECONDS - started)) s"; started=$SECONDS; }
started=$SECONDS
bash scripts/setup.sh
bash scripts/build.sh
stage "setup and build"
ctest --test-dir build --output-on-failure --timeout 600 -j "$(nproc)"
stage "the test suite"
bash scripts/fuzz.sh 20
stage "fuzzing"
bash scripts/sanitized_tests.sh
stage "the sanitized unit tests"
