# Embeds files into a program as byte arrays, when it is built.
#
#   balvix_embed_files(OUTPUT HEADER name1 file1 [name2 file2 ...])
#
# generates the C++ source OUTPUT, which includes HEADER and defines, in
# namespace balvix, one function per file, `std::string_view name1()`, that
# returns the file's bytes exactly. The header declares them. The source is
# made again whenever a file changes. Byte arrays rather than string literals:
# every compiler takes them, whatever the size and the bytes of the file.
#
# The same file run as a script (cmake -P) writes the source; the function
# only arranges that.

if(CMAKE_SCRIPT_MODE_FILE)
  # -DOUTPUT=... -DHEADER=... -DENTRIES=name=path|name=path
  string(REPLACE "|" ";" entries "${ENTRIES}")
  set(definitions "")
  set(accessors "")
  foreach(entry IN LISTS entries)
    string(FIND "${entry}" "=" at)
    string(SUBSTRING "${entry}" 0 ${at} name)
    math(EXPR from "${at} + 1")
    string(SUBSTRING "${entry}" ${from} -1 path)
    get_filename_component(file_name "${path}" NAME)
    file(READ "${path}" hex HEX)
    string(LENGTH "${hex}" hex_length)
    math(EXPR size "${hex_length} / 2")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    # Sixteen bytes a line.
    string(REPEAT "0x..," 16 line)
    string(REGEX REPLACE "(${line})" "\\1\n" bytes "${bytes}")
    # One byte more, so that an empty file makes no empty array.
    string(APPEND definitions
      "// ${file_name}: ${size} bytes\nconst unsigned char ${name}Bytes[] = {\n${bytes}0};\n\n")
    string(APPEND accessors
      "std::string_view ${name}() {\n"
      "  return {reinterpret_cast<const char*>(${name}Bytes), ${size}};\n}\n\n")
  endforeach()
  file(WRITE "${OUTPUT}.new"
    "// Made by cmake/EmbedFiles.cmake from the files named below; not to be edited.\n"
    "#include \"${HEADER}\"\n\n"
    "namespace balvix {\n\nnamespace {\n\n${definitions}} // namespace\n\n${accessors}"
    "} // namespace balvix\n")
  file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
  file(REMOVE "${OUTPUT}.new")
  return()
endif()

function(balvix_embed_files output header)
  set(arguments ${ARGN})
  set(entries "")
  set(files "")
  while(arguments)
    list(POP_FRONT arguments name path)
    get_filename_component(path "${path}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    list(APPEND entries "${name}=${path}")
    list(APPEND files "${path}")
  endwhile()
  list(JOIN entries "|" entries)
  add_custom_command(OUTPUT "${output}"
    COMMAND "${CMAKE_COMMAND}" "-DOUTPUT=${output}" "-DHEADER=${header}" "-DENTRIES=${entries}"
            -P "${CMAKE_CURRENT_FUNCTION_LIST_FILE}"
    DEPENDS ${files} "${CMAKE_CURRENT_FUNCTION_LIST_FILE}"
    COMMENT "Embedding ${header} files"
    VERBATIM)
endfunction()
