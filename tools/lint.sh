#!/usr/bin/env bash
# Checks the code's form: every tracked C/C++ file as clang-format formats it
# (.clang-format), and no clang-tidy finding in tally/, store/ and ui/
# (.clang-tidy), which reads the compile_commands.json of the native and
# win32 presets: the Windows half of store/replace_file.cpp is analysed too.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
unformatted=()
for file in "${sources[@]}"; do
  clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "lint: not formatted as .clang-format says (clang-format -i fixes it): ${unformatted[*]}"
  exit 1
fi
echo "lint: ${#sources[@]} files formatted"

cmake --preset native >/dev/null
cmake --preset win32 >/dev/null
# clang cannot take GCC's -fexec-charset=CP932, and need not: the analysis
# does not depend on how the literals are encoded.
for build in native win32; do
  mkdir -p "build/tidy/$build"
  sed 's/ -fexec-charset=CP932//' "build/$build/compile_commands.json" >"build/tidy/$build/compile_commands.json"
done
# ui/ is Windows code: the mingw-w64 target, with its g++'s C++ headers.
mingw=(--extra-arg=--target=i686-w64-mingw32)
while read -r dir; do
  mingw+=("--extra-arg=-isystem$dir")
done < <(i686-w64-mingw32-g++-posix -E -x c++ -v /dev/null -o /dev/null 2>&1 |
         sed -n '/^#include <...> search starts here:/,/^End of search list/p' | grep '/include/c++')

# Its findings, without clang's count of what it suppressed in system headers.
tidy() {
  local output status=0
  output=$(clang-tidy --quiet "$@" 2>&1) || status=$?
  grep -v 'warnings\? generated\.$' <<<"$output" || true
  return $status
}
tidy -p build/tidy/native tally/*.cpp store/*.cpp
tidy -p build/tidy/win32 "${mingw[@]}" ui/*.cpp store/replace_file.cpp
echo "lint: clang-tidy found nothing in tally/, store/ and ui/"
