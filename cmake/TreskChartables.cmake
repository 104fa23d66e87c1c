# tresk_chartables(<output> [BINARY] [LOCALE <name>] [TARGETS <target>...])
#
# Writes <output> (relative paths are taken in the current binary directory) with
# tresk_charsmith: the character tables as C source, or with BINARY as the raw 1088 bytes.
# With LOCALE the program runs with -L and LC_ALL set to <name>.
#
# The program that runs is, in this order: TRESK_HOST_CHARSMITH, when set; tresk::charsmith,
# natively or through the target's CROSSCOMPILING_EMULATOR; in a cross build from the tools'
# source tree, the copy built for the build machine; else tresk_charsmith from the PATH, as a
# package manager or a distribution's cross build puts the build machine's there, kept in
# TRESK_HOST_CHARSMITH as find_program keeps what it finds.
#
# One target per directory, built by default, writes the tables files asked for there
# (tresk_chartables in the top directory). Every target that compiles or reads one must
# depend on it, so that the file is written once and never while one of them reads it: from
# CMake 3.19 the targets, in any directory, that list the file among their sources are found
# at the end of configuring; TARGETS names others (and, before 3.19, all of them). The
# program writes beside the output, which is replaced only when its bytes change, so that
# nothing that compiles it is rebuilt for identical tables.
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors

function(tresk_chartables output)
  cmake_parse_arguments(PARSE_ARGV 1 arg "BINARY" "LOCALE" "TARGETS")
  get_filename_component(output "${output}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_BINARY_DIR}")
  file(RELATIVE_PATH shown "${CMAKE_BINARY_DIR}" "${output}")
  # The options as asked and as the program takes them. One rule per output: a second call
  # with the same options only adds its targets.
  set(asked "")
  set(options "")
  if(arg_BINARY)
    set(asked BINARY)
    set(options -b)
  endif()
  if(DEFINED arg_LOCALE)
    string(STRIP "${asked} LOCALE ${arg_LOCALE}" asked)
    list(APPEND options -L)
  endif()
  if(asked STREQUAL "")
    set(asked "no options")
  endif()
  get_property(earlier GLOBAL PROPERTY "_tresk_chartables ${output}")
  list(FIND ARGN LOCALE locale_given)  # with nothing after it, however this CMake parses that
  if(arg_UNPARSED_ARGUMENTS)
    set(misuse "unexpected arguments \"${arg_UNPARSED_ARGUMENTS}\"; the options are BINARY, "
               "LOCALE <name> and TARGETS <target>...")
  elseif(locale_given GREATER -1 AND "${arg_LOCALE}" STREQUAL "")
    set(misuse "LOCALE needs a locale name, such as LOCALE fr_FR.ISO-8859-1; leave LOCALE out "
               "for the tables of the \"C\" locale")
  elseif(output MATCHES "#")
    # CMake writes such an output into its build files unescaped, and the build then fails
    # far from here, or not at all but for another file.
    set(misuse "the path holds '#', which CMake cannot carry in a custom command's output; "
               "write the tables in a folder without it")
  elseif(earlier AND NOT earlier STREQUAL asked)
    set(misuse "asked for twice, with ${earlier} and with ${asked}; give each set of options "
               "its own output file")
  endif()
  if(DEFINED misuse)
    string(CONCAT misuse ${misuse})
    message(FATAL_ERROR "tresk_chartables(${shown}): ${misuse}")
  endif()

  if(NOT earlier)
    set_property(GLOBAL PROPERTY "_tresk_chartables ${output}" "${asked}")
    set_property(GLOBAL APPEND PROPERTY _tresk_chartables_outputs "${output}")
    _tresk_charsmith(program depends)
    if(DEFINED arg_LOCALE)
      set(program ${CMAKE_COMMAND} -E env "LC_ALL=${arg_LOCALE}" ${program})
      _tresk_check_locale("${arg_LOCALE}" "${shown}")
    endif()
    # Ninja takes the output as rewritten only when its time changes (restat), and makes its
    # folder. Make knows neither: there a stamp records that the rule ran, the rule makes the
    # folder, and the output has a rule of its own that does nothing, which Make takes as
    # done over when the file is missing, and so runs the stamp's rule once more.
    set(stamp "${output}")
    set(make_folder "")
    set(make_stamp "")
    if(CMAKE_GENERATOR MATCHES "Makefiles")
      _tresk_chartables_name(name tresk_tables "${output}")
      set(stamp "${CMAKE_CURRENT_BINARY_DIR}/CMakeFiles/${name}.stamp")
      get_filename_component(folder "${output}" DIRECTORY)
      add_custom_command(OUTPUT "${output}" COMMENT "")
      set(make_folder COMMAND ${CMAKE_COMMAND} -E make_directory "${folder}")
      set(make_stamp COMMAND ${CMAKE_COMMAND} -E touch "${stamp}" DEPENDS "${output}")
    endif()
    # An emulator that cannot start the program may still exit 0: under one, no earlier file
    # is left for the copy to take.
    set(fresh "")
    if(CMAKE_CROSSCOMPILING_EMULATOR)
      set(fresh COMMAND ${CMAKE_COMMAND} -E remove -f "${output}.new")
    endif()
    add_custom_command(OUTPUT "${stamp}" ${make_folder} ${fresh}
      COMMAND ${program} ${options} "${output}.new"
      COMMAND ${CMAKE_COMMAND} -E copy_if_different "${output}.new" "${output}"
      ${make_stamp}
      DEPENDS ${depends}
      COMMENT "Writing character tables ${shown}"
      VERBATIM COMMAND_EXPAND_LISTS)
    # One target writes all the tables files of a directory: Make visits every target of a
    # build, each time it builds, and that costs more than the tables.
    set(writer tresk_chartables)
    if(NOT CMAKE_CURRENT_BINARY_DIR STREQUAL CMAKE_BINARY_DIR)
      _tresk_chartables_name(writer tresk_chartables "${CMAKE_CURRENT_BINARY_DIR}")
    endif()
    if(NOT TARGET ${writer})
      add_custom_target(${writer} ALL)
    endif()
    set_property(TARGET ${writer} APPEND PROPERTY SOURCES "${stamp}")  # target_sources: 3.19
    set_property(GLOBAL PROPERTY "_tresk_chartables_writer ${output}" ${writer})
  endif()
  foreach(target IN LISTS arg_TARGETS)
    _tresk_chartables_wait(${target} "${output}")
  endforeach()
  get_property(scheduled GLOBAL PROPERTY _tresk_chartables_scheduled)
  if(NOT scheduled AND NOT CMAKE_VERSION VERSION_LESS 3.19)
    set_property(GLOBAL PROPERTY _tresk_chartables_scheduled ON)
    cmake_language(DEFER DIRECTORY "${CMAKE_SOURCE_DIR}" CALL _tresk_chartables_find_readers)
  endif()
endfunction()

# _tresk_charsmith(<command var> <depends var>): the command that runs the program here, as
# the header says, and what the rule depends on.
function(_tresk_charsmith command_var depends_var)
  if(NOT TRESK_HOST_CHARSMITH AND TARGET tresk::charsmith
     AND (NOT CMAKE_CROSSCOMPILING OR CMAKE_CROSSCOMPILING_EMULATOR))
    # CMake gives the programs it builds the emulator as this property, and runs them through
    # it when a command names them; an imported program has it too, but it must be named.
    set(command $<TARGET_PROPERTY:tresk::charsmith,CROSSCOMPILING_EMULATOR>
                $<TARGET_FILE:tresk::charsmith>)
    set(depends tresk::charsmith)
  elseif(NOT TRESK_HOST_CHARSMITH AND TARGET tresk_host_charsmith)
    get_target_property(command tresk_host_charsmith TRESK_PROGRAM)
    set(depends "${command}" tresk_host_charsmith)
  else()
    if(NOT TRESK_HOST_CHARSMITH)
      # From CMake 3.25, one that does not run here (the target's, on a PATH shared with it)
      # is passed over. An empty entry would stop find_program from looking.
      unset(TRESK_HOST_CHARSMITH CACHE)
      set(validator "")
      if(NOT CMAKE_VERSION VERSION_LESS 3.25)
        set(validator VALIDATOR _tresk_runs)
      endif()
      find_program(TRESK_HOST_CHARSMITH tresk_charsmith ${validator} NO_CMAKE_FIND_ROOT_PATH
                   DOC "tresk_charsmith built for the build machine, run instead of tresk::charsmith")
      if(NOT TRESK_HOST_CHARSMITH)
        message(FATAL_ERROR "tresk_chartables: no tresk_charsmith runs here: these tools have none for "
                            "this machine (installed without it, or built for the target), and none "
                            "runs from the PATH; name one in TRESK_HOST_CHARSMITH, or set "
                            "CMAKE_CROSSCOMPILING_EMULATOR to an emulator of the target")
      endif()
      message(STATUS "tresk_chartables: the tables are written by ${TRESK_HOST_CHARSMITH}, from the PATH")
    endif()
    set(command "${TRESK_HOST_CHARSMITH}")
    set(depends "${TRESK_HOST_CHARSMITH}")
  endif()
  set(${command_var} "${command}" PARENT_SCOPE)
  set(${depends_var} "${depends}" PARENT_SCOPE)
endfunction()

# _tresk_runs(<var> <program>): find_program's validator; false unless the program's --help
# exits 0 here.
function(_tresk_runs var program)
  execute_process(COMMAND "${program}" --help RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
  string(COMPARE EQUAL "${status}" 0 runs)
  set(${var} ${runs} PARENT_SCOPE)
endfunction()

# _tresk_check_locale(<name> <output>): in a native build, stops configuring when the C
# library cannot set the locale <name>; a cross build finds out when the tables are written.
function(_tresk_check_locale name shown)
  string(MAKE_C_IDENTIFIER "${name}" id)
  if(CMAKE_CROSSCOMPILING OR NOT CMAKE_C_COMPILER_LOADED OR name MATCHES "^(C|POSIX)$"
     OR _TRESK_LOCALE_${id})
    return()
  endif()
  set(source "${CMAKE_BINARY_DIR}/CMakeFiles/tresk_locale_check.c")
  file(WRITE "${source}" "#include <locale.h>\nint main(int argc, char **argv) {\n"
                         "  return argc == 2 && setlocale(LC_ALL, argv[1]) ? 0 : 1;\n}\n")
  try_run(runs built "${CMAKE_BINARY_DIR}/CMakeFiles/tresk_locale_check" "${source}" ARGS "${name}")
  set(status "${runs}")
  unset(runs CACHE)
  if(built AND NOT status EQUAL 0)
    string(REGEX REPLACE "^([^.@]+)[.]([^@]+).*" "localedef -i \\1 -f \\2 ${name}" make "${name}")
    if(make STREQUAL name)
      set(make localedef)
    endif()
    message(FATAL_ERROR "tresk_chartables(${shown}): the locale ${name} is not available on this "
                        "machine; make it with ${make} or install the system's locales package; "
                        "then configure again")
  elseif(built)
    set(_TRESK_LOCALE_${id} TRUE CACHE INTERNAL "the C library can set the locale ${name}")
  endif()
endfunction()

# _tresk_chartables_name(<var> <prefix> <path>): a name for the path, of its own whatever
# characters it holds: the hash keeps apart paths that read alike as identifiers ("out dir"
# and out_dir).
function(_tresk_chartables_name var prefix path)
  file(RELATIVE_PATH shown "${CMAKE_BINARY_DIR}" "${path}")
  string(MAKE_C_IDENTIFIER "${prefix}_${shown}" name)
  string(MD5 hash "${path}")
  string(SUBSTRING "${hash}" 0 8 hash)
  set(${var} "${name}_${hash}" PARENT_SCOPE)
endfunction()

# _tresk_chartables_wait(<target> <output>): makes <target> wait for the writer of <output>,
# and see it as generated in its own directory (from CMake 3.20 every directory does).
function(_tresk_chartables_wait target output)
  get_property(writer GLOBAL PROPERTY "_tresk_chartables_writer ${output}")
  add_dependencies(${target} ${writer})
  if(NOT CMAKE_VERSION VERSION_LESS 3.18)
    set_source_files_properties("${output}" TARGET_DIRECTORY ${target} PROPERTIES GENERATED ON)
  endif()
endfunction()

# Run once at the end of configuring: every target of the build, in any directory, that
# lists a tables file among its sources waits for its writer. Under Make a target that
# compiles a generated file without depending on its writer finds no rule for it, or writes
# it itself. A relative source is found in the binary directory (generated) or the source one.
function(_tresk_chartables_find_readers)
  get_property(outputs GLOBAL PROPERTY _tresk_chartables_outputs)
  set(directories "${CMAKE_SOURCE_DIR}")
  while(directories)
    list(POP_FRONT directories directory)
    get_property(subdirectories DIRECTORY "${directory}" PROPERTY SUBDIRECTORIES)
    list(APPEND directories ${subdirectories})
    get_property(targets DIRECTORY "${directory}" PROPERTY BUILDSYSTEM_TARGETS)
    get_property(binary_dir DIRECTORY "${directory}" PROPERTY BINARY_DIR)
    foreach(target IN LISTS targets)
      get_target_property(sources ${target} SOURCES)
      foreach(source IN LISTS sources)
        get_filename_component(generated "${source}" ABSOLUTE BASE_DIR "${binary_dir}")
        get_filename_component(given "${source}" ABSOLUTE BASE_DIR "${directory}")
        foreach(path IN ITEMS "${generated}" "${given}")
          list(FIND outputs "${path}" at)  # not IN_LIST: the caller's policies apply
          if(at GREATER -1)
            _tresk_chartables_wait(${target} "${path}")
          endif()
        endforeach()
      endforeach()
    endforeach()
  endwhile()
endfunction()
