/* The floor for tresk_charsmith's benchmark: a static program that does only the I/O that
   any table writer must do, opening a file, writing 8,081 bytes in one call, closing it.
   SPDX-License-Identifier: BSD-2-Clause
   Copyright (c) 2026 The TRESK build tools authors */
#include <stdio.h>

static char text[8081];

int main(int argc, char **argv) {
  FILE *file = fopen(argc > 1 ? argv[1] : "floor.out", "wb");
  if (file == NULL) return 1;
  fwrite(text, 1, sizeof text, file);
  return fclose(file) != 0;
}
