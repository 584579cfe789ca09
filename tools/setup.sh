#!/usr/bin/env bash
# Installs what building, running and testing Tallimor needs on Debian 12,
# 32-bit Wine beside 64-bit Wine included, so that one 64-bit prefix runs
# both the shipped 32-bit exe and the 64-bit build. Safe to run again: it
# installs only what is missing.
set -euo pipefail

packages=(
  cmake make g++ googletest libgtest-dev libbenchmark-dev  # core and its tests
  clang libclang-rt-14-dev                                 # the fuzzer
  python3 python3-pefile                                   # resource and exe checks, icon
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix      # the Windows builds
  wine wine64 fonts-wine xvfb xauth xdotool imagemagick    # running the window here
  locales fonts-noto-cjk fonts-vlgothic                    # Japanese texts under Wine
)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }
apt_install() { as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$@" >/dev/null; }

missing=()
for package in "${packages[@]}"; do
  installed "$package" || missing+=("$package")
done
wine32=wine32:i386
installed "$wine32" && wine32=

if [ ${#missing[@]} -gt 0 ] || [ -n "$wine32" ]; then
  echo "setup: installing" "${missing[@]}" $wine32
  dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386
  # A suite whose index fails to download leaves apt-get update with exit
  # code 100 but every other index fresh; the installs below tell whether
  # what is needed could be had.
  as_root apt-get update -qq >/dev/null 2>&1 || true
fi
if [ ${#missing[@]} -gt 0 ]; then
  apt_install "${missing[@]}"
fi

# wine32:i386 must match wine64's library versions. Where the security
# suite's i386 index is broken (seen on Debian's mirror), the i386 halves of
# security-updated libraries cannot be found; bookworm and bookworm-updates
# alone hold matching versions of both halves.
if [ -n "$wine32" ]; then
  if ! apt_install wine64 wine32:i386 2>/dev/null; then
    echo "setup: 32-bit Wine is not installable from every suite; installing it from bookworm and bookworm-updates alone"
    apt_dir=$(mktemp -d)  # its own source list and lists, beside each other
    trap 'rm -rf "$apt_dir"' EXIT
    mkdir -p "$apt_dir/lists/partial"
    printf 'deb http://deb.debian.org/debian %s main\n' bookworm bookworm-updates >"$apt_dir/sources.list"
    only_base=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o Dir::Etc::SourceParts=/dev/null
               -o "Dir::State::Lists=$apt_dir/lists" -o APT::Sandbox::User=root)
    as_root apt-get "${only_base[@]}" update -qq >/dev/null
    # wine32:i386 alone may first remove wine64 to settle the shared
    # libraries; the second call brings wine64 back beside it.
    apt_install "${only_base[@]}" --allow-downgrades wine32:i386
    apt_install "${only_base[@]}" --allow-downgrades wine64 wine32:i386
  fi
fi

# Wine takes its ANSI code page from the locale: ja_JP.UTF-8 gives 932.
if ! locale -a 2>/dev/null | grep -qx 'ja_JP.utf8'; then
  as_root sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  as_root locale-gen >/dev/null
fi
