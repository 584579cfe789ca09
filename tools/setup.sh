#!/usr/bin/env bash
# Installs what building, running and testing Tallimor needs on Debian 12,
# 32-bit Wine beside 64-bit Wine included, so that one 64-bit prefix runs
# both the shipped 32-bit exe and the 64-bit build, and what runs 32-bit
# Wine through qemu-user where the kernel cannot (tools/runs-32-bit.sh).
# Safe to run again: it installs only what is missing.
#   tools/setup.sh --fallback-sources   prints the source list that 32-bit
#                                       Wine falls back to, and does nothing
set -euo pipefail

packages=(
  cmake make g++ googletest libgtest-dev libbenchmark-dev  # core and its tests
  clang libclang-rt-14-dev                                 # the fuzzer
  python3 python3-pefile                                   # resource and exe checks, icon
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix      # the Windows builds
  wine wine64 fonts-wine xvfb xauth xdotool imagemagick    # running the window here
  locales fonts-noto-cjk fonts-vlgothic                    # Japanese texts under Wine
)

# The machine's own package sources less the security suite, as files for
# a sources.list.d of their own: a deb822 stanza keeps its other suites and
# every other field, a one-line entry of that suite goes whole. Files apt
# does not read (names not ending in .list or .sources) are left out.
fallback_sources() {  # DIR
  local file list parts
  eval "$(apt-config shell list Dir::Etc::SourceList/f parts Dir::Etc::SourceParts/d)"
  for file in "$list" "$parts"*.list; do
    [ -f "$file" ] || continue
    grep -Ev '^[[:space:]]*deb(-src)?[[:space:]]+(\[[^]]*\][[:space:]]+)?[^[:space:]]+[[:space:]]+[^[:space:]]+-security([[:space:]]|$)' \
      "$file" >"$1/$(basename "$file" .list).list" || true
  done
  for file in "$parts"*.sources; do
    [ -f "$file" ] || continue
    awk 'BEGIN { RS = ""; FS = "\n" }
      { out = ""; keep = 1
        for (i = 1; i <= NF; i++) {
          line = $i
          if (tolower(line) ~ /^suites:/) {
            n = split(substr(line, index(line, ":") + 1), suites, " ")
            line = "Suites:"
            for (j = 1; j <= n; j++) if (suites[j] !~ /-security$/) line = line " " suites[j]
            if (line == "Suites:") keep = 0
          }
          out = out line "\n"
        }
        if (keep) printf "%s\n", out }' "$file" >"$1/$(basename "$file")"
  done
}
if [ "${1:-}" = --fallback-sources ]; then
  dir=$(mktemp -d)
  fallback_sources "$dir"
  for file in "$dir"/*; do echo "# $(basename "$file")"; cat "$file"; done
  rm -rf "$dir"
  exit
fi

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }
apt_install() { as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$@" >/dev/null; }

missing=()
for package in "${packages[@]}"; do
  installed "$package" || missing+=("$package")
done
# 32-bit Wine, with the preloader that it needs under qemu-user.
wine32=()
for package in wine32:i386 wine32-preloader:i386; do
  installed "$package" || wine32+=("$package")
done
# qemu-i386-static (about 60 MB) without what it recommends: systemd or
# binfmt-support, which would register emulators for the whole machine.
# tools/runs-32-bit.sh registers it only inside a namespace of its own.
qemu=()
installed qemu-user-static || qemu=(qemu-user-static)

if [ ${#missing[@]} -gt 0 ] || [ ${#wine32[@]} -gt 0 ] || [ ${#qemu[@]} -gt 0 ]; then
  echo "setup: installing" "${missing[@]}" "${wine32[@]}" "${qemu[@]}"
  dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386
  # A suite whose index fails to download leaves apt-get update with exit
  # code 100 but every other index fresh; the installs below tell whether
  # what is needed could be had.
  as_root apt-get update -qq >/dev/null 2>&1 || true
fi
if [ ${#missing[@]} -gt 0 ]; then
  apt_install "${missing[@]}"
fi
if [ ${#qemu[@]} -gt 0 ]; then
  apt_install --no-install-recommends "${qemu[@]}"
fi

# wine32:i386 must match wine64's library versions. Where the security
# suite's i386 index is broken (seen once), the i386 halves of
# security-updated libraries cannot be found; the machine's other suites
# alone hold matching versions of both halves.
if [ ${#wine32[@]} -gt 0 ]; then
  if ! apt_install wine64 "${wine32[@]}" 2>/dev/null; then
    echo "setup: 32-bit Wine is not installable from every suite; installing it from the configured sources less the security suite"
    apt_dir=$(mktemp -d)  # its own sources and lists, beside each other
    trap 'rm -rf "$apt_dir"' EXIT
    mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial"
    fallback_sources "$apt_dir/sources.list.d"
    no_security=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
                 -o "Dir::State::Lists=$apt_dir/lists" -o APT::Sandbox::User=root)
    as_root apt-get "${no_security[@]}" update -qq >/dev/null
    # wine32:i386 alone may first remove wine64 to settle the shared
    # libraries; the second call brings wine64 back beside it.
    apt_install "${no_security[@]}" --allow-downgrades wine32:i386
    apt_install "${no_security[@]}" --allow-downgrades wine64 wine32:i386 wine32-preloader:i386
  fi
fi

# Wine takes its ANSI code page from the locale: ja_JP.UTF-8 gives 932.
if ! locale -a 2>/dev/null | grep -qx 'ja_JP.utf8'; then
  as_root sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  as_root locale-gen >/dev/null
fi
