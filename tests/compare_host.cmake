# Runs the host-built and the emulated program on the same command lines and compares
# what they write, in "C" and in the test-built 8-bit locale (from LOCALES for the target,
# HOST_LOCALES for the host, each in its own byte order):
#   cmake -DHOST=... -DPROGRAM=... -DEMULATOR="..." -DDIR=... -DLOCALES=... -DHOST_LOCALES=...
#         -P compare_host.cmake
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
include("${CMAKE_CURRENT_LIST_DIR}/checks.cmake")

separate_arguments(emulator UNIX_COMMAND "${EMULATOR}")
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
      if(side STREQUAL "host")
        set(run ${HOST})
        set(locpath ${HOST_LOCALES})
      else()
        set(run ${emulator} ${PROGRAM})
        set(locpath ${LOCALES})
      endif()
      run_checked(ignored "${side} program in ${locale} (${mode})"
                  ${CMAKE_COMMAND} -E env LOCPATH=${locpath} LC_ALL=${locale}
                  ${run} ${options} ${DIR}/${side}.${locale}.${mode})
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
