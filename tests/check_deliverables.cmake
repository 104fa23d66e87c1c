# Checks the deliverables by their files, as the target's tools read them: the ELF object
# and program (readelf) for the processor and system, the program static where it was
# linked so; or the macOS Mach-O object and program (llvm's otool and nm), for PROCESSOR
# (arm64 or x86_64): cmake -P check_deliverables.cmake
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
include("${CMAKE_CURRENT_LIST_DIR}/checks.cmake")
# Run from Zig's build, the check finds the tools itself: LLVM's read every format.
foreach(tool READELF NM OTOOL)
  string(TOLOWER "${tool}" name)
  if(NOT ${tool})
    find_program(${tool} NAMES llvm-${name} llvm-${name}-21 llvm-${name}-20 llvm-${name}-19
                 llvm-${name}-18 llvm-${name}-17 llvm-${name}-16 llvm-${name}-15 llvm-${name}-14 ${name})
  endif()
endforeach()

# The object needs nothing from elsewhere (but a sanitizer's runtime, in such a build).
run_checked(undefined "nm -u object" ${NM} -u "${OBJECT}")
if(NOT undefined STREQUAL "" AND NOT C_FLAGS MATCHES "-fsanitize=")
  message(FATAL_ERROR "the object needs symbols from elsewhere:\n${undefined}")
endif()

if(SYSTEM STREQUAL "Darwin")
  # A relocatable Mach-O object whose writer is a private external, which no dylib exports,
  # and a program for the same processor that links Apple's C library dynamically.
  string(TOUPPER "${PROCESSOR}" cpu)
  string(REPLACE "AARCH64" "ARM64" cpu "${cpu}")
  run_checked(header "otool -hv object" ${OTOOL} -hv "${OBJECT}")
  expect("${header}" "MH_MAGIC_64 +${cpu} .* OBJECT " "object type and processor")
  run_checked(symbols "nm -m object" ${NM} -m "${OBJECT}")
  expect("${symbols}" "[(]__TEXT,__text[)] private external __tresk_ord2utf_32\n" "writer symbol")
  run_checked(header "otool -hv program" ${OTOOL} -hv "${CHARSMITH}")
  expect("${header}" "MH_MAGIC_64 +${cpu} .* EXECUTE " "program type and processor")
  run_checked(libraries "otool -L program" ${OTOOL} -L "${CHARSMITH}")
  expect("${libraries}" "/usr/lib/libSystem.B.dylib" "the program's C library")
  message(STATUS "Mach-O ${cpu}: the object's __tresk_ord2utf_32 is a private external; the program links libSystem")
  return()
endif()

# The object: an ELF relocatable for the processor that defines the writer, hidden.
set(machines "aarch64|AArch64" "x86_64|X86-64" "s390x|IBM S/390")
list(FILTER machines INCLUDE REGEX "^${PROCESSOR}[|]")
if(NOT machines)
  message(FATAL_ERROR "no ELF machine is known here for ${PROCESSOR}")
endif()
string(REGEX REPLACE "^[^|]*[|]" "" machine "${machines}")
run_checked(header "readelf -h object" ${READELF} -hW "${OBJECT}")
expect("${header}" "Class: +ELF64" "object class")
expect("${header}" "Type: +REL " "object type")
expect("${header}" "Machine: +[^\n]*${machine}" "object machine")
run_checked(symbols "readelf -s object" ${READELF} -sW "${OBJECT}")
set(size "[0-9]+")
if(machine STREQUAL "AArch64")
  set(size 12)  # three four-byte instructions, a store, a move and a return
endif()
expect("${symbols}" " ${size} FUNC +GLOBAL +HIDDEN +[0-9]+ _tresk_ord2utf_32\n" "writer symbol")
message(STATUS "${OBJECT}: ELF64 ${machine} relocatable; _tresk_ord2utf_32 FUNC GLOBAL HIDDEN; nothing undefined")

# The program: an executable for the processor and the system (FreeBSD and NetBSD say theirs
# in a note, and FreeBSD's own linker in the header too), that loads nothing where it was
# linked statically.
run_checked(header "readelf -h program" ${READELF} -hW "${CHARSMITH}")
expect("${header}" "Machine: +[^\n]*${machine}" "program machine")
run_checked(notes "readelf -n program" ${READELF} -nW "${CHARSMITH}")
if(SYSTEM STREQUAL "FreeBSD")
  expect("${header}\n${notes}" "OS/ABI: +[^\n]*FreeBSD|\n +FreeBSD +0x[0-9a-f]+[ \t]+NT_FREEBSD_" "the program's system")
elseif(SYSTEM STREQUAL "NetBSD")
  expect("${notes}" "notes found in: .note.netbsd.ident\n[^\n]*\n +NetBSD " "the program's system")
endif()
run_checked(segments "readelf -l program" ${READELF} -lW "${CHARSMITH}")
set(linked dynamically)
if(STATIC)
  set(linked statically)
  if(segments MATCHES "INTERP|DYNAMIC")
    message(FATAL_ERROR "${CHARSMITH} is not statically linked:\n${segments}")
  endif()
elseif(NOT segments MATCHES "INTERP")
  message(FATAL_ERROR "${CHARSMITH} was to be linked dynamically:\n${segments}")
endif()
message(STATUS "${CHARSMITH}: ${SYSTEM} ${machine} executable, linked ${linked}")
