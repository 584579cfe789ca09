# The shipped Tallimor.exe: 32-bit Windows, built with mingw-w64 (posix threads).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TALLIMOR_MINGW i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# SSE2 arithmetic: the ratios round exactly as on every other build, not in
# the x87's extended precision.
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -fno-asynchronous-unwind-tables ${TALLIMOR_SECTIONS}")
# Tests run under 32-bit Wine, where the kernel lets it (tools/runs-32-bit.sh).
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine)
