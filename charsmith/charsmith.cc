// tresk_charsmith as one translation unit, as a library's build compiles it: each unit
// would pay again for the compiler's start and the C library's headers.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
#include "driver.cc"
#include "main.cc"
#include "platform_posix.cc"
#include "platform_win32.cc"
#include "source_writer.cc"
#include "tables.cc"
