#!/usr/bin/env bash
# Takes a screenshot of the real window under Wine on a virtual display, in a
# Wine virtual desktop (which draws the title bar).
#   tools/screenshot.sh [OUT [DIR]]
# Without DIR: a tally carried over from an earlier evening and a few
# presses, so that the highlights and the journal show (docs/screenshot.png).
# With DIR: Tallimor as it starts in DIR, untouched.
# The picture is of the shipped 32-bit exe; SHOT_EXE names another. The
# win32-tests (or, for a 64-bit exe, win64) preset builds the driver.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/docs/screenshot.png}")
exe=${SHOT_EXE:-$root/build/win32/ui/Tallimor.exe}
[ -f "$exe" ] || { echo "screenshot: build $exe first" >&2; exit 1; }
# The driver is of the exe's bitness, so that it runs wherever the exe does:
# a 32-bit exe by the way tools/runs-32-bit.sh chooses.
if i686-w64-mingw32-objdump -f "$exe" 2>/dev/null | grep -q 'file format pei-i386'; then
  driver=$root/build/win32-tests/tests/window/drive_window.exe
  if ! why=$("$root/tools/runs-32-bit.sh"); then
    echo "screenshot: $why; SHOT_EXE=build/win64/ui/Tallimor.exe takes the 64-bit build" >&2
    exit 1
  fi
  by=("$root/tools/runs-32-bit.sh")
else
  driver=$root/build/win64/tests/window/drive_window.exe
  by=()
fi
[ -f "$driver" ] || { echo "screenshot: build $driver first (cmake --build --preset win32-tests or win64)" >&2; exit 1; }

if [ -n "${2:-}" ]; then
  work=$(realpath "$2")
  actions=(sleep:4000 close)
else
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  printf '%s\r\n' "12 ハンドガン" "9 ショットガン" "10 サブマシンガン" "11 アサルトライフル" \
    "8 マシンガン" "10 スナイパーライフル" "4 ミサイル" "7 投擲武器" "6 設置武器" "3 スタンロッド" \
    "5 CQC" "52 無効化累計" "17 殺害累計" | iconv -f UTF-8 -t CP932 > "$work/Tallimor.txt"
  # Row 0 twice, a kill in row 3, row 4 with a custom increment of 3.
  actions=(100 100 114 165 type:3 104 164 sleep:4000 close)
fi

export SHOT_WORK=$work SHOT_OUT=$out SHOT_EXE=$exe SHOT_DRIVER=$driver SHOT_ACTIONS="${actions[*]}"
"${by[@]}" "$root/tools/wine.sh" bash -c '
  set -euo pipefail
  cd "$SHOT_WORK"
  # The driver starts Tallimor on the virtual desktop, where it can see the
  # window, presses, waits while the picture is taken, and closes it. Under
  # qemu-user Wine'"'"'s virtual desktop fails here (BadWindow from X): the
  # picture is then of the window alone, without the desktop around it.
  if [ "${TALLIMOR_32_BIT_WAY:-}" = qemu ]; then
    start=("$WINE") window=VORHALT
  else
    start=("$WINE" explorer /desktop=Tallimor,520x440) window="Tallimor - Wine desktop"
  fi
  "${start[@]}" "$SHOT_DRIVER" --start "$SHOT_EXE" $SHOT_ACTIONS >/dev/null 2>&1 &
  for i in $(seq 300); do xdotool search --name VORHALT >/dev/null 2>&1 && break; sleep 0.2; done
  sleep 2
  id=$(xdotool search --name "$window" | head -1) || true
  [ -n "$id" ] || { echo "screenshot: no window to take" >&2; exit 1; }
  import -window "$id" "$SHOT_OUT"
  wait
'
echo "screenshot: $out"
