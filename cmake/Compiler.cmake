# Sources are UTF-8; every text the program shows or stores is Shift_JIS
# (code page 932). GCC converts the literals as it compiles. CP932 rather than
# SHIFT_JIS: iconv's SHIFT_JIS refuses some of the characters.
function(tallimor_shift_jis_texts target)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PUBLIC -finput-charset=UTF-8 -fexec-charset=CP932)
  elseif(MSVC)
    target_compile_options(${target} PUBLIC /source-charset:utf-8 /execution-charset:.932)
  else()
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER_ID} cannot compile the Shift_JIS texts; use GCC or MSVC")
  endif()
endfunction()

function(tallimor_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra)
  endif()
endfunction()

# The program's own code uses neither exceptions nor RTTI.
function(tallimor_plain_cxx target)
  if(NOT MSVC)
    target_compile_options(${target} PRIVATE -fno-exceptions -fno-rtti)
  endif()
endfunction()
