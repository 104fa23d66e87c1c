# Cross-compiles for WASI with clang and Debian's wasi-libc (clang wasi-libc
# libc++-14-dev-wasm32 libclang-rt-14-dev-wasm32 lld) and runs what it builds under node's
# WASI module:
#   cmake -DCMAKE_TOOLCHAIN_FILE=toolchains/cross-wasi.cmake
# WASI_SYSROOT names another wasi-libc (wasi-sdk's share/wasi-sysroot, say);
# -DCMAKE_CROSSCOMPILING_EMULATOR= (empty) builds with no emulator.
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
set(CMAKE_SYSTEM_NAME WASI)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
list(APPEND CMAKE_MODULE_PATH "${CMAKE_CURRENT_LIST_DIR}/wasi")
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET wasm32-wasi)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
set(CMAKE_AR llvm-ar CACHE FILEPATH "")
set(CMAKE_RANLIB llvm-ranlib CACHE FILEPATH "")
# Debian lays wasi-libc out under /usr, beside this machine's own headers, which must not
# be seen: the sysroot is a folder of the build's that holds the target's folders alone.
if(NOT WASI_SYSROOT)
  set(WASI_SYSROOT "${CMAKE_BINARY_DIR}/wasi-sysroot")
  foreach(folder include lib)
    file(MAKE_DIRECTORY "${WASI_SYSROOT}/${folder}")
    if(NOT EXISTS "${WASI_SYSROOT}/${folder}/wasm32-wasi")
      file(CREATE_LINK /usr/${folder}/wasm32-wasi "${WASI_SYSROOT}/${folder}/wasm32-wasi" SYMBOLIC)
    endif()
  endforeach()
endif()
set(CMAKE_SYSROOT "${WASI_SYSROOT}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# A default only: a cache entry set beforehand, empty included, is kept.
set(CMAKE_CROSSCOMPILING_EMULATOR node --no-warnings "${CMAKE_CURRENT_LIST_DIR}/wasi-run.mjs"
    CACHE STRING "Runs the target's programs on the build machine; empty for none")
