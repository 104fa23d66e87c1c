# The example library built with Make from the installed tree, through pkg-config:
# cmake -P make.cmake
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
include("${CMAKE_CURRENT_LIST_DIR}/../checks.cmake")

# Make and pkg-config: pkg-config puts the sysroot before the paths. Make reads '$' in a
# variable given on its command line.
string(REPLACE "$" "$$" srcdir "${SOURCE}")
foreach(root IN LISTS roots)
  set(make_stops "")
  if("${root};${SOURCE}" MATCHES " ")
    set(make_stops "make cannot carry a space in a prerequisite")
  endif()
  file(MAKE_DIRECTORY "${INSTALLED}/make")
  set(make ${CMAKE_COMMAND} -E env "PKG_CONFIG_SYSROOT_DIR=${root}"
           "PKG_CONFIG_PATH=${root}${prefix}/${LIBDIR}/pkgconfig"
           make -C "${INSTALLED}/make" -f "${SOURCE}/pkg-config.mk" "srcdir=${srcdir}"
           "PKG_CONFIG=${PKG_CONFIG}" "CFLAGS=-O2 ${C_FLAGS}" "LDFLAGS=${link_flags}")
  if(CROSS)
    list(APPEND make "CC=${TARGET_CC}" "AR=${AR}" "EMULATOR=${emulator_line}" "EXEEXT=${EXE}")
  endif()
  expect_outcome("make through pkg-config in ${root}" "${make_stops}" ${make} check)
endforeach()
message(STATUS "make: built and checked through pkg-config")
