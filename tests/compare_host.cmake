# Runs the host-built and the emulated program on the same command lines and compares
# what they write, in "C" and in the test-built 8-bit locale (from LOCALES for the target,
# HOST_LOCALES for the host, each in its own byte order):
#   cmake -DHOST=... -DPROGRAM=... -DEMULATOR="..." -DDIR=... -DLOCALES=... -DHOST_LOCALES=...
#         -P compare_host.cmake
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
cmake_policy(VERSION 3.16...4.3)  # quoted words are words, not variables
include("${CMAKE_CURRENT_LIST_DIR}/checks.cmake")

separate_arguments(emulator UNIX_COMMAND "${EMULATOR}")
# Each side's command line and locales.
set(host_run ${HOST})
set(host_locales ${HOST_LOCALES})
set(target_run ${emulator} ${PROGRAM})
set(target_locales ${LOCALES})
file(REMOVE_RECURSE ${DIR})
file(MAKE_DIRECTORY ${DIR})

set(environments "C")
if(EXISTS ${LOCALES}/tr_TR.ISO-8859-9/LC_CTYPE)
  list(APPEND environments "tr_TR.ISO-8859-9")
else()
  message(STATUS "the 8-bit test locale was not built for the target: compared in the \"C\" locale only")
endif()

foreach(locale IN LISTS environments)
  foreach(mode source binary)
    set(options -L)
    if(mode STREQUAL "binary")
      list(APPEND options -b)
    endif()
    foreach(side host target)
      run_checked(ignored "${side} program in ${locale} (${mode})"
                  ${CMAKE_COMMAND} -E env LOCPATH=${${side}_locales} LC_ALL=${locale}
                  ${${side}_run} ${options} ${DIR}/${side}.${locale}.${mode})
    endforeach()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
                    ${DIR}/host.${locale}.${mode} ${DIR}/target.${locale}.${mode}
                    RESULT_VARIABLE differ)
    if(differ)
      message(FATAL_ERROR "the programs' ${mode} outputs differ in ${locale}")
    endif()
    message(STATUS "${locale}, ${mode}: host and target outputs are identical")
  endforeach()
endforeach()

# The texts and statuses match too: usage, misuse, and a file that cannot be opened. Wine's
# text streams end lines with \r\n, and an emulator may say something of its own first.
set(no_folder "${DIR}/no folder/x.c")
foreach(line "--help" "-x" "-b" "a;b" "${no_folder}" "-L;-b;${no_folder}")
  foreach(side host target)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C ${${side}_run} ${line}
                    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    string(REPLACE "\r\n" "\n" ${side} "status ${status}, stdout [${out}]")
    string(REPLACE "\r\n" "\n" ${side}_err "${err}")
  endforeach()
  string(LENGTH "${host_err}" length)
  string(LENGTH "${target_err}" target_length)
  math(EXPR own "${target_length} - ${length}")
  if(own GREATER 0)
    string(SUBSTRING "${target_err}" ${own} -1 target_err)
  endif()
  if(NOT host STREQUAL target OR NOT host_err STREQUAL target_err)
    message(FATAL_ERROR "the programs differ on '${line}':\n"
                        "host: ${host}, stderr [${host_err}]\ntarget: ${target}, stderr [${target_err}]")
  endif()
endforeach()
message(STATUS "host and target texts and statuses are identical")
