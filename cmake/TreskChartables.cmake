# tresk_chartables(<output> [BINARY] [LOCALE <name>] [TARGETS <target>...])
#
# Writes <output> (relative paths are taken in the current binary directory) with
# tresk_charsmith: the character tables as C source, or with BINARY as the raw 1088 bytes.
# With LOCALE the program runs with -L and LC_ALL set to <name>.
#
# One target per directory, built by default, writes the tables files asked for there
# (tresk_chartables in the top directory). Every target that compiles or reads one
# must depend on that one, so that however many of them there are, the file is written once
# and never while one of them reads it: from CMake 3.19 the targets, in any directory, that
# list the file among their sources are found at the end of configuring; TARGETS names
# others (and, before 3.19, all of them). The program writes beside the output and the
# output is replaced only when its bytes change, so that nothing that compiles it is rebuilt
# for identical tables. It is written again when the program changes and never otherwise.
#
# Which program runs is chosen in TreskCharsmithProgram.cmake; the rule runs
# TreskChartablesStep.cmake as a script.
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors

include("${CMAKE_CURRENT_LIST_DIR}/TreskChartablesStep.cmake")
include("${CMAKE_CURRENT_LIST_DIR}/TreskCharsmithProgram.cmake")
set_property(GLOBAL PROPERTY _tresk_chartables_step "${CMAKE_CURRENT_LIST_DIR}/TreskChartablesStep.cmake")

function(tresk_chartables output)
  cmake_parse_arguments(PARSE_ARGV 1 arg "BINARY" "LOCALE" "TARGETS")
  get_filename_component(output "${output}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_BINARY_DIR}")
  file(RELATIVE_PATH shown "${CMAKE_BINARY_DIR}" "${output}")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "tresk_chartables(${shown}): unexpected arguments \"${arg_UNPARSED_ARGUMENTS}\"; "
                        "the options are BINARY, LOCALE <name> and TARGETS <target>...")
  endif()
  # LOCALE with nothing after it or an empty value, however this CMake parses that.
  list(FIND ARGN LOCALE locale_given)
  if(locale_given GREATER -1 AND "${arg_LOCALE}" STREQUAL "")
    message(FATAL_ERROR "tresk_chartables(${shown}): LOCALE needs a locale name, such as "
                        "LOCALE fr_FR.ISO-8859-1; leave LOCALE out for the tables of the \"C\" locale")
  endif()
  # CMake writes such an output into its build files unescaped, and the build then fails
  # far from here, or not at all but for another file.
  if(output MATCHES "#")
    message(FATAL_ERROR "tresk_chartables(${shown}): the path holds '#', which CMake cannot "
                        "carry in a custom command's output; write the tables in a folder without it")
  endif()

  # One rule per output: a second call with the same options only adds its targets.
  set(asked_with "")
  if(arg_BINARY)
    list(APPEND asked_with BINARY)
  endif()
  if(DEFINED arg_LOCALE)
    list(APPEND asked_with LOCALE ${arg_LOCALE})
  endif()
  string(REPLACE ";" " " asked_with "${asked_with}")
  if(asked_with STREQUAL "")
    set(asked_with "no options")
  endif()
  get_property(asked GLOBAL PROPERTY "_tresk_chartables ${output}" SET)
  if(asked)
    get_property(earlier GLOBAL PROPERTY "_tresk_chartables ${output}")
    if(NOT earlier STREQUAL asked_with)
      message(FATAL_ERROR "tresk_chartables(${shown}): asked for twice, with ${earlier} and "
                          "with ${asked_with}; give each set of options its own output file")
    endif()
  else()
    set_property(GLOBAL PROPERTY "_tresk_chartables ${output}" "${asked_with}")
    set_property(GLOBAL APPEND PROPERTY _tresk_chartables_outputs "${output}")
    _tresk_chartables_rule("${output}" "${shown}")
  endif()
  foreach(target IN LISTS arg_TARGETS)
    _tresk_chartables_wait(${target} "${output}")
  endforeach()
  get_property(scheduled GLOBAL PROPERTY _tresk_chartables_scheduled SET)
  if(NOT scheduled AND NOT CMAKE_VERSION VERSION_LESS 3.19)
    set_property(GLOBAL PROPERTY _tresk_chartables_scheduled ON)
    cmake_language(DEFER DIRECTORY "${CMAKE_SOURCE_DIR}" CALL _tresk_chartables_find_readers)
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

# Run once at the end of configuring: every target of the build, in any directory, that lists
# a tables file among its sources waits for its writer. Under Make a target that compiles a
# generated file without depending on its writer finds no rule for it, or writes it itself.
function(_tresk_chartables_find_readers)
  get_property(outputs GLOBAL PROPERTY _tresk_chartables_outputs)
  set(directories "${CMAKE_SOURCE_DIR}")
  while(directories)
    list(POP_FRONT directories directory)
    get_property(subdirectories DIRECTORY "${directory}" PROPERTY SUBDIRECTORIES)
    list(APPEND directories ${subdirectories})
    get_property(targets DIRECTORY "${directory}" PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      _tresk_chartables_sources(sources ${target})
      foreach(output IN LISTS outputs)
        list(FIND sources "${output}" at)  # not IN_LIST: the caller's policies apply
        if(at GREATER -1)
          _tresk_chartables_wait(${target} "${output}")
        endif()
      endforeach()
    endforeach()
  endwhile()
endfunction()

# _tresk_chartables_sources(<var> <target>): the full paths that the target's sources may
# name: a relative name is found in the binary directory (generated) or the source one.
function(_tresk_chartables_sources var target)
  get_target_property(sources ${target} SOURCES)
  get_target_property(source_dir ${target} SOURCE_DIR)
  get_target_property(binary_dir ${target} BINARY_DIR)
  set(paths "")
  foreach(source IN LISTS sources)
    if(NOT source MATCHES "[$]<")
      get_filename_component(generated "${source}" ABSOLUTE BASE_DIR "${binary_dir}")
      get_filename_component(given "${source}" ABSOLUTE BASE_DIR "${source_dir}")
      list(APPEND paths "${generated}" "${given}")
    endif()
  endforeach()
  set(${var} "${paths}" PARENT_SCOPE)
endfunction()

# The rule itself, for tresk_chartables(): arg_BINARY and arg_LOCALE come from the caller.
function(_tresk_chartables_rule output shown)
  _tresk_chartables_name(name tresk_tables "${output}")
  _tresk_charsmith_command(program depends hint)
  set(options "")
  if(hint)
    list(APPEND options "-DTRESK_HINT=${hint}")
  endif()
  if(arg_BINARY)
    list(APPEND options -DTRESK_BINARY=1)
  endif()
  if(DEFINED arg_LOCALE)
    list(APPEND options "-DTRESK_LOCALE=${arg_LOCALE}")
    _tresk_check_locale("${arg_LOCALE}" "${shown}")
  endif()
  get_property(script GLOBAL PROPERTY _tresk_chartables_step)
  set(stamp "${CMAKE_CURRENT_BINARY_DIR}/CMakeFiles/${name}.stamp")
  # The stamp records that the rule ran, so that tables left as they were (their time
  # included) do not make it run again. Ninja knows the output as the rule's byproduct and
  # runs the rule again when the file is gone. Make knows no byproducts: there the output
  # is a file with a rule of its own that does nothing, which Make takes as done over when
  # the file is missing, and so runs the stamp's rule once more.
  set(byproducts BYPRODUCTS "${output}")
  set(output_rule "")
  if(CMAKE_GENERATOR MATCHES "Makefiles")
    add_custom_command(OUTPUT "${output}" COMMENT "")
    set(byproducts "")
    set(output_rule "${output}")
  endif()
  add_custom_command(
    OUTPUT "${stamp}"
    ${byproducts}
    COMMAND ${CMAKE_COMMAND} "-DTRESK_RUN=${program}" "-DTRESK_OUTPUT=${output}"
            "-DTRESK_STAMP=${stamp}" ${options} -P "${script}"
    DEPENDS ${depends} "${script}" ${output_rule}
    COMMENT "Writing character tables ${shown}"
    VERBATIM)
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
  if(NOT EXISTS "${source}")
    file(WRITE "${source}" "#include <locale.h>\nint main(int argc, char **argv) {\n"
                           "  return argc == 2 && setlocale(LC_ALL, argv[1]) ? 0 : 1;\n}\n")
  endif()
  try_run(runs compiles "${CMAKE_BINARY_DIR}/CMakeFiles/tresk_locale_check" "${source}"
          ARGS "${name}")
  set(status "${runs}")
  set(built "${compiles}")
  unset(runs CACHE)
  unset(compiles CACHE)
  if(NOT built)
    return()
  endif()
  if(NOT status EQUAL 0)
    _tresk_missing_locale(advice "${name}")
    message(FATAL_ERROR "tresk_chartables(${shown}): ${advice}; then configure again")
  endif()
  set(_TRESK_LOCALE_${id} TRUE CACHE INTERNAL "the C library can set the locale ${name}")
endfunction()

