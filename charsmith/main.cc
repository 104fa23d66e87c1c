// tresk_charsmith, the whole program in one unit: a library's build, the build machine's copy
// in a cross build and Zig's build each compile it with one call, and pay once for the
// compiler's start and the C library's headers. The tests compile it without main().
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
#include "driver.cc"
#include "platform_posix.cc"
#include "platform_win32.cc"
#include "source_writer.cc"
#include "tables.cc"

#ifndef TRESK_CHARSMITH_NO_MAIN
int main(int argc, char* argv[]) {
  return tresk::charsmith_main(argc, argv);
}
#endif
