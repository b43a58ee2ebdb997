# balvix_program(<target>)
#
# Links the executable <target> as a program that users download, so that it
# runs on a machine that lacks this compiler's runtime:
#   Windows (mingw-w64 g++ or clang++): -municode, since the program starts at
#     wmain or wWinMain, and -static, so that it needs no DLL beyond Windows'
#     own.
#   Linux (g++ or clang++): -static-libstdc++ -static-libgcc, so that only the
#     C library stays shared (libc, libm and the loader).
# Other compilers and systems link the program their usual way; macOS, for
# one, brings its C++ runtime with the system.
# Sets the target property BALVIX_RUNTIME_LINKED_IN to ON when the C++ runtime
# was linked into the program, OFF otherwise.
function(balvix_program target)
  set(gnu_like OFF)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU"
     OR (CMAKE_CXX_COMPILER_ID STREQUAL "Clang" AND CMAKE_CXX_COMPILER_FRONTEND_VARIANT STREQUAL "GNU"))
    set(gnu_like ON)
  endif()

  set(linked_in OFF)
  if(MINGW AND gnu_like)
    target_link_options(${target} PRIVATE -municode -static)
    set(linked_in ON)
  elseif(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND gnu_like)
    target_link_options(${target} PRIVATE -static-libstdc++ -static-libgcc)
    set(linked_in ON)
  endif()
  set_property(TARGET ${target} PROPERTY BALVIX_RUNTIME_LINKED_IN ${linked_in})
endfunction()
