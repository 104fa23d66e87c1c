# tresk_chartables(<output> [BINARY] [LOCALE <name>])
#
# Adds a custom command that writes <output> (relative paths are taken in the current
# binary directory) with tresk_charsmith: the character tables as C source, or with BINARY
# as the raw 1088 bytes. With LOCALE the program runs with -L and LC_ALL set to <name>.
# The output depends on the program alone, so it is written again when the program
# changes and never otherwise.
#
# The program that runs must run on the build machine. In this order: the program named by
# TRESK_HOST_CHARSMITH; in a cross build, tresk::charsmith through
# CMAKE_CROSSCOMPILING_EMULATOR; in a cross build from the tools' source tree without an
# emulator, a copy of the program built for the build machine, once per build tree; a cross
# build from the installed package with neither stops here. Otherwise tresk::charsmith.
set(TRESK_HOST_CHARSMITH "" CACHE FILEPATH
    "tresk_charsmith built for the build machine, run instead of tresk::charsmith")

function(tresk_chartables output)
  cmake_parse_arguments(PARSE_ARGV 1 arg "BINARY" "LOCALE" "")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "tresk_chartables: unexpected arguments: ${arg_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT IS_ABSOLUTE "${output}")
    set(output "${CMAKE_CURRENT_BINARY_DIR}/${output}")
  endif()

  set(builds_program "")
  if(TRESK_HOST_CHARSMITH)
    set(program "${TRESK_HOST_CHARSMITH}")
  elseif(NOT CMAKE_CROSSCOMPILING)
    set(program $<TARGET_FILE:tresk::charsmith>)
  elseif(CMAKE_CROSSCOMPILING_EMULATOR)
    set(program ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:tresk::charsmith>)
  else()
    get_target_property(installed tresk::charsmith IMPORTED)
    if(installed)
      message(FATAL_ERROR "tresk_chartables: this cross build cannot run the installed "
                          "tresk_charsmith, which is built for the target: set "
                          "TRESK_HOST_CHARSMITH to one built for this machine, or "
                          "CMAKE_CROSSCOMPILING_EMULATOR to an emulator of the target")
    endif()
    _tresk_host_charsmith(program)
    set(builds_program tresk_host_charsmith)
  endif()
  # The program's file, not the command that runs it: an emulator is no dependency.
  list(GET program -1 depends)
  list(APPEND depends ${builds_program})

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

# _tresk_host_charsmith(<var>): sets <var> to tresk_charsmith built from the tools' source
# tree for the build machine, with its own compilers, as a part of this build. There is one
# such copy per build tree, however many tables it writes.
function(_tresk_host_charsmith var)
  set(prefix ${CMAKE_BINARY_DIR}/tresk_host_charsmith)
  if(NOT TARGET tresk_host_charsmith)
    include(ExternalProject)
    get_target_property(source tresk_charsmith SOURCE_DIR)
    # Built every time, so that it follows its sources; it is relinked only when they
    # change, and so are the tables it writes. Dynamic: the build machine may have no
    # static C library, and the copy never leaves it.
    ExternalProject_Add(tresk_host_charsmith
      SOURCE_DIR ${source}
      PREFIX ${prefix}
      BINARY_DIR ${prefix}/build
      CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DTRESK_STATIC=OFF -DTRESK_BUILD_TESTS=OFF
                 -DTRESK_INSTALL=OFF
      BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target tresk_charsmith
      BUILD_ALWAYS ON
      BUILD_BYPRODUCTS ${prefix}/build/tresk_charsmith
      INSTALL_COMMAND ""
      LOG_CONFIGURE ON
      LOG_BUILD ON
      LOG_OUTPUT_ON_FAILURE ON)
  endif()
  set(${var} ${prefix}/build/tresk_charsmith PARENT_SCOPE)
endfunction()
