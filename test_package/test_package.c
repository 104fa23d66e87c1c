/* The library's compiled tables are the program's binary output, named on the command line,
   and its UTF-32 writer writes one unit.
   SPDX-License-Identifier: BSD-2-Clause
   Copyright (c) 2026 The TRESK build tools authors */
#include <stdio.h>
#include <string.h>

#include "tresk_internal.h"

int main(int argc, char** argv) {
  unsigned char bytes[1089];
  FILE* file = argc == 2 ? fopen(argv[1], "rb") : NULL;
  size_t n = file != NULL ? fread(bytes, 1, sizeof bytes, file) : 0;
  uint32_t unit = 0;
  if (file != NULL) fclose(file);
  if (n != 1088 || memcmp(bytes, PRIV(default_tables), n) != 0) {
    fprintf(stderr, "test_package: the compiled tables differ from %s\n", argc == 2 ? argv[1] : "?");
    return 1;
  }
  return PRIV(ord2utf_32)(0x10FFFF, &unit) == 1 && unit == 0x10FFFF ? 0 : 1;
}
