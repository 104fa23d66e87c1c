/* The library's UTF-32 code-unit writer: in UTF-32 every character is one code unit.
   SPDX-License-Identifier: BSD-2-Clause
   Copyright (c) 2026 The TRESK build tools authors */
#include <stdint.h>

/* Links with the other objects of the library but is not exported from a shared library
   built of them. On ELF that is hidden visibility. A Windows DLL exports what is marked
   __declspec(dllexport), or, with nothing marked, everything (MinGW's automatic export):
   the linker directive in the object's .drectve section keeps the writer out of that too,
   with no help from the library's build (GNU ld from 2.40, lld). Visual Studio's linker
   exports nothing unmarked. */
#if defined(_WIN32)
#define TRESK_HIDDEN
#ifdef __GNUC__
__asm__(".section .drectve\n\t.ascii \" -exclude-symbols:_tresk_ord2utf_32\"\n\t.text");
#endif
#else
#define TRESK_HIDDEN __attribute__((visibility("hidden")))
#endif

/* Stores cvalue, unchanged, in buffer[0] and returns the number of code units written.
   Nothing is validated: the caller guarantees room for one unit, and values outside the
   Unicode range or in the surrogate range are the caller's business. */
TRESK_HIDDEN uint32_t _tresk_ord2utf_32(uint32_t cvalue, uint32_t* buffer) {
  buffer[0] = cvalue;
#ifdef __GNUC__
  /* Keeps the store before the result. Both GCC and clang would otherwise load the result
     into the argument's register first on AArch64, and then need a fourth instruction to
     keep the value; this emits nothing. */
  __asm__("" ::: "memory");
#endif
  return 1;
}
