# Checks the AArch64 deliverables with the cross binutils:
#   cmake -DREADELF=... -DNM=... -DOBJECT=... [-DPROGRAM=...] -P check_aarch64.cmake
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
include("${CMAKE_CURRENT_LIST_DIR}/checks.cmake")

# The object: an ELF64 AArch64 relocatable that defines the writer and needs nothing.
run_checked(header "readelf -h object" ${READELF} -hW ${OBJECT})
expect("${header}" "Class: +ELF64" "object class")
expect("${header}" "Type: +REL " "object type")
expect("${header}" "Machine: +AArch64" "object machine")
run_checked(symbols "readelf -s object" ${READELF} -sW ${OBJECT})
# Size 12: three four-byte instructions, a store, a move and a return.
expect("${symbols}" " 12 FUNC +GLOBAL +HIDDEN +[0-9]+ _tresk_ord2utf_32\n" "writer symbol")
run_checked(undefined "nm -u object" ${NM} -u ${OBJECT})
if(NOT undefined STREQUAL "")
  message(FATAL_ERROR "the object needs symbols from elsewhere:\n${undefined}")
endif()
message(STATUS "${OBJECT}: ELF64 AArch64 relocatable; _tresk_ord2utf_32 FUNC GLOBAL HIDDEN, 12 bytes; nothing undefined")

# The program: an AArch64 executable that loads nothing.
if(PROGRAM)
  run_checked(header "readelf -h program" ${READELF} -hW ${PROGRAM})
  expect("${header}" "Machine: +AArch64" "program machine")
  run_checked(segments "readelf -l program" ${READELF} -lW ${PROGRAM})
  if(segments MATCHES "INTERP|DYNAMIC")
    message(FATAL_ERROR "${PROGRAM} is not statically linked:\n${segments}")
  endif()
  message(STATUS "${PROGRAM}: static AArch64 executable")
endif()
