// Computes the character table block in the current locale.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
#include "tables.h"

#include <cctype>
#include <cstring>

namespace tresk {

void build_tables(std::uint8_t* block) {
  std::memset(block + kClassOffset, 0, kClassLength);
  for (int c = 0; c < static_cast<int>(kCodes); c++) {
    const bool lower = std::islower(c) != 0;
    const bool digit = c >= kFirstDigit && c <= kLastDigit;
    const bool word = std::isalnum(c) || c == kUnderscore;

    // Stored as the low 8 bits, as the library's tables hold bytes.
    block[kLowerOffset + c] = static_cast<std::uint8_t>(std::tolower(c));
    block[kFlipOffset + c] = static_cast<std::uint8_t>(lower ? std::toupper(c) : std::tolower(c));

    // In the order of ClassMap.
    // clang-format off
    const bool in_map[kClassCount] = {
        bool(std::isspace(c)), bool(std::isxdigit(c)), digit, bool(std::isupper(c)), lower, word,
        bool(std::isgraph(c)), bool(std::isprint(c)), bool(std::ispunct(c)), bool(std::iscntrl(c))};
    // clang-format on
    for (std::size_t map = 0; map < kClassCount; map++) {
      if (in_map[map]) block[class_map_offset(ClassMap(map)) + c / 8] |= 1 << (c % 8);
    }

    block[kTypeOffset + c] = static_cast<std::uint8_t>(
        (in_map[kSpace] ? kTypeSpace : 0) | (std::isalpha(c) ? kTypeLetter : 0) |
        (lower ? kTypeLower : 0) | (digit ? kTypeDigit : 0) | (word ? kTypeWord : 0));
  }
}

}  // namespace tresk
