#!/usr/bin/env bash
# Builds Tallimor and starts it in its window under Wine, in build/run (where
# its Tallimor.txt lives). Where there is no display it runs on a virtual one,
# saves a screenshot of the window and says where.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/setup.sh

cmake --preset win32 >/dev/null && cmake --build --preset win32   # the shipped 32-bit Tallimor.exe
cmake --preset win64 >/dev/null && cmake --build --preset win64   # the same source for 64-bit Wine
echo "run: the shipped exe is build/win32/ui/Tallimor.exe; starting the 64-bit build under Wine"

mkdir -p build/run
if [ -n "${DISPLAY:-}" ]; then
  cd build/run
  exec "$root/tools/wine.sh" /usr/lib/wine/wine64 "$root/build/win64/ui/Tallimor.exe"
fi
echo "run: no display, so Tallimor runs on a virtual one for a few seconds"
tools/screenshot.sh build/run/screenshot.png build/run
