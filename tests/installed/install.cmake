# Installs the tools' build tree into a staged prefix and checks what lands there, for the
# other installed routes to build from: cmake -P install.cmake
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
include("${CMAKE_CURRENT_LIST_DIR}/../checks.cmake")

file(REMOVE_RECURSE "${INSTALLED}")
run_checked(ignored "install" ${CMAKE_COMMAND} -E env "DESTDIR=${INSTALLED}/stage"
            ${CMAKE_COMMAND} --install "${TOOLS_BUILD}" --prefix ${prefix})

files_below(installed "${staged}")
list(SORT installed)
set(package ${LIBDIR}/cmake/TreskTools)
set(expected ${BINDIR}/tresk_charsmith${EXE} ${LIBDIR}/tresk_ord2utf32.o ${MANDIR}/man1/tresk_charsmith.1
             ${package}/TreskToolsConfig.cmake ${package}/TreskToolsConfigVersion.cmake
             ${package}/TreskChartables.cmake ${package}/TreskPlatform.cmake ${LIBDIR}/pkgconfig/tresk-tools.pc
             ${DATADIR}/aclocal/tresk-tools.m4 ${DOCDIR}/LICENSE)
list(SORT expected)
if(NOT installed STREQUAL expected)
  message(FATAL_ERROR "installed: ${installed}\nexpected: ${expected}")
endif()
# The package takes builds that ask for its major version alone.
foreach(case "0.9|FALSE" "1.0|TRUE" "1.2|TRUE" "2.0|FALSE")
  string(REPLACE "|" ";" case "${case}")
  list(GET case 0 PACKAGE_FIND_VERSION)
  list(GET case 1 compatible)
  string(REGEX MATCH "^[0-9]+" PACKAGE_FIND_VERSION_MAJOR "${PACKAGE_FIND_VERSION}")
  set(PACKAGE_VERSION_COMPATIBLE FALSE)
  include("${staged}/${package}/TreskToolsConfigVersion.cmake")
  if(NOT PACKAGE_VERSION_COMPATIBLE STREQUAL compatible)
    message(FATAL_ERROR "the package asked for as ${PACKAGE_FIND_VERSION}: compatible ${PACKAGE_VERSION_COMPATIBLE}")
  endif()
endforeach()
files_differ(differ "${OBJECT}" "${staged}/${LIBDIR}/tresk_ord2utf32.o")
if(differ)
  message(FATAL_ERROR "the installed object is not the one built")
endif()
if(TARGET_RUNS)
  run_checked(ignored "the installed program"
              ${EMULATOR} "${staged}/${BINDIR}/tresk_charsmith${EXE}" -b "${INSTALLED}/tables.bin")
  file(SIZE "${INSTALLED}/tables.bin" size)
  if(NOT size EQUAL 1088)
    message(FATAL_ERROR "the installed program wrote ${size} bytes instead of 1088")
  endif()
else()
  file(COPY_FILE "${OBJECT}" "${INSTALLED}/tables.bin")  # a file that is no program, for the cmake route
endif()
# What a module cannot carry at all stops the install (CMake itself refuses a backslash).
foreach(name "dollar\${brace" "line\nbreak")
  expect_failure("install under ${name}" "tresk-tools.pc: .* holds '.*', which a pkg-config module cannot carry"
                 ${CMAKE_COMMAND} --install "${TOOLS_BUILD}" --prefix "${INSTALLED}/refused/${name}")
endforeach()
file(CREATE_LINK "${INSTALLED}/stage" "${INSTALLED}/${SPACED_FOLDER}" SYMBOLIC)
if(CROSS)
  file(MAKE_DIRECTORY "${build_machine}")
  file(CREATE_LINK "${BUILD_MACHINE_CHARSMITH}" "${build_machine}/tresk_charsmith" SYMBOLIC)
endif()
message(STATUS "installed: ${installed}")
