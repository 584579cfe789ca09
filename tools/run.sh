#!/usr/bin/env bash
# Builds Tallimor and starts the shipped 32-bit Tallimor.exe in its window
# under Wine, in build/run (where its Tallimor.txt lives), by the way
# tools/runs-32-bit.sh chooses: natively, or through qemu-user where this
# kernel cannot run 32-bit programs (or TALLIMOR_32_BIT=qemu says so).
# Where neither works it starts the 64-bit build of the same source
# instead, and says so. Where there is no display it runs on a virtual
# one, saves a screenshot of the window and says where.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/setup.sh

cmake --preset win32 >/dev/null && cmake --build --preset win32   # the shipped 32-bit Tallimor.exe
cmake --preset win64 >/dev/null && cmake --build --preset win64   # the 64-bit build
if how=$(tools/runs-32-bit.sh); then
  exe=$root/build/win32/ui/Tallimor.exe
  by=("$root/tools/runs-32-bit.sh")
  echo "run: starting the shipped 32-bit $exe, $how"
  if [ -z "${DISPLAY:-}" ]; then  # the screenshot's driver, 32-bit like the exe
    cmake --preset win32-tests >/dev/null && cmake --build --preset win32-tests --target drive_window
  fi
else
  exe=$root/build/win64/ui/Tallimor.exe
  by=()
  echo "run: $how, so this starts the 64-bit build, $exe"
fi

mkdir -p build/run
if [ -n "${DISPLAY:-}" ]; then
  cd build/run
  exec "${by[@]}" "$root/tools/wine.sh" wine "$exe"
fi
echo "run: no display, so Tallimor runs on a virtual one for a few seconds"
SHOT_EXE=$exe tools/screenshot.sh build/run/screenshot.png build/run
