#!/usr/bin/env bash
# Runs a command with Wine ready for Tallimor: a prefix of the project's own,
# code page 932 (ja_JP.UTF-8), a display (a virtual one where there is none),
# and a wineserver started and warmed up beforehand and stopped afterwards.
#   tools/wine.sh ctest --preset win64
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}
export WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
# The 64-bit loader: it starts 64-bit exes itself and hands 32-bit ones to
# the 32-bit loader, where the kernel can run it (tools/runs-32-bit.sh).
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

# A prefix made before 32-bit Wine was installed has no 32-bit half.
if [ -f "$WINEPREFIX/system.reg" ] && [ -x /usr/lib/wine/wine ] && [ ! -d "$WINEPREFIX/drive_c/windows/syswow64" ]; then
  echo "wine: remaking the prefix $WINEPREFIX with its 32-bit half"
  rm -rf "$WINEPREFIX"
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "wine: creating the prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  "$wine" wineboot -i >/dev/null 2>&1 </dev/null
  # Unmanaged windows: without a window manager, Wine otherwise waits two
  # seconds for one whenever a window is destroyed.
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
  # MS UI Gothic is proportional and narrow; VL PGothic is the nearest here.
  "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /d 'VL PGothic' /f >/dev/null 2>&1 </dev/null
  "$wineserver" -w
fi
# Wine draws the caption buttons with Marlett, which it does not find in its
# own data folder here: without it the close box shows the letter "r".
fonts=$WINEPREFIX/drive_c/windows/Fonts
[ -f "$fonts/marlett.ttf" ] || cp /usr/share/wine/fonts/marlett.ttf "$fonts/"

# A persistent wineserver, warmed up by one quick program, so that no test
# starts Wine's helper processes (which would hold the test runner's pipes).
"$wineserver" -p >/dev/null 2>&1 </dev/null
"$wine" cmd /c exit >/dev/null 2>&1 </dev/null || true
trap '"$wineserver" -k >/dev/null 2>&1 || true' EXIT
"$@"
