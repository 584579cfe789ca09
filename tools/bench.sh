#!/usr/bin/env bash
# Prints Tallimor's performance figures: the core's benchmarks, the shipped
# exe's size, and the real window under Wine (press time with an empty and a
# long journal, start-up against an empty dialog, memory after many presses),
# for the shipped 32-bit exe and for the x86_64 build, in one run. It says
# by which way the 32-bit exe ran (tools/runs-32-bit.sh): figures taken
# through qemu-user measure the emulator, not Tallimor, and are marked so.
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

windows_path() { echo "Z:$(realpath "$1" | tr / '\\')"; }
# window_bench RUN EXE-DIR TALLIMOR.EXE: press, start-up and memory figures,
# by a bench of the same bitness as the exe, started by RUN (the 32-bit one
# by tools/runs-32-bit.sh; env for the x86_64 one).
window_bench() {
  "$1" tools/wine.sh wine "$2/bench/window/window_bench.exe" "$(windows_path "$3")" \
    "$(windows_path "$2/bench/window/empty_dialog.exe")" \
    "$(windows_path "$2/bench/window/template_only.exe")" "${PRESSES:-10000}"
}

echo "== the window under Wine: the shipped 32-bit exe"
if how=$(tools/runs-32-bit.sh); then
  echo "32-bit programs run $how"
  [[ $how == natively* ]] ||
    echo "not Tallimor's figures: through qemu-user they measure the emulator (keep them out of docs/performance.md's tables)"
  cmake --preset win32-tests >/dev/null
  cmake --build --preset win32-tests >/dev/null
  window_bench tools/runs-32-bit.sh build/win32-tests build/win32/ui/Tallimor.exe
else
  echo "not measured: $how"
fi

echo "== the window under Wine: the x86_64 build"
cmake --preset win64 >/dev/null
cmake --build --preset win64 >/dev/null
window_bench env build/win64 build/win64/ui/Tallimor.exe
