# Cross-compiles for macOS from Linux with Zig's clang (cross-zig.cmake, for Darwin):
#   cmake -DCMAKE_TOOLCHAIN_FILE=toolchains/cross-macos-zig.cmake [-DCMAKE_SYSTEM_PROCESSOR=x86_64]
# arm64 by default.
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
set(CMAKE_SYSTEM_NAME Darwin)
include("${CMAKE_CURRENT_LIST_DIR}/cross-zig.cmake")
