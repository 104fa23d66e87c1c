// Layout of the character table block and the builder that fills it from the C library's
// classification functions. The builder, the source writer and the tests all read these.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
#ifndef TRESK_CHARSMITH_TABLES_H
#define TRESK_CHARSMITH_TABLES_H

#include <cstddef>
#include <cstdint>

namespace tresk {

inline constexpr std::size_t kCodes = 256;  // character codes 0..255

// The four tables, back to back.
inline constexpr std::size_t kLowerOffset = 0;
inline constexpr std::size_t kFlipOffset = kLowerOffset + kCodes;
inline constexpr std::size_t kClassOffset = kFlipOffset + kCodes;
inline constexpr std::size_t kClassMapLength = kCodes / 8;  // one bit per code
inline constexpr std::size_t kClassCount = 10;
inline constexpr std::size_t kClassLength = kClassCount * kClassMapLength;
inline constexpr std::size_t kTypeOffset = kClassOffset + kClassLength;
inline constexpr std::size_t kBlockSize = kTypeOffset + kCodes;
static_assert(kBlockSize == 1088);

// Class maps in their fixed order; the value is the map's index in the class area.
// clang-format off
enum ClassMap : std::size_t {
  kSpace, kXdigit, kDigit, kUpper, kLower, kWord, kGraph, kPrint, kPunct, kCntrl
};
// clang-format on
inline constexpr const char* kClassNames[kClassCount] = {
    "space", "xdigit", "digit", "upper", "lower", "word", "graph", "print", "punct", "cntrl"};

// Bits of a character-type entry; no other bit is ever set.
inline constexpr std::uint8_t kTypeSpace = 0x01;
inline constexpr std::uint8_t kTypeLetter = 0x02;
inline constexpr std::uint8_t kTypeLower = 0x04;
inline constexpr std::uint8_t kTypeDigit = 0x08;
inline constexpr std::uint8_t kTypeWord = 0x10;

// Decimal digits are fixed whatever the locale says, and the underscore is always a word
// character: the library's \d and \w depend on it.
inline constexpr int kFirstDigit = '0';
inline constexpr int kLastDigit = '9';
inline constexpr int kUnderscore = '_';

// A block is kBlockSize bytes; functions take a pointer to its first byte.

// Byte offset in the block of class map `map`.
constexpr std::size_t class_map_offset(ClassMap map) {
  return kClassOffset + map * kClassMapLength;
}

// Whether code c is in class map `map` of a built block.
constexpr bool in_class(const std::uint8_t* block, ClassMap map, int c) {
  return (block[class_map_offset(map) + c / 8] >> (c % 8)) & 1;
}

// Fills the block from the classification and case functions of the current locale. Reads
// nothing else and writes nothing but the block.
void build_tables(std::uint8_t* block);

}  // namespace tresk

#endif
