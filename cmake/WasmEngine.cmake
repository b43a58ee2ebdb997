# The page's engine: the code that reads the files, walks the days and writes
# the page's data, which reaches no system, built a second time as a
# WebAssembly module (wasm32-wasi, a reactor) with Debian's clang, and
# embedded into the chart page.
#
#   balvix_wasm_engine(OUTPUT)
#
# makes OUTPUT, the module's bytes, when the program is built. Without a
# clang++ and llvm-ar that can build for wasm32 (Debian's clang-14, lld-14,
# llvm-14, wasi-libc, libc++-14-dev-wasm32, libc++abi-14-dev-wasm32 and
# libclang-rt-14-dev-wasm32), configuring says so and OUTPUT is an empty file:
# the page is then built without the engine. With BALVIX_REQUIRE_ENGINE (our
# presets), configuring stops instead, naming the packages.
#
# Where binaryen's wasm-opt is on the PATH, clang runs it on the module as it
# links (at -O2): a module a ninth smaller and quicker (bench/README.md). Our
# presets require it with the engine, so that every module they make is the
# same.
#
# The module is the same on every build that makes it, the Windows cross
# build included: the same compiler and flags, no debug data, no paths.

find_program(BALVIX_WASM_CXX NAMES clang++-14 clang++ DOC "clang++ that builds the page's engine")
find_program(BALVIX_WASM_AR NAMES llvm-ar-14 llvm-ar DOC "llvm-ar for the page's engine")

set(balvix_wasm_flags --target=wasm32-wasi -std=c++20 -O2 -fno-exceptions -fno-rtti -DNDEBUG
    -Wall -Wextra -Wpedantic -Wconversion)
# Warnings are errors where the build makes them so (our presets).
if(CMAKE_COMPILE_WARNING_AS_ERROR)
  list(APPEND balvix_wasm_flags -Werror)
endif()
set(balvix_wasm_exports balvix_input balvix_run balvix_output)

# Whether the compiler can make a module at all. Only a success is kept, and
# only for the tools it was found with: a build folder configured before the
# tools were installed tries again at its next configure, and finds them.
set(balvix_wasm_tools "${BALVIX_WASM_CXX};${BALVIX_WASM_AR}")
if(BALVIX_WASM_CXX AND BALVIX_WASM_AR AND NOT "$CACHE{BALVIX_WASM_WORKS_WITH}" STREQUAL
                                               "${balvix_wasm_tools}")
  set(check_dir "${CMAKE_BINARY_DIR}/wasm-check")
  file(WRITE "${check_dir}/check.cpp"
    "#include <string>\nextern \"C\" int check(int n) {\n"
    "  return static_cast<int>(std::string(static_cast<unsigned>(n), 'x').size());\n}\n")
  execute_process(COMMAND "${BALVIX_WASM_CXX}" ${balvix_wasm_flags} -mexec-model=reactor
                          -Wl,--export=check -o check.wasm check.cpp
                  WORKING_DIRECTORY "${check_dir}" RESULT_VARIABLE check_result
                  OUTPUT_QUIET ERROR_QUIET)
  if(check_result EQUAL 0)
    set(BALVIX_WASM_WORKS_WITH "${balvix_wasm_tools}" CACHE INTERNAL "")
  endif()
endif()
# Folders configured before kept a failed check under this name.
unset(BALVIX_WASM_WORKS CACHE)
if(BALVIX_WASM_CXX AND BALVIX_WASM_AR AND "$CACHE{BALVIX_WASM_WORKS_WITH}" STREQUAL
                                          "${balvix_wasm_tools}")
  set(BALVIX_WASM_WORKS ON)
else()
  set(BALVIX_WASM_WORKS OFF)
endif()

string(CONCAT balvix_wasm_packages "clang-14 lld-14 llvm-14 wasi-libc libc++-14-dev-wasm32 "
  "libc++abi-14-dev-wasm32 libclang-rt-14-dev-wasm32 binaryen")
option(BALVIX_REQUIRE_ENGINE "Stop configuring when the page's engine cannot be built" OFF)
# Searched as clang searches it: on the PATH.
find_program(BALVIX_WASM_OPT NAMES wasm-opt NO_CACHE NO_CMAKE_PATH NO_CMAKE_ENVIRONMENT_PATH
             NO_CMAKE_SYSTEM_PATH DOC "binaryen's wasm-opt, which clang runs on the module")
if(NOT BALVIX_WASM_WORKS AND BALVIX_REQUIRE_ENGINE)
  message(FATAL_ERROR "The chart page's engine cannot be built: no clang++ and llvm-ar that "
    "build WebAssembly were found (on Debian 12, install ${balvix_wasm_packages}; "
    "bash scripts/setup-debian does). Without BALVIX_REQUIRE_ENGINE the page is built "
    "without its engine.")
endif()
if(BALVIX_REQUIRE_ENGINE AND NOT BALVIX_WASM_OPT)
  message(FATAL_ERROR "The chart page's engine would not be optimized: no wasm-opt on the PATH "
    "(on Debian 12, install binaryen; bash scripts/setup-debian does).")
endif()

function(balvix_wasm_engine output)
  if(NOT BALVIX_WASM_WORKS)
    message(WARNING "No clang++ and llvm-ar that build WebAssembly were found (Debian: "
      "${balvix_wasm_packages}): the chart page is built without its engine.")
    file(WRITE "${output}" "")
    return()
  endif()
  message(STATUS "The chart page's engine is built with ${BALVIX_WASM_CXX}")
  # The engine and the folders below it that reach no system.
  set(sources "")
  foreach(folder IN ITEMS text calendar input projection model page engine)
    file(GLOB folder_sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp")
    list(APPEND sources ${folder_sources})
  endforeach()
  set(objects "")
  foreach(source IN LISTS sources)
    file(RELATIVE_PATH name "${CMAKE_SOURCE_DIR}/src" "${source}")
    set(object "${CMAKE_BINARY_DIR}/wasm/${name}.o")
    get_filename_component(object_dir "${object}" DIRECTORY)
    add_custom_command(OUTPUT "${object}"
      COMMAND "${CMAKE_COMMAND}" -E make_directory "${object_dir}"
      COMMAND "${BALVIX_WASM_CXX}" ${balvix_wasm_flags} "-I${CMAKE_SOURCE_DIR}/src"
              -MD -MF "${object}.d" -c "${source}" -o "${object}"
      DEPENDS "${source}" DEPFILE "${object}.d"
      COMMENT "Building the page's engine: ${name}" VERBATIM)
    list(APPEND objects "${object}")
  endforeach()
  set(library "${CMAKE_BINARY_DIR}/wasm/libengine.a")
  add_custom_command(OUTPUT "${library}"
    COMMAND "${CMAKE_COMMAND}" -E rm -f "${library}"
    COMMAND "${BALVIX_WASM_AR}" rcsD "${library}" ${objects}
    DEPENDS ${objects} VERBATIM)
  set(entry "${CMAKE_SOURCE_DIR}/src/programs/wasm/engine.cpp")
  list(TRANSFORM balvix_wasm_exports PREPEND "-Wl,--export=" OUTPUT_VARIABLE exports)
  add_custom_command(OUTPUT "${output}"
    COMMAND "${BALVIX_WASM_CXX}" ${balvix_wasm_flags} "-I${CMAKE_SOURCE_DIR}/src"
            -mexec-model=reactor ${exports} -Wl,--strip-all
            -MD -MF "${output}.d" "${entry}" "${library}" -o "${output}"
    DEPENDS "${entry}" "${library}" DEPFILE "${output}.d"
    COMMENT "Linking the page's engine" VERBATIM)
endfunction()
