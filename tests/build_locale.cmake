# Compiles the 8-bit test locale into the build tree in the byte order of the machine that
# reads it (ORDER: BIG_ENDIAN or LITTLE_ENDIAN) and, for a cross build's host program, into
# HOST_DIR in this machine's own:
#   cmake -DLOCALEDEF=... -DDIR=... -DORDER=... [-DHOST_DIR=...] -P build_locale.cmake
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
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
build_locale("${DIR}" ${option_${ORDER}})
if(HOST_DIR)
  build_locale("${HOST_DIR}")
endif()
