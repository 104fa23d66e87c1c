// Renders the character table block as the C source file that the library compiles in.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
#ifndef TRESK_CHARSMITH_SOURCE_WRITER_H
#define TRESK_CHARSMITH_SOURCE_WRITER_H

#include <cstddef>

#include "tables.h"

namespace tresk {

// Room that render_source needs for a locale name of name_length bytes. Everything but the
// name has the same length in every locale (8,080 bytes); each byte of the name takes at most
// four.
constexpr std::size_t source_capacity(std::size_t name_length) {
  return 8192 + 4 * name_length;
}

// Writes the source text for `block` into `out`, which has `capacity` bytes, at least
// source_capacity(strlen(locale_name)), and returns its length. Printable codes in the row
// comments are those of the block's print map.
std::size_t render_source(const std::uint8_t* block, const char* locale_name, char* out,
                          std::size_t capacity);

}  // namespace tresk

#endif
