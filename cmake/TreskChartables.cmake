# tresk_chartables(<output> [BINARY] [LOCALE <name>])
#
# Adds a custom command that writes <output> (relative paths are taken in the current
# binary directory) with tresk_charsmith: the character tables as C source, or with BINARY
# as the raw 1088 bytes. With LOCALE the program runs with -L and LC_ALL set to <name>.
# The output depends on the program alone, so it is written again when the program
# changes and never otherwise. A cross build runs the program through
# CMAKE_CROSSCOMPILING_EMULATOR, unless TRESK_HOST_CHARSMITH names a program built for
# the build machine, which then wins.
set(TRESK_HOST_CHARSMITH "" CACHE FILEPATH
    "tresk_charsmith built for the build machine, run instead of the one built here")

function(tresk_chartables output)
  cmake_parse_arguments(PARSE_ARGV 1 arg "BINARY" "LOCALE" "")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "tresk_chartables: unexpected arguments: ${arg_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT IS_ABSOLUTE "${output}")
    set(output "${CMAKE_CURRENT_BINARY_DIR}/${output}")
  endif()

  if(TRESK_HOST_CHARSMITH)
    set(program "${TRESK_HOST_CHARSMITH}")
    set(depends "${TRESK_HOST_CHARSMITH}")
  elseif(CMAKE_CROSSCOMPILING)
    if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
      message(FATAL_ERROR "tresk_chartables: a cross build needs CMAKE_CROSSCOMPILING_EMULATOR "
                          "or TRESK_HOST_CHARSMITH to run tresk_charsmith")
    endif()
    set(program ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:tresk_charsmith>)
    set(depends tresk_charsmith)
  else()
    set(program $<TARGET_FILE:tresk_charsmith>)
    set(depends tresk_charsmith)
  endif()

  set(options "")
  set(environment "")
  if(arg_BINARY)
    list(APPEND options -b)
  endif()
  if(DEFINED arg_LOCALE)
    list(APPEND options -L)
    set(environment ${CMAKE_COMMAND} -E env "LC_ALL=${arg_LOCALE}")
  endif()

  file(RELATIVE_PATH shown "${CMAKE_BINARY_DIR}" "${output}")
  add_custom_command(
    OUTPUT "${output}"
    COMMAND ${environment} ${program} ${options} "${output}"
    DEPENDS ${depends}
    COMMENT "Writing character tables ${shown}"
    VERBATIM)
endfunction()
