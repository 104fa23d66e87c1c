/* What the tables and the writer need of the library's internal header.
   SPDX-License-Identifier: BSD-2-Clause
   Copyright (c) 2026 The TRESK build tools authors */
#include <stdint.h>
#define PRIV(name) _tresk_##name
extern const uint8_t PRIV(default_tables)[];
uint32_t PRIV(ord2utf_32)(uint32_t cvalue, uint32_t *buffer);
