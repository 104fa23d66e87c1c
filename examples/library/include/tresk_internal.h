/* Stand-in for the library's internal header: what the generated tables and the UTF-32
   writer need of it.
   SPDX-License-Identifier: BSD-2-Clause
   Copyright (c) 2026 The TRESK build tools authors */
#ifndef TRESK_INTERNAL_H
#define TRESK_INTERNAL_H

#include <stdint.h>

#define PRIV(name) _tresk_##name

extern const uint8_t PRIV(default_tables)[];
uint32_t PRIV(ord2utf_32)(uint32_t cvalue, uint32_t* buffer);

#endif
