#!/usr/bin/env bash
# Builds and runs every test: the core natively and under the sanitizers, a
# bounded fuzz run of the tally-file reader, both Windows builds with a check
# of each exe, and the window tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh

echo "== core tests"
cmake --workflow --preset native

echo "== core tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --workflow --preset sanitize

echo "== fuzzing the tally-file reader (${FUZZ_SECONDS:=60} s)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
corpus=$(mktemp -d)
log=$(mktemp)
trap 'rm -rf "$corpus" "$log"' EXIT
if ! build/fuzz/tests/fuzz/tally_file_fuzzer -max_total_time="$FUZZ_SECONDS" -print_final_stats=1 \
    "$corpus" tests/fuzz/corpus >"$log" 2>&1; then
  cat "$log"
  exit 1
fi
grep -E '^(Done|stat::number_of_executed_units|stat::new_units_added)' "$log"

echo "== the shipped 32-bit Tallimor.exe: built, checked and packed"
cmake --workflow --preset release

echo "== the 64-bit build under Wine: core tests, exe check, window tests"
cmake --preset win64 >/dev/null
cmake --build --preset win64
tools/wine.sh ctest --preset win64
