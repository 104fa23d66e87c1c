# Helpers of the check scripts run with cmake -P, and the facts of the tools' build that
# they read: tests/CMakeLists.txt writes them into facts.cmake in the folder the tests run in.
# A name given to the script (-D, or by the script that runs it) wins over the fact.
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors

function(fact name value)
  if(NOT DEFINED ${name})
    set(${name} "${value}" PARENT_SCOPE)
  endif()
endfunction()
include("${CMAKE_CURRENT_BINARY_DIR}/facts.cmake" OPTIONAL)
# Zig's build names the system and processor its own way, and the paths relative to the
# folder the check runs in.
include("${CMAKE_CURRENT_LIST_DIR}/../cmake/TreskPlatform.cmake")
tresk_platform(platform "${SYSTEM}" "${PROCESSOR}")
set(SYSTEM "${platform_SYSTEM}")
set(PROCESSOR "${platform_PROCESSOR}")
foreach(path DIR CHARSMITH OBJECT)
  if(NOT "${${path}}" STREQUAL "")
    get_filename_component(${path} "${${path}}" ABSOLUTE)
  endif()
endforeach()

# The tree that installed_install stages, which the other installed routes build from: the
# staged prefix, and where INSTALLED holds no space itself, the same tree reached through a
# folder that holds one, where Make and configure must stop at once; in a cross build, the
# build machine's program on the PATH, in a folder named as users name theirs.
set(prefix /opt/tresk)
set(staged "${INSTALLED}/stage${prefix}")
set(roots "${INSTALLED}/stage")
if(NOT INSTALLED MATCHES " ")
  list(APPEND roots "${INSTALLED}/${SPACED_FOLDER}")
endif()
set(build_machine "${INSTALLED}/${SPACED_FOLDER}/build machine/bin")
# What a Makefile or automake cannot carry, as a bracket expression of the characters that
# the tools' macros list (quadrigraphs for brackets, each character quoted; the line break
# left out, which no path here holds).
file(READ "${CMAKE_CURRENT_LIST_DIR}/../cmake/tresk-tools.m4" unsafe)
string(REGEX REPLACE ".*m4_define[(][[]_TRESK_PREREQUISITE_UNSAFE[]],\n[[]([^\n]*)[]][)].*" "\\1"
       unsafe "${unsafe}")
string(REPLACE "\"$as_nl\" " "" unsafe "${unsafe}")
string(REPLACE "'@:>@' " "" unsafe "${unsafe}")
string(REPLACE "@<:@" "[" unsafe "${unsafe}")
string(REGEX REPLACE "['\"](.)['\"] ?" "\\1" unsafe "]${unsafe}")
set(unsafe "[${unsafe}]")
# Lists as one shell word each, for Make, configure and Meson.
list(JOIN LINK_FLAGS " " link_flags)
list(JOIN EMULATOR " " emulator_line)

# run_checked(<var> <what> <command>...): runs the command, stops the check with its output
# if it fails, and leaves its standard output in <var>.
function(run_checked var what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed (${rc}):\n${out}${err}")
  endif()
  set(${var} "${out}" PARENT_SCOPE)
endfunction()

# expect(<text> <pattern> <what>): stops the check unless the text matches.
function(expect text pattern what)
  if(NOT text MATCHES "${pattern}")
    message(FATAL_ERROR "${what}: expected /${pattern}/ in\n${text}")
  endif()
endfunction()

# expect_failure(<what> <pattern> <command>...): stops the check unless the command fails
# and prints something that matches. CMake wraps its messages at widths that depend on the
# paths in them, so every run of white space in the output counts as one space.
function(expect_failure what pattern)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(REGEX REPLACE "[ \t\n]+" " " printed "${out}${err}")
  if(rc EQUAL 0 OR NOT printed MATCHES "${pattern}")
    message(FATAL_ERROR "${what}: expected a failure with /${pattern}/, got ${rc}:\n${out}${err}")
  endif()
endfunction()

# expect_outcome(<what> <pattern> <command>...): with no pattern the command must succeed,
# as with run_checked; with one it must fail, as with expect_failure.
function(expect_outcome what pattern)
  if(pattern STREQUAL "")
    run_checked(ignored "${what}" ${ARGN})
  else()
    expect_failure("${what}" "${pattern}" ${ARGN})
  endif()
endfunction()

# literal(<var> <text>): the text as a regular expression that matches it alone; paths hold
# '$', '(' and the like.
function(literal var text)
  string(REGEX REPLACE "([][^$.*+?()|\\\\])" "\\\\\\1" text "${text}")
  set(${var} "${text}" PARENT_SCOPE)
endfunction()

# snippet(<var> <document> <first line>): the fenced block of a Markdown document that starts
# with that line, without it, up to its closing fence.
function(snippet var document first)
  file(READ "${document}" text)
  string(FIND "${text}" "\n${first}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${document} has no snippet that starts with \"${first}\"")
  endif()
  string(LENGTH "\n${first}\n" skip)
  math(EXPR at "${at} + ${skip}")
  string(SUBSTRING "${text}" ${at} -1 text)
  string(FIND "${text}" "\n```" end)
  string(SUBSTRING "${text}" 0 ${end} text)
  set(${var} "${text}\n" PARENT_SCOPE)
endfunction()

# example_snippet(<var> <document> <first line> <file>): the snippet, which must be the file
# of the example after its opening comments: a document that shows TRESK's own files.
function(example_snippet var document first file)
  snippet(text "${document}" "${first}")
  file(READ "${file}" example)
  string(REGEX REPLACE "^((dnl|#)[^\n]*\n)+" "" example "${example}")
  if(NOT example STREQUAL text)
    message(FATAL_ERROR "${document}'s \"${first}\" is not ${file}:\n${text}")
  endif()
  set(${var} "${text}" PARENT_SCOPE)
endfunction()

# files_below(<var> <folder>): every file below the folder, relative to it; the folder's own
# name is no pattern, whatever it holds ('[', '*', '?').
function(files_below var folder)
  string(REGEX REPLACE "([[*?])" "[\\1]" pattern "${folder}")
  file(GLOB_RECURSE files RELATIVE "${folder}" "${pattern}/*")
  set(${var} "${files}" PARENT_SCOPE)
endfunction()

# expect_nothing_names(<folder> <what> <path>...): no file below the folder holds one of the
# paths, as nothing packaged names the machine that made it.
function(expect_nothing_names folder what)
  list(FILTER ARGN EXCLUDE REGEX "^$")
  list(TRANSFORM ARGN REPLACE "([][^$.*+?()|\\\\])" "\\\\\\1" OUTPUT_VARIABLE paths)
  list(JOIN paths "|" pattern)
  files_below(files "${folder}")
  foreach(file IN LISTS files)
    file(STRINGS "${folder}/${file}" named REGEX "${pattern}")
    if(named)
      message(FATAL_ERROR "${what}'s ${file} names this machine's ${named}")
    endif()
  endforeach()
endfunction()

# files_differ(<var> <file> <file>): whether the two files' bytes differ (or either is missing).
function(files_differ var first second)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${first}" "${second}"
                  RESULT_VARIABLE differ)
  set(${var} ${differ} PARENT_SCOPE)
endfunction()

# fresh_project(<folder>): a fresh C project with the README's tresk_internal.h.
function(fresh_project folder)
  file(REMOVE_RECURSE "${folder}")
  snippet(header "${TOOLS}/README.md" "/* tresk_internal.h */")
  file(WRITE "${folder}/tresk_internal.h" "${header}")
endfunction()

# check_library(<archive> <folder>): the library holds the tables and the writer, and a
# program linked with it, with tresk_internal.h from the folder, reads tables equal to the
# program's and calls the writer; through the emulator, where the target's programs run.
function(check_library archive include)
  run_checked(symbols "nm ${archive}" ${NM} "${archive}")
  expect("${symbols}" " [DRT] _tresk_default_tables\n" "the tables in ${archive}")
  expect("${symbols}" " T _tresk_ord2utf_32\n" "the writer in ${archive}")
  separate_arguments(cc UNIX_COMMAND "${TARGET_CC} ${C_FLAGS} ${link_flags}")
  get_filename_component(folder "${archive}" DIRECTORY)
  run_checked(ignored "a program linked with ${archive}" ${cc} -I "${include}" -o "${folder}/check${EXE}"
              "${TOOLS}/examples/library/example_check.c" "${archive}")
  if(TARGET_RUNS)
    run_checked(ignored "the program's tables" ${EMULATOR} "${CHARSMITH}" -b "${folder}/tables.bin")
    run_checked(ignored "the program linked with ${archive}" ${EMULATOR} "${folder}/check${EXE}"
                "${folder}/tables.bin")
  endif()
  message(STATUS "${archive}: the tables and the writer, read and called")
endfunction()

# copy_tools(<tools> <folder>): what a library's copy of the tools (its tools/ folder)
# holds, as tools-tree.txt lists it, copied from the tools' tree into the folder.
function(copy_tools tools folder)
  file(STRINGS "${tools}/tools-tree.txt" names REGEX "^[^#]")
  list(TRANSFORM names PREPEND "${tools}/")
  file(COPY ${names} DESTINATION "${folder}")
endfunction()
