#!/usr/bin/env bash
# Checks the code's form, then builds and runs every test: the core natively
# and under the sanitizers, a bounded fuzz run of the tally-file reader, the
# release with a check of its exe, and under Wine the core and window tests
# of both Windows builds and the shipped exe. The 32-bit ones run natively,
# or through qemu-user where the kernel cannot run 32-bit programs (or
# TALLIMOR_32_BIT=qemu says so), or not at all; the last line says which.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh

echo "== the code's form: clang-format and clang-tidy"
tools/lint.sh

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
shipped=build/win32/ui/Tallimor.exe
unpacked=$(mktemp -d)
trap 'rm -rf "$corpus" "$log" "$unpacked"' EXIT
cmake -E chdir "$unpacked" cmake -E tar xf "$PWD"/build/win32/Tallimor-*-win32.zip
cmp "$unpacked"/Tallimor-*-win32/Tallimor.exe "$shipped"
echo "the zip's Tallimor.exe is $shipped, byte for byte"

echo "== the 32-bit build under Wine: core tests, window tests, the shipped Tallimor.exe"
# By the way tools/runs-32-bit.sh chooses: natively, or through qemu-user in
# a namespace (TALLIMOR_32_BIT=qemu asks for that even where the kernel runs
# 32-bit programs), or not at all.
if how=$(tools/runs-32-bit.sh); then
  echo "32-bit programs run $how"
  cmake --preset win32-tests >/dev/null
  cmake --build --preset win32-tests
  tools/runs-32-bit.sh tools/wine.sh ctest --preset win32-tests  # tallimor_exe starts $shipped (TALLIMOR_EXE)
  way="the 32-bit tests ran $how"
else
  way="but the 32-bit tests did not run: $how"
  echo "$way"
fi

echo "== the 64-bit build under Wine: core tests, exe check, window tests"
cmake --preset win64 >/dev/null
cmake --build --preset win64
tools/wine.sh ctest --preset win64

echo "== passed, $way"
