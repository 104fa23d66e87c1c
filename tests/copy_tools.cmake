# Copies what a library's copy of the tools holds, for the benchmark:
#   cmake -DTOOLS=<the tools' tree> -DTO=<folder> -P copy_tools.cmake
# SPDX-License-Identifier: BSD-2-Clause
# Copyright (c) 2026 The TRESK build tools authors
include("${CMAKE_CURRENT_LIST_DIR}/checks.cmake")
copy_tools("${TOOLS}" "${TO}")
