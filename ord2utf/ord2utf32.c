/* The library's UTF-32 code-unit writer: in UTF-32 every character is one code unit.
   SPDX-License-Identifier: BSD-2-Clause
   Copyright (c) 2026 The TRESK build tools authors */
#include <stdint.h>

/* Links with the other objects of the library but is not exported from a shared library
   built of them. */
#define TRESK_HIDDEN __attribute__((visibility("hidden")))

/* Stores cvalue, unchanged, in buffer[0] and returns the number of code units written.
   Nothing is validated: the caller guarantees room for one unit, and values outside the
   Unicode range or in the surrogate range are the caller's business. */
TRESK_HIDDEN uint32_t _tresk_ord2utf_32(uint32_t cvalue, uint32_t* buffer) {
  buffer[0] = cvalue;
  /* Keeps the store before the result. Both GCC and clang would otherwise load the result
     into the argument's register first on AArch64, and then need a fourth instruction to
     keep the value; this emits nothing. */
  __asm__("" ::: "memory");
  return 1;
}
