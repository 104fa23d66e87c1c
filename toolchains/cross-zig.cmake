# Cross-compiles with Zig's clang, which carries the C libraries and libc++ of macOS,
# FreeBSD and NetBSD (PyPI's ziglang, 0.15 or later), for one of those systems; nothing here
# runs their programs, so there is no emulator:
#   cmake -DCMAKE_TOOLCHAIN_FILE=toolchains/cross-zig.cmake -DCMAKE_SYSTEM_NAME=FreeBSD
#         [-DCMAKE_SYSTEM_PROCESSOR=aarch64]
# CMAKE_SYSTEM_NAME is Darwin, FreeBSD or NetBSD; the processor x86_64 by default (arm64 on
# Darwin), or aarch64 (arm64). zig is taken from the PATH, or TRESK_ZIG names it; Zig keeps
# what it compiles (libc++ among it, a few minutes the first time) in ZIG_GLOBAL_CACHE_DIR,
# by default in the build folder, and the build's compiles too. The files are read with
# LLVM's tools (llvm-nm, or Debian's llvm-nm-14 and the like), which read every format;
# CMake's Darwin platform also needs its install_name_tool.
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
if(NOT CMAKE_SYSTEM_PROCESSOR)
  set(CMAKE_SYSTEM_PROCESSOR x86_64)
  if(CMAKE_SYSTEM_NAME STREQUAL "Darwin")
    set(CMAKE_SYSTEM_PROCESSOR arm64)
  endif()
endif()
include("${CMAKE_CURRENT_LIST_DIR}/../cmake/TreskPlatform.cmake")
tresk_platform(_tresk "${CMAKE_SYSTEM_NAME}" "${CMAKE_SYSTEM_PROCESSOR}")
if(NOT _tresk_ZIG MATCHES "^(macos|freebsd|netbsd)$")
  message(FATAL_ERROR "set CMAKE_SYSTEM_NAME to Darwin, FreeBSD or NetBSD for this toolchain "
                      "(it is \"${CMAKE_SYSTEM_NAME}\")")
elseif(NOT _tresk_PROCESSOR MATCHES "^(x86_64|aarch64)$")
  message(FATAL_ERROR "CMAKE_SYSTEM_PROCESSOR is ${CMAKE_SYSTEM_PROCESSOR}; this toolchain builds for x86_64 and aarch64")
endif()
# The compiler checks configure projects of their own, which read this file again.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TRESK_ZIG CMAKE_SYSTEM_NAME)

find_program(TRESK_ZIG zig)
if(NOT TRESK_ZIG)
  message(FATAL_ERROR "zig not found: put it on the PATH or name it in TRESK_ZIG")
endif()
# One cache for all that Zig compiles, configuring and building, named in the scripts below.
if("$ENV{ZIG_GLOBAL_CACHE_DIR}" STREQUAL "")
  set(ENV{ZIG_GLOBAL_CACHE_DIR} "${CMAKE_BINARY_DIR}/zig-cache")
endif()
string(REPLACE "'" "'\\''" _tresk_cache "$ENV{ZIG_GLOBAL_CACHE_DIR}")
string(REPLACE "'" "'\\''" _tresk_zig "${TRESK_ZIG}")
# CMake takes a compiler as one program: zig's commands are given as small scripts that
# name the target. Zig checks for undefined behaviour in what it compiles without
# optimisation, with a runtime that it links only into a program linked so, and the tools
# compile without optimisation in builds that link with it (a library's build of any type):
# as clang and GCC do, it checks nothing unless asked.
set(_tresk_zig_bin "${CMAKE_BINARY_DIR}/zig-bin")
foreach(_tresk_tool cc c++ ar ranlib)
  set(_tresk_options "")
  if(_tresk_tool MATCHES "^c")
    set(_tresk_options "-target ${_tresk_PROCESSOR}-${_tresk_ZIG} -fno-sanitize=undefined")
  endif()
  file(WRITE "${_tresk_zig_bin}/${_tresk_tool}" "#!/bin/sh
ZIG_GLOBAL_CACHE_DIR='${_tresk_cache}' ZIG_LOCAL_CACHE_DIR='${_tresk_cache}' \\
  exec '${_tresk_zig}' ${_tresk_tool} ${_tresk_options} \"$@\"\n")
  file(CHMOD "${_tresk_zig_bin}/${_tresk_tool}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
       GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endforeach()
set(CMAKE_C_COMPILER "${_tresk_zig_bin}/cc")
set(CMAKE_CXX_COMPILER "${_tresk_zig_bin}/c++")
set(CMAKE_AR "${_tresk_zig_bin}/ar" CACHE FILEPATH "")
set(CMAKE_RANLIB "${_tresk_zig_bin}/ranlib" CACHE FILEPATH "")
# LLVM's tools read every format; Debian names them with their version.
foreach(_tresk_tool NM OBJDUMP READELF INSTALL_NAME_TOOL OTOOL)
  string(TOLOWER "llvm-${_tresk_tool}" _tresk_name)
  string(REPLACE "_" "-" _tresk_name "${_tresk_name}")
  find_program(CMAKE_${_tresk_tool} NAMES ${_tresk_name} ${_tresk_name}-21 ${_tresk_name}-20
               ${_tresk_name}-19 ${_tresk_name}-18 ${_tresk_name}-17 ${_tresk_name}-16
               ${_tresk_name}-15 ${_tresk_name}-14)
endforeach()
# The BSDs ship a static C library, but Zig carries their shared one alone.
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Darwin")
  set(TRESK_DYNAMIC_ONLY "Zig carries ${CMAKE_SYSTEM_NAME}'s shared C library alone")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
