# Cross-compiles for Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64 or -i686) and
# runs what it builds under wine:
#   cmake -DCMAKE_TOOLCHAIN_FILE=toolchains/cross-mingw-w64.cmake [-DCMAKE_SYSTEM_PROCESSOR=x86]
# 64-bit by default; the processor (x86, i386 to i686) or TRESK_TARGET_TRIPLE
# (i686-w64-mingw32) given at configure chooses 32-bit, the processor kept as spelt.
# Wine keeps its Windows in the folder WINEPREFIX names, by default in the home folder: the
# mingw presets put it in the build tree. -DCMAKE_CROSSCOMPILING_EMULATOR= (empty) builds
# with no emulator.
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
if(NOT TRESK_TARGET_TRIPLE)
  set(TRESK_TARGET_TRIPLE x86_64-w64-mingw32)
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "^([xX]86|i[3-6]86)$")
    set(TRESK_TARGET_TRIPLE i686-w64-mingw32)
  endif()
endif()
# The compiler checks configure projects of their own, which read this file again.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TRESK_TARGET_TRIPLE)
set(CMAKE_SYSTEM_NAME Windows)
if(NOT CMAKE_SYSTEM_PROCESSOR)
  string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR "${TRESK_TARGET_TRIPLE}")
endif()
# Debian's MinGW-w64 comes in two thread models; the POSIX one has the C++ library's
# threads, which GoogleTest uses. Elsewhere it is the only one.
set(_tresk_threads "")
if(EXISTS /usr/bin/${TRESK_TARGET_TRIPLE}-g++-posix)
  set(_tresk_threads -posix)
endif()
set(CMAKE_C_COMPILER ${TRESK_TARGET_TRIPLE}-gcc${_tresk_threads})
set(CMAKE_CXX_COMPILER ${TRESK_TARGET_TRIPLE}-g++${_tresk_threads})
set(CMAKE_RC_COMPILER ${TRESK_TARGET_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TRESK_TARGET_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# A default only: a cache entry set beforehand, empty included, is kept.
set(CMAKE_CROSSCOMPILING_EMULATOR wine CACHE STRING "Runs the target's programs on the build machine; empty for none")
