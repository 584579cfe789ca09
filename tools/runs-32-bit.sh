#!/usr/bin/env bash
# Exits 0 when 32-bit Windows programs can run here under Wine: 32-bit Wine
# is installed and this kernel runs its loader, a 32-bit program (not every
# kernel does). Otherwise prints why, in one line, and exits 1.
loader=/usr/lib/wine/wine
if [ ! -x "$loader" ]; then
  echo "32-bit Wine is not installed (no $loader; tools/setup.sh installs it)"
  exit 1
fi
if ! error=$("$loader" --version 2>&1 >/dev/null); then
  echo "this kernel cannot run 32-bit programs (${error##*: })"
  exit 1
fi
