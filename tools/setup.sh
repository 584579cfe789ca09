#!/usr/bin/env bash
# Installs what building, running and testing Tallimor needs on Debian 12.
# Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
  cmake make g++ googletest libgtest-dev libbenchmark-dev  # core and its tests
  clang libclang-rt-14-dev                                 # the fuzzer
  python3                                                  # resource and exe checks, icon
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix      # the Windows builds
  wine wine64 xvfb xauth xdotool imagemagick               # running the window here
  locales fonts-noto-cjk fonts-vlgothic                    # Japanese texts under Wine
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# Wine takes its ANSI code page from the locale: ja_JP.UTF-8 gives 932.
if ! locale -a 2>/dev/null | grep -qx 'ja_JP.utf8'; then
  as_root sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  as_root locale-gen >/dev/null
fi
