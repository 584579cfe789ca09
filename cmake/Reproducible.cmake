# The same sources give the same Tallimor.exe and the same zip, wherever and
# whenever they are built. What would differ, the PE time stamp (and the
# checksum over it) and the zip's file times, comes from SOURCE_DATE_EPOCH,
# by default the time of the last commit. No build path reaches the exe.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(TALLIMOR_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
else()
  execute_process(COMMAND git log -1 --format=%ct
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    OUTPUT_VARIABLE TALLIMOR_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE git_failed ERROR_QUIET)
  if(git_failed OR NOT TALLIMOR_SOURCE_DATE_EPOCH)
    message(WARNING "No SOURCE_DATE_EPOCH and no git history: the exe and the zip carry the time of the build")
    return()
  endif()
endif()
message(STATUS "SOURCE_DATE_EPOCH: ${TALLIMOR_SOURCE_DATE_EPOCH}")

# GNU ld takes the PE time stamp from SOURCE_DATE_EPOCH in its environment.
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${TALLIMOR_SOURCE_DATE_EPOCH})

# CPack's archives take every file time from it too; cpack reads this file
# before it packs.
file(WRITE ${PROJECT_BINARY_DIR}/CPackTimes.cmake
  "if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})\n  set(ENV{SOURCE_DATE_EPOCH} ${TALLIMOR_SOURCE_DATE_EPOCH})\nendif()\n")
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/CPackTimes.cmake)
