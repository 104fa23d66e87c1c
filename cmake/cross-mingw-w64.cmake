# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64) and runs
# what it builds under wine:
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/cross-mingw-w64.cmake
# Wine keeps its Windows in the folder WINEPREFIX names, by default in the home folder: the
# mingw preset puts it in the build tree. -DCMAKE_CROSSCOMPILING_EMULATOR= (empty) builds
# with no emulator.
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
# Debian's MinGW-w64 comes in two thread models; the POSIX one has the C++ library's
# threads, which GoogleTest uses. Elsewhere it is the only one.
set(_tresk_threads "")
if(EXISTS /usr/bin/x86_64-w64-mingw32-g++-posix)
  set(_tresk_threads -posix)
endif()
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc${_tresk_threads})
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++${_tresk_threads})
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# A default only: a cache entry set beforehand, empty included, is kept.
set(CMAKE_CROSSCOMPILING_EMULATOR wine CACHE STRING "Runs the target's programs on the build machine; empty for none")
