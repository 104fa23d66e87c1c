# Checks the deliverables of a cross build by their files, as the target's tools read them:
# the AArch64 ELF object and static program (binutils), or the macOS Mach-O object and
# program (llvm's otool and nm), for PROCESSOR (aarch64, arm64 or x86_64):
#   cmake -DFORMAT=ELF -DREADELF=... -DNM=... -DOBJECT=... [-DPROGRAM=...] -P check_deliverables.cmake
#   cmake -DFORMAT=MACHO -DOTOOL=... -DNM=... -DPROCESSOR=... -DOBJECT=... -DPROGRAM=...
#         -P check_deliverables.cmake
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
include("${CMAKE_CURRENT_LIST_DIR}/checks.cmake")

# The object needs nothing from elsewhere.
run_checked(undefined "nm -u object" ${NM} -u ${OBJECT})
if(NOT undefined STREQUAL "")
  message(FATAL_ERROR "the object needs symbols from elsewhere:\n${undefined}")
endif()

if(FORMAT STREQUAL "MACHO")
  # A relocatable Mach-O object whose writer is a private external, which no dylib exports,
  # and a program for the same processor that links Apple's C library dynamically.
  string(TOUPPER "${PROCESSOR}" cpu)
  string(REPLACE "AARCH64" "ARM64" cpu "${cpu}")
  run_checked(header "otool -hv object" ${OTOOL} -hv ${OBJECT})
  expect("${header}" "MH_MAGIC_64 +${cpu} .* OBJECT " "object type and processor")
  run_checked(symbols "nm -m object" ${NM} -m ${OBJECT})
  expect("${symbols}" "[(]__TEXT,__text[)] private external __tresk_ord2utf_32\n" "writer symbol")
  run_checked(header "otool -hv program" ${OTOOL} -hv ${PROGRAM})
  expect("${header}" "MH_MAGIC_64 +${cpu} .* EXECUTE " "program type and processor")
  run_checked(libraries "otool -L program" ${OTOOL} -L ${PROGRAM})
  expect("${libraries}" "/usr/lib/libSystem.B.dylib" "the program's C library")
  message(STATUS "Mach-O ${cpu}: the object's __tresk_ord2utf_32 is a private external; the program links libSystem")
  return()
endif()

# The object: an ELF64 AArch64 relocatable that defines the writer.
run_checked(header "readelf -h object" ${READELF} -hW ${OBJECT})
expect("${header}" "Class: +ELF64" "object class")
expect("${header}" "Type: +REL " "object type")
expect("${header}" "Machine: +AArch64" "object machine")
run_checked(symbols "readelf -s object" ${READELF} -sW ${OBJECT})
# Size 12: three four-byte instructions, a store, a move and a return.
expect("${symbols}" " 12 FUNC +GLOBAL +HIDDEN +[0-9]+ _tresk_ord2utf_32\n" "writer symbol")
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
