// Entry point of tresk_charsmith; the work is done in driver.cc.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
#include "driver.h"

int main(int argc, char* argv[]) {
  return tresk::charsmith_main(argc, argv);
}
