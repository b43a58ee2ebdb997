# Windows resources of balvix.exe: version information from the project
# version, the icon, and an application manifest (common controls 6, DPI
# awareness, asInvoker). Included by the top-level CMakeLists.txt after the
# balvix target exists; does nothing on other systems.
if(NOT WIN32)
  return()
endif()

enable_language(RC)

set(balvix_win32_dir ${PROJECT_SOURCE_DIR}/src/platform/win32)
set(BALVIX_RC_ICON ${balvix_win32_dir}/balvix.ico)
set(BALVIX_RC_MANIFEST ${PROJECT_BINARY_DIR}/balvix.manifest)
configure_file(${balvix_win32_dir}/balvix.manifest.in ${BALVIX_RC_MANIFEST} @ONLY)
configure_file(${balvix_win32_dir}/balvix.rc.in ${PROJECT_BINARY_DIR}/balvix.rc @ONLY)

# An object library of its own, so that the C++ warning options of the
# directory do not reach the resource compiler.
add_library(balvix_resources OBJECT ${PROJECT_BINARY_DIR}/balvix.rc)
set_property(TARGET balvix_resources PROPERTY COMPILE_OPTIONS "")
# The resource compiler does not track files named inside the script.
set_property(SOURCE ${PROJECT_BINARY_DIR}/balvix.rc APPEND PROPERTY OBJECT_DEPENDS
  ${BALVIX_RC_ICON} ${BALVIX_RC_MANIFEST})
target_link_libraries(balvix PRIVATE balvix_resources)
