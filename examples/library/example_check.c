/* Checks the library's compiled tables against the binary outputs named on the command
   line, and calls the UTF-32 writer linked into it.
   SPDX-License-Identifier: BSD-2-Clause
   Copyright (c) 2026 The TRESK build tools authors */
#include <stdio.h>
#include <string.h>

#include "tresk_internal.h"

enum { kTablesSize = 1088 };

static int same_as_file(const char* path) {
  unsigned char bytes[kTablesSize + 1];
  FILE* file = fopen(path, "rb");
  if (file == NULL) return 0;
  size_t n = fread(bytes, 1, sizeof bytes, file);
  fclose(file);
  return n == kTablesSize && memcmp(bytes, PRIV(default_tables), kTablesSize) == 0;
}

int main(int argc, char** argv) {
  for (int i = 1; i < argc; i++) {
    if (!same_as_file(argv[i])) {
      fprintf(stderr, "example_check: the compiled tables differ from %s\n", argv[i]);
      return 1;
    }
  }
  uint32_t units[2] = {0, 0xA5A5A5A5};
  if (PRIV(ord2utf_32)(0x10FFFF, units) != 1 || units[0] != 0x10FFFF || units[1] != 0xA5A5A5A5) {
    fprintf(stderr, "example_check: _tresk_ord2utf_32 wrote the wrong units\n");
    return 1;
  }
  return argc > 1 ? 0 : 2;
}
