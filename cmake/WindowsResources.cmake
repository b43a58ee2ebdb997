# Windows resources of the programs: version information from the project
# version, the icon, and an application manifest (common controls 6, DPI
# awareness, asInvoker). Does nothing on other systems.
#
#   balvix_windows_resources(TARGET DESCRIPTION)
#     TARGET       the program (balvix, balvix-grafico); its .exe name
#     DESCRIPTION  the file description Explorer shows
if(WIN32)
  enable_language(RC)
endif()

set(balvix_win32_dir ${PROJECT_SOURCE_DIR}/src/programs/win32)

function(balvix_windows_resources target description)
  if(NOT WIN32)
    return()
  endif()
  set(BALVIX_RC_NAME ${target})
  set(BALVIX_RC_DESCRIPTION "${description}")
  set(BALVIX_RC_ICON ${balvix_win32_dir}/${target}.ico)
  set(BALVIX_RC_MANIFEST ${PROJECT_BINARY_DIR}/${target}.manifest)
  set(rc ${PROJECT_BINARY_DIR}/${target}.rc)
  configure_file(${balvix_win32_dir}/balvix.manifest.in ${BALVIX_RC_MANIFEST} @ONLY)
  configure_file(${balvix_win32_dir}/balvix.rc.in ${rc} @ONLY)

  # An object library of its own, so that the C++ warning options of the
  # directory do not reach the resource compiler.
  add_library(${target}_resources OBJECT ${rc})
  set_property(TARGET ${target}_resources PROPERTY COMPILE_OPTIONS "")
  # The resource compiler does not track files named inside the script.
  set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS ${BALVIX_RC_ICON} ${BALVIX_RC_MANIFEST})
  target_link_libraries(${target} PRIVATE ${target}_resources)
endfunction()
