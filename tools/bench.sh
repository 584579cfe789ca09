#!/usr/bin/env bash
# Prints Tallimor's performance figures: the core's benchmarks, the shipped
# exe's size, and the real window under Wine (press time with an empty and a
# long journal, start-up against an empty dialog, memory after many presses).
#   tools/bench.sh            PRESSES=10000 by default for the memory figure
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/setup.sh >/dev/null

echo "== machine"
date -u '+%Y-%m-%d %H:%M UTC'
lscpu | sed -n 's/^Model name: *//p'
echo "$(nproc) cores, $(free -g | awk '/Mem:/ {print $2}') GiB"
/usr/lib/wine/wine64 --version

echo "== core (Google Benchmark; the journal pane is a text buffer)"
cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null
build/bench/bench/core_bench --benchmark_min_time=0.2

echo "== the shipped 32-bit exe"
cmake --preset win32 >/dev/null
cmake --build --preset win32 >/dev/null
exe=build/win32/ui/Tallimor.exe
size=$(stat -c %s "$exe")
icon=$(stat -c %s res/tallimor.ico)
echo "Tallimor.exe: $size bytes ($((size / 1024)) KiB; goal <= 300 KB), stripped"
echo "  of which the icon (256 x 256, 32-bit bitmap and mask): $((icon - 22)) bytes"
i686-w64-mingw32-objdump -h "$exe" | while read -r index name size rest; do
  if [[ $index =~ ^[0-9]+$ ]]; then printf '  section %-8s %7d bytes\n' "$name" "$((16#$size))"; fi
done

echo "== the window under Wine (x86_64 build)"
cmake --preset win64 >/dev/null
cmake --build --preset win64 >/dev/null
windows_path() { echo "Z:$(realpath "$1" | tr / '\\')"; }
tools/wine.sh /usr/lib/wine/wine64 build/win64/bench/window/window_bench.exe \
  "$(windows_path build/win64/ui/Tallimor.exe)" \
  "$(windows_path build/win64/bench/window/empty_dialog.exe)" \
  "$(windows_path build/win64/bench/window/template_only.exe)" "${PRESSES:-10000}"
