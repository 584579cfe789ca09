#!/usr/bin/env bash
# The one place that decides how 32-bit programs run here: Wine's 32-bit
# loader, and so the shipped 32-bit Tallimor.exe. Each way is checked by
# running that loader, never assumed:
# - natively, where this kernel runs 32-bit programs (not every kernel does);
# - through qemu-user in a namespace, where it cannot: an unprivileged user
#   and mount namespace mounts a binfmt_misc of its own (Linux 6.7 and
#   later), in which qemu-i386-static takes every 32-bit program started
#   inside it. Nothing outside the namespace changes. TALLIMOR_32_BIT=qemu
#   takes this way even where the kernel runs 32-bit programs: binfmt_misc
#   is consulted before the kernel's own loader (TALLIMOR_32_BIT=native
#   takes only the native way);
# - not at all, and why.
#   tools/runs-32-bit.sh          prints the way in one line, which starts "natively" or "through
#                                 qemu-user"; prints why and exits 1 when 32-bit programs cannot run
#   tools/runs-32-bit.sh CMD...   runs CMD by that way, with TALLIMOR_32_BIT_WAY=native or qemu
set -uo pipefail
loader=/usr/lib/wine/wine
qemu=/usr/bin/qemu-i386-static
entry=/proc/sys/fs/binfmt_misc/tallimor-i386
# i386 ELF executables and shared objects. F has the kernel open qemu once,
# at registration; O and C hand it the program's file and credentials.
register=":tallimor-i386:M::\\x7fELF\\x01\\x01\\x01\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x02\\x00\\x03\\x00"
register+=":\\xff\\xff\\xff\\xff\\xff\\xfe\\xfe\\x00\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xfe\\xff\\xff\\xff:$qemu:FOC"

# CMD... in a new user and mount namespace where qemu takes 32-bit programs.
in_namespace() {
  unshare --user --map-root-user --mount bash -c '
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc || exit 90
    echo "$0" >/proc/sys/fs/binfmt_misc/register || exit 91
    exec "$@"' "$register" "$@"
}

# Prints why the qemu way cannot be taken here, or nothing when it can: in
# a namespace, qemu must take the loader, and the loader must run under it.
qemu_cannot() {
  if [ ! -x "$qemu" ]; then
    echo "qemu-user-static is not installed (tools/setup.sh installs it)"
  elif [ ! -e /usr/lib/wine/wine-preloader ]; then
    echo "Wine's 32-bit preloader, which it needs under qemu, is not installed (wine32-preloader:i386; tools/setup.sh installs it)"
  else
    local out status first
    out=$(in_namespace bash -c 'QEMU_VERSION=1 "$0" && "$0" --version' "$loader" 2>&1)
    status=$?
    first=${out%%$'\n'*}
    if [ $status = 90 ]; then
      echo "no binfmt_misc of its own in a user namespace (Linux 6.7 and later have one): ${first##*: }"
    elif [ $status = 91 ]; then
      echo "the namespace's binfmt_misc refused qemu: ${first##*: }"
    elif [[ $out == unshare:* ]]; then
      echo "no unprivileged user and mount namespace (${first##*: })"
    elif [[ $status != 0 || $out != qemu-i386\ version*wine-* ]]; then
      echo "the 32-bit loader did not run under qemu in the namespace: ${out//$'\n'/ }"
    fi
  fi
}

case ${TALLIMOR_32_BIT:-} in
  '' | native | qemu) ;;
  *) echo "TALLIMOR_32_BIT=$TALLIMOR_32_BIT: say qemu or native, or leave it unset"; exit 1 ;;
esac
if [ -e "$entry" ]; then
  way=qemu how="through qemu-user in a namespace"
elif [ ! -x "$loader" ]; then
  echo "32-bit Wine is not installed (no $loader; tools/setup.sh installs it)"
  exit 1
elif [ "${TALLIMOR_32_BIT:-}" = qemu ]; then
  why=$(qemu_cannot)
  if [ -n "$why" ]; then
    echo "TALLIMOR_32_BIT=qemu, but qemu-user cannot run 32-bit programs here: $why"
    exit 1
  fi
  way=qemu how="through qemu-user in a namespace, as TALLIMOR_32_BIT=qemu asks"
elif error=$("$loader" --version 2>&1 >/dev/null); then
  way=native how="natively: this kernel runs 32-bit programs"
else
  cannot="this kernel cannot run 32-bit programs (${error##*: })"
  if [ "${TALLIMOR_32_BIT:-}" = native ]; then echo "$cannot"; exit 1; fi
  why=$(qemu_cannot)
  if [ -n "$why" ]; then
    echo "$cannot, nor can qemu-user here: $why"
    exit 1
  fi
  way=qemu how="through qemu-user in a namespace: $cannot"
fi

if [ $# -eq 0 ]; then
  echo "$how"
elif [ "$way" = native ] || [ -e "$entry" ]; then
  TALLIMOR_32_BIT_WAY=$way exec "$@"
else
  TALLIMOR_32_BIT_WAY=qemu in_namespace "$@"
fi
