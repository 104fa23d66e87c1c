# Cross-compiles for a Linux target with Debian's toolchain for it (g++-<triple>) and runs
# what it builds under user-mode emulation (qemu-user), with the target's libraries:
#   cmake -DCMAKE_TOOLCHAIN_FILE=toolchains/cross-linux-gnu.cmake -DTRESK_TARGET_TRIPLE=aarch64-linux-gnu
# -DTRESK_CROSS_COMPILER=clang compiles with clang --target=<triple> instead of GCC, with
# the same libraries and binutils (the Android NDK's compiler family);
# -DCMAKE_CROSSCOMPILING_EMULATOR= (empty) builds with no emulator.
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
if(NOT TRESK_TARGET_TRIPLE)
  message(FATAL_ERROR "set TRESK_TARGET_TRIPLE to the target, such as aarch64-linux-gnu or s390x-linux-gnu")
endif()
if(NOT TRESK_CROSS_COMPILER)
  set(TRESK_CROSS_COMPILER gcc)
endif()
# The compiler checks configure projects of their own, which read this file again.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TRESK_TARGET_TRIPLE TRESK_CROSS_COMPILER)

set(CMAKE_SYSTEM_NAME Linux)
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR "${TRESK_TARGET_TRIPLE}")

if(TRESK_CROSS_COMPILER STREQUAL "gcc")
  set(CMAKE_C_COMPILER ${TRESK_TARGET_TRIPLE}-gcc)
  set(CMAKE_CXX_COMPILER ${TRESK_TARGET_TRIPLE}-g++)
elseif(TRESK_CROSS_COMPILER STREQUAL "clang")
  set(CMAKE_C_COMPILER clang)
  set(CMAKE_CXX_COMPILER clang++)
  set(CMAKE_C_COMPILER_TARGET ${TRESK_TARGET_TRIPLE})
  set(CMAKE_CXX_COMPILER_TARGET ${TRESK_TARGET_TRIPLE})
  # clang links with the target's binutils; the archiver and the ELF tools are theirs too.
  foreach(tool AR RANLIB NM READELF OBJDUMP STRIP)
    string(TOLOWER ${tool} name)
    set(CMAKE_${tool} /usr/bin/${TRESK_TARGET_TRIPLE}-${name} CACHE FILEPATH "")
  endforeach()
else()
  message(FATAL_ERROR "TRESK_CROSS_COMPILER is gcc or clang, not ${TRESK_CROSS_COMPILER}")
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${TRESK_TARGET_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# A default only: a cache entry set beforehand, empty included, is kept.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-${CMAKE_SYSTEM_PROCESSOR} -L /usr/${TRESK_TARGET_TRIPLE}
    CACHE STRING "Runs the target's programs on the build machine; empty for none")
