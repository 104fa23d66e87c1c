# The build step of one tables file, run by the rule that tresk_chartables() adds:
#   cmake -DTRESK_RUN=<[emulator...;]program> -DTRESK_OUTPUT=<file> -DTRESK_STAMP=<file>
#         [-DTRESK_BINARY=1] [-DTRESK_LOCALE=<name>] [-DTRESK_HINT=<text>] -P TreskChartablesStep.cmake
# TRESK_HINT follows the line that says the program did not run or wrote nothing.
# The program writes beside the output, which is replaced only when its bytes change. When
# included, this file only defines _tresk_missing_locale(), which configuring uses too.
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors

# _tresk_missing_locale(<var> <name>): says that the locale <name> is missing, and how to
# make it.
function(_tresk_missing_locale var name)
  string(REGEX REPLACE "^([^.@]+)[.]([^@]+).*" "localedef -i \\1 -f \\2 ${name}" command "${name}")
  if(command STREQUAL name)
    set(command "localedef")
  endif()
  set(${var} "the locale ${name} is not available on this machine; make it with ${command} or install the system's locales package" PARENT_SCOPE)
endfunction()

if(NOT CMAKE_SCRIPT_MODE_FILE OR NOT DEFINED TRESK_OUTPUT)
  return()
endif()

set(command ${TRESK_RUN})
if(TRESK_BINARY)
  list(APPEND command -b)
endif()
if(DEFINED TRESK_LOCALE)
  set(ENV{LC_ALL} "${TRESK_LOCALE}")
  list(APPEND command -L)
endif()
set(new "${TRESK_OUTPUT}.new")
get_filename_component(folder "${TRESK_OUTPUT}" DIRECTORY)
file(MAKE_DIRECTORY "${folder}")
file(REMOVE "${new}")
execute_process(COMMAND ${command} "${new}" RESULT_VARIABLE status ERROR_VARIABLE errors)
# An emulator that cannot start, or runs nothing, may still exit 0: the file written is
# what counts.
if(status EQUAL 0 AND NOT EXISTS "${new}")
  set(status "exit status 0, without writing it")
endif()
if(NOT status EQUAL 0)
  # No tables at all rather than those of an earlier run: nothing stale can be compiled.
  file(REMOVE "${new}" "${TRESK_OUTPUT}" "${TRESK_STAMP}")
  string(STRIP "${errors}" errors)
  if(DEFINED TRESK_LOCALE AND errors MATCHES "setlocale\\(\\) failed")
    _tresk_missing_locale(missing "${TRESK_LOCALE}")
    set(errors "tresk_chartables: cannot write ${TRESK_OUTPUT}: ${missing}")
  elseif(NOT errors MATCHES "^tresk_charsmith: " OR NOT status MATCHES "^[0-9]+$")
    # Not the program's own line: it did not run, and the command is what to look at.
    list(JOIN command " " ran)
    set(errors "tresk_chartables: cannot write ${TRESK_OUTPUT}: ${ran} ended with ${status}${TRESK_HINT}")
  endif()
  # The line alone where CMake can end a script so; else under CMake's heading, kept
  # whole (an indented line is not wrapped).
  if(NOT CMAKE_VERSION VERSION_LESS 3.29)
    message("${errors}")
    cmake_language(EXIT 1)
  endif()
  message(FATAL_ERROR " ${errors}")
endif()
# Identical tables keep the file as it was, its time included.
file(SHA256 "${new}" written)
set(current "")
if(EXISTS "${TRESK_OUTPUT}")
  file(SHA256 "${TRESK_OUTPUT}" current)
endif()
if(written STREQUAL current)
  file(REMOVE "${new}")
else()
  file(RENAME "${new}" "${TRESK_OUTPUT}")
endif()
file(TOUCH "${TRESK_STAMP}")
