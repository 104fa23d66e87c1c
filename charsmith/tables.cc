// Computes the character table block in the current locale.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
#include "tables.h"

#include <cctype>

namespace tresk {
namespace {

// What the C library says of one code: bit m of `classes` for class map m, with the fixed
// rules for digits and the underscore applied, bit kAlpha for a letter, and the answers of
// the case functions.
struct Traits {
  unsigned classes;
  int to_lower, to_upper;
};

constexpr unsigned kAlpha = kClassCount;
constexpr unsigned bit_of(unsigned map) {
  return 1u << map;
}

constexpr unsigned fixed_classes(int c) {
  return (c >= kFirstDigit && c <= kLastDigit ? bit_of(kDigit) : 0) |
         (c == kUnderscore ? bit_of(kWord) : 0);
}

Traits from_functions(int c) {
  const auto in = [](int answer, unsigned bit) { return answer != 0 ? bit_of(bit) : 0; };
  return {in(std::isspace(c), kSpace) | in(std::isxdigit(c), kXdigit) |
              in(std::isupper(c), kUpper) | in(std::islower(c), kLower) |
              in(std::isalnum(c), kWord) | in(std::isgraph(c), kGraph) |
              in(std::isprint(c), kPrint) | in(std::ispunct(c), kPunct) |
              in(std::iscntrl(c), kCntrl) | in(std::isalpha(c), kAlpha) | fixed_classes(c),
          std::tolower(c), std::toupper(c)};
}

#if defined(__GLIBC__)
// glibc's classification functions each read one table of class masks of the current
// locale, and its case functions one mapping table each; its own C macros read the
// tables directly. Doing the same gives the very same answers for a fraction of the cost
// of twelve calls per code.

// Our class bits for each bit of glibc's 16-bit class mask; a code has few of them set.
struct MaskBitClasses {
  unsigned of[16];
};
constexpr MaskBitClasses kMaskBitClasses = [] {
  constexpr struct {
    unsigned library_bit, ours;
  } kFrom[] = {{_ISspace, kSpace}, {_ISxdigit, kXdigit}, {_ISupper, kUpper}, {_ISlower, kLower},
               {_ISalnum, kWord},  {_ISgraph, kGraph},   {_ISprint, kPrint}, {_ISpunct, kPunct},
               {_IScntrl, kCntrl}, {_ISalpha, kAlpha}};
  MaskBitClasses classes{};
  for (const auto& from : kFrom) classes.of[__builtin_ctz(from.library_bit)] |= bit_of(from.ours);
  return classes;
}();

Traits from_library_tables(int c) {
  unsigned classes = fixed_classes(c);
  for (unsigned mask = (*__ctype_b_loc())[c]; mask != 0; mask &= mask - 1) {
    classes |= kMaskBitClasses.of[__builtin_ctz(mask)];
  }
  return {classes, (*__ctype_tolower_loc())[c], (*__ctype_toupper_loc())[c]};
}
#else
// Other C libraries' tables are their own business: the functions are all there is.
Traits from_library_tables(int c) {
  return from_functions(c);
}
#endif

// Spreads the eight low bits of `bits` over eight bytes: bit m becomes bit 0 of byte m.
constexpr std::uint64_t spread(unsigned bits) {
  const std::uint64_t picked = ((bits & 0xffu) * 0x0101010101010101u) & 0x8040201008040201u;
  return ((picked + 0x7f7f7f7f7f7f7f7fu) >> 7) & 0x0101010101010101u;
}

void store_maps(std::uint8_t* block, std::size_t first_map, std::size_t group, std::uint64_t bytes,
                std::size_t count) {
  for (std::size_t m = 0; m < count; m++) {
    block[kClassOffset + (first_map + m) * kClassMapLength + group] =
        static_cast<std::uint8_t>(bytes >> (8 * m));
  }
}

// One builder for either classifier; each is inlined into its own copy of the loop.
template <Traits (*traits_of)(int)>
void build_with(std::uint8_t* block) {
  // Codes are taken eight at a time, making one byte of every class map; the bytes of
  // maps 0-7 and 8-9 are gathered in two words and stored once.
  for (std::size_t group = 0; group < kClassMapLength; group++) {
    std::uint64_t low_maps = 0, high_maps = 0;
    for (unsigned bit = 0; bit < 8; bit++) {
      const int c = static_cast<int>(group * 8 + bit);
      const Traits t = traits_of(c);
      const bool lower = t.classes & bit_of(kLower);

      // Stored as the low 8 bits, as the library's tables hold bytes.
      block[kLowerOffset + c] = static_cast<std::uint8_t>(t.to_lower);
      block[kFlipOffset + c] = static_cast<std::uint8_t>(lower ? t.to_upper : t.to_lower);

      low_maps |= spread(t.classes) << bit;
      high_maps |= spread(t.classes >> 8) << bit;

      block[kTypeOffset + c] = static_cast<std::uint8_t>(
          (t.classes & bit_of(kSpace) ? kTypeSpace : 0) |
          (t.classes & bit_of(kAlpha) ? kTypeLetter : 0) | (lower ? kTypeLower : 0) |
          (t.classes & bit_of(kDigit) ? kTypeDigit : 0) |
          (t.classes & bit_of(kWord) ? kTypeWord : 0));
    }
    store_maps(block, 0, group, low_maps, 8);
    store_maps(block, 8, group, high_maps, kClassCount - 8);
  }
}

}  // namespace

void build_tables(std::uint8_t* block, Classifier classifier) {
  if (classifier == Classifier::kLibraryTables) {
    build_with<from_library_tables>(block);
  } else {
    build_with<from_functions>(block);
  }
}

}  // namespace tresk
