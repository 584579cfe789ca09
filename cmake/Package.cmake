# The release: a zip holding Tallimor.exe and a short readme for players
# (UTF-8 with a byte order mark and CR LF, so that Notepad reads it).
configure_file(${PROJECT_SOURCE_DIR}/docs/player-readme.txt ${PROJECT_BINARY_DIR}/readme.txt
  @ONLY NEWLINE_STYLE CRLF)
install(FILES ${PROJECT_BINARY_DIR}/readme.txt DESTINATION .)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(CPACK_SYSTEM_NAME win64)
else()
  set(CPACK_SYSTEM_NAME win32)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Tallimor)
set(CPACK_PACKAGE_VENDOR Tallimor)
set(CPACK_PACKAGE_FILE_NAME "Tallimor-${PROJECT_VERSION}-${CPACK_SYSTEM_NAME}")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_CHECKSUM SHA256)  # Tallimor-...-win32.zip.sha256, as sha256sum writes it
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/PrintChecksums.cmake)
include(CPack)
