# Cross-compiles with Zig's clang, which carries the C libraries and libc++ of macOS,
# FreeBSD and NetBSD (PyPI's ziglang, 0.15 or later), for one of those systems; nothing here
# runs their programs, so there is no emulator:
#   cmake -DCMAKE_TOOLCHAIN_FILE=toolchains/cross-zig.cmake -DCMAKE_SYSTEM_NAME=FreeBSD
#         [-DCMAKE_SYSTEM_PROCESSOR=aarch64]
# CMAKE_SYSTEM_NAME is Darwin, FreeBSD or NetBSD; the processor x86_64 by default (arm64 on
# Darwin), or aarch64 (arm64). zig is taken from the PATH, or TRESK_ZIG names it; Zig keeps
# what it compiles (libc++ among it, a few minutes the first time) in ZIG_GLOBAL_CACHE_DIR,
# by default in the build folder. The files are read with llvm-14's tools (Debian's
# llvm-14), which read every format; CMake's Darwin platform also needs its
# install_name_tool.
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
if(CMAKE_SYSTEM_NAME STREQUAL "Darwin")
  set(_tresk_zig_os macos)
elseif(CMAKE_SYSTEM_NAME STREQUAL "FreeBSD")
  set(_tresk_zig_os freebsd)
elseif(CMAKE_SYSTEM_NAME STREQUAL "NetBSD")
  set(_tresk_zig_os netbsd)
else()
  message(FATAL_ERROR "set CMAKE_SYSTEM_NAME to Darwin, FreeBSD or NetBSD for this toolchain "
                      "(it is \"${CMAKE_SYSTEM_NAME}\")")
endif()
if(NOT CMAKE_SYSTEM_PROCESSOR)
  set(CMAKE_SYSTEM_PROCESSOR x86_64)
  if(CMAKE_SYSTEM_NAME STREQUAL "Darwin")
    set(CMAKE_SYSTEM_PROCESSOR arm64)
  endif()
endif()
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(aarch64|arm64)$")
  set(_tresk_zig_target aarch64-${_tresk_zig_os})
elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|amd64)$")
  set(_tresk_zig_target x86_64-${_tresk_zig_os})
else()
  message(FATAL_ERROR "CMAKE_SYSTEM_PROCESSOR is ${CMAKE_SYSTEM_PROCESSOR}; this toolchain builds for x86_64 and aarch64")
endif()
# The compiler checks configure projects of their own, which read this file again.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TRESK_ZIG CMAKE_SYSTEM_NAME)

find_program(TRESK_ZIG zig)
if(NOT TRESK_ZIG)
  message(FATAL_ERROR "zig not found: put it on the PATH or name it in TRESK_ZIG")
endif()
if("$ENV{ZIG_GLOBAL_CACHE_DIR}" STREQUAL "")
  set(ENV{ZIG_GLOBAL_CACHE_DIR} "${CMAKE_BINARY_DIR}/zig-cache")
endif()
# CMake takes a compiler as one program: zig's commands are given as small scripts that
# name the target. Zig checks for undefined behaviour in what it compiles without
# optimisation, with a runtime that it links only into a program linked so, and the tools
# compile without optimisation in builds that link with it (a library's build of any type):
# as clang and GCC do, it checks nothing unless asked.
set(_tresk_zig_bin "${CMAKE_BINARY_DIR}/zig-bin")
foreach(_tresk_tool cc c++ ar ranlib)
  set(_tresk_options "")
  if(_tresk_tool MATCHES "^c")
    set(_tresk_options "-target ${_tresk_zig_target} -fno-sanitize=undefined")
  endif()
  file(WRITE "${_tresk_zig_bin}/${_tresk_tool}"
       "#!/bin/sh\nexec '${TRESK_ZIG}' ${_tresk_tool} ${_tresk_options} \"$@\"\n")
  file(CHMOD "${_tresk_zig_bin}/${_tresk_tool}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
       GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endforeach()
set(CMAKE_C_COMPILER "${_tresk_zig_bin}/cc")
set(CMAKE_CXX_COMPILER "${_tresk_zig_bin}/c++")
set(CMAKE_AR "${_tresk_zig_bin}/ar" CACHE FILEPATH "")
set(CMAKE_RANLIB "${_tresk_zig_bin}/ranlib" CACHE FILEPATH "")
set(CMAKE_NM llvm-nm-14 CACHE FILEPATH "")
set(CMAKE_OBJDUMP llvm-objdump-14 CACHE FILEPATH "")
set(CMAKE_READELF llvm-readelf-14 CACHE FILEPATH "")
if(CMAKE_SYSTEM_NAME STREQUAL "Darwin")
  set(CMAKE_INSTALL_NAME_TOOL llvm-install-name-tool-14 CACHE FILEPATH "")
  set(CMAKE_OTOOL llvm-otool-14 CACHE FILEPATH "")
endif()
# The BSDs ship a static C library, but Zig carries their shared one alone.
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Darwin")
  set(TRESK_DYNAMIC_ONLY "Zig carries ${CMAKE_SYSTEM_NAME}'s shared C library alone")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
