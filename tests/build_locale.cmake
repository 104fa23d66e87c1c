# Compiles the 8-bit test locale into LOCALES in the byte order of the target that reads it
# and, for a cross build's copy for the build machine, into HOST_LOCALES in this machine's
# own: cmake -P build_locale.cmake
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
include("${CMAKE_CURRENT_LIST_DIR}/checks.cmake")

function(build_locale dir)  # ARGN: the byte-order option of localedef
  file(MAKE_DIRECTORY "${dir}")
  execute_process(
    COMMAND "${LOCALEDEF}" ${ARGN} -i tr_TR -f ISO-8859-9 "${dir}/tr_TR.ISO-8859-9"
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "localedef failed (${result}) building ${dir}/tr_TR.ISO-8859-9")
  endif()
endfunction()

set(option_BIG_ENDIAN --big-endian)
set(option_LITTLE_ENDIAN --little-endian)
build_locale("${LOCALES}" ${option_${BYTE_ORDER}})
if(HOST_LOCALES)
  build_locale("${HOST_LOCALES}")
endif()
