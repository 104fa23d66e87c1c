# using.md's Makefile, building a library from the installed tree through pkg-config, and
# the module installed under a prefix that holds '#': cmake -P make.cmake
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
include("${CMAKE_CURRENT_LIST_DIR}/../checks.cmake")

# In each root, natively or cross-built with the target's compiler and emulator: pkg-config
# puts the sysroot before the paths; where they hold a space, the Makefile stops saying so,
# and where pkg-config does not find the module, it says to set PKG_CONFIG_PATH.
snippet(makefile "${TOOLS}/doc/using.md" "# Makefile")
set(folder "${INSTALLED}/make")
fresh_project("${folder}")
file(WRITE "${folder}/Makefile" "${makefile}")
expect_failure("make without the module" "set PKG_CONFIG_PATH to <prefix>/lib/pkgconfig"
               ${CMAKE_COMMAND} -E env "PKG_CONFIG_LIBDIR=${INSTALLED}/nowhere" make -C "${folder}")
foreach(root IN LISTS roots)
  set(make ${CMAKE_COMMAND} -E env "PKG_CONFIG_SYSROOT_DIR=${root}"
           "PKG_CONFIG_PATH=${root}${prefix}/${LIBDIR}/pkgconfig"
           make -C "${folder}" "PKG_CONFIG=${PKG_CONFIG}" "CFLAGS=-O2 ${C_FLAGS}")
  if(CROSS)
    list(APPEND make "CC=${TARGET_CC}" "AR=${AR}" "EMULATOR=${emulator_line}")
  endif()
  if(root MATCHES " ")
    expect_failure("make in ${root}" "the tools' paths hold a space, which make cannot carry" ${make})
  else()
    run_checked(ignored "make in ${root}" ${make})
    check_library("${folder}/libtresk.a" "${folder}")
  endif()
endforeach()
# Under a prefix that holds '#', which pkg-config reads as a comment unless escaped, the
# module still names the files installed.
set(hashed "${INSTALLED}/c#/tools")
run_checked(ignored "install under ${hashed}" ${CMAKE_COMMAND} --install "${TOOLS_BUILD}" --prefix "${hashed}")
foreach(variable "charsmith|${BINDIR}/tresk_charsmith${EXE}" "ord2utf32_object|${LIBDIR}/tresk_ord2utf32.o")
  string(REPLACE "|" ";" variable "${variable}")
  list(GET variable 0 name)
  list(GET variable 1 file)
  run_checked(path "pkg-config --variable=${name}" ${CMAKE_COMMAND} -E env --unset=PKG_CONFIG_SYSROOT_DIR
              "PKG_CONFIG_LIBDIR=${hashed}/${LIBDIR}/pkgconfig" ${PKG_CONFIG} --variable=${name} tresk-tools)
  string(STRIP "${path}" path)
  if(NOT path STREQUAL "${hashed}/${file}")
    message(FATAL_ERROR "the module installed under ${hashed} names ${name} ${path}")
  endif()
endforeach()
message(STATUS "make: built and checked through pkg-config")
