#!/usr/bin/env bash
# Builds and runs every test: the core's tests natively and under the
# sanitizers, and a bounded fuzz run of the tally-file reader.
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
trap 'rm -rf "$corpus"' EXIT
build/fuzz/tests/fuzz/tally_file_fuzzer -max_total_time="$FUZZ_SECONDS" -print_final_stats=1 \
  "$corpus" tests/fuzz/corpus 2>&1 | grep -E '^(stat::|Done|INFO: .*corpus)|ERROR|SUMMARY'
