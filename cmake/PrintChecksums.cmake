# Run by cpack once the zip is made: the SHA-256 of the zip and of the
# Tallimor.exe packed into it. The checksum file beside the zip is CPack's.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  file(SHA256 ${package} hash)
  get_filename_component(name ${package} NAME)
  message(STATUS "SHA-256 ${hash}  ${name}")
endforeach()
file(SHA256 ${CPACK_TEMPORARY_DIRECTORY}/Tallimor.exe hash)
message(STATUS "SHA-256 ${hash}  Tallimor.exe")
