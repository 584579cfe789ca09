set(CMAKE_C_COMPILER ${TALLIMOR_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TALLIMOR_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TALLIMOR_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TALLIMOR_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Static runtime: the exe needs nothing beside it but Windows' own DLLs.
# -static-libgcc/-static-libstdc++ alone still import libwinpthread-1.dll.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--gc-sections")
set(TALLIMOR_SECTIONS "-ffunction-sections -fdata-sections")
