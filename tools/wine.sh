#!/usr/bin/env bash
# Runs a command with Wine ready for Tallimor: a prefix of the project's own,
# code page 932 (ja_JP.UTF-8), a display (a virtual one where there is none),
# and a wineserver started and warmed up beforehand and stopped afterwards.
# A leading "wine" stands for the loader that suits the prefix ($WINE too).
#   tools/wine.sh ctest --preset win64
#   tools/runs-32-bit.sh tools/wine.sh wine build/win32/ui/Tallimor.exe
# Natively, one 64-bit prefix runs both kinds of exe. Through qemu-user
# (TALLIMOR_32_BIT_WAY=qemu, set by tools/runs-32-bit.sh, inside its
# namespace) the 32-bit loader runs everything in a 32-bit prefix of its
# own, build/wineprefix-qemu, so that no wineserver is shared with Wine
# outside the namespace. It is made afresh each time: one reused after its
# programs were killed was seen to hang at start.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

export WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
if [ "${TALLIMOR_32_BIT_WAY:-}" = qemu ]; then
  export WINEPREFIX=$root/build/wineprefix-qemu WINEARCH=win32
  # A program that crashes under the emulator would otherwise start Wine's
  # debugger, which waits for ever.
  export WINEDLLOVERRIDES="winedbg.exe=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
  wine=/usr/lib/wine/wine
else
  export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}
  # The 64-bit loader: it starts 64-bit exes itself and hands 32-bit ones to
  # the 32-bit loader, where the kernel can run it (tools/runs-32-bit.sh).
  wine=/usr/lib/wine/wine64
fi
export WINE=$wine
wineserver=/usr/lib/wine/wineserver

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
trap '"$wineserver" -k >/dev/null 2>&1 || true' EXIT

# Every call into Wine here has a time limit, so that a stuck one fails the
# command instead of holding it.
wine_call() {
  local seconds=$1
  shift
  if ! timeout "$seconds" "$@" >/dev/null 2>&1 </dev/null; then
    echo "wine: $* failed or took over $seconds s" >&2
    return 1
  fi
}

if [ "${TALLIMOR_32_BIT_WAY:-}" = qemu ]; then
  rm -rf "$WINEPREFIX"
# A prefix made before 32-bit Wine was installed has no 32-bit half.
elif [ -f "$WINEPREFIX/system.reg" ] && [ -x /usr/lib/wine/wine ] && [ ! -d "$WINEPREFIX/drive_c/windows/syswow64" ]; then
  echo "wine: remaking the prefix $WINEPREFIX with its 32-bit half"
  rm -rf "$WINEPREFIX"
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "wine: creating the prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wine_call 300 "$wine" wineboot -i
  # Unmanaged windows: without a window manager, Wine otherwise waits two
  # seconds for one whenever a window is destroyed.
  wine_call 60 "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
  # MS UI Gothic is proportional and narrow; VL PGothic is the nearest here.
  wine_call 60 "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /d 'VL PGothic' /f
  wine_call 120 "$wineserver" -w
fi
# Wine draws the caption buttons with Marlett, which it does not find in its
# own data folder here: without it the close box shows the letter "r".
fonts=$WINEPREFIX/drive_c/windows/Fonts
[ -f "$fonts/marlett.ttf" ] || cp /usr/share/wine/fonts/marlett.ttf "$fonts/"

# A persistent wineserver, warmed up by one quick program, so that no test
# starts Wine's helper processes (which would hold the test runner's pipes).
"$wineserver" -p >/dev/null 2>&1 </dev/null
wine_call 120 "$wine" cmd /c exit || true  # the tests tell whether Wine works
[ "${1:-}" = wine ] && set -- "$wine" "${@:2}"
"$@"
