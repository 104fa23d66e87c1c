// The block against the C library's answers, in "C" and in an 8-bit locale.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <initializer_list>
#include <utility>

#include "support.h"
#include "tables.h"

namespace tresk {
namespace {

using Block1088 = std::array<std::uint8_t, kBlockSize>;

Block1088 built() {
  Block1088 block;
  block.fill(0xAA);  // build_tables must overwrite every byte
  build_tables(block.data());
  return block;
}

bool in_class(const Block1088& block, ClassMap map, int c) {
  return tresk::in_class(block.data(), map, c);
}

bool in_ranges(int c, std::initializer_list<std::pair<int, int>> ranges) {
  for (auto [low, high] : ranges) {
    if (c >= low && c <= high) return true;
  }
  return false;
}

// What each class map holds for code c, as the current locale's functions answer it.
std::array<bool, kClassCount> locale_classes(int c) {
  const bool digit = c >= '0' && c <= '9';
  return {bool(std::isspace(c)), bool(std::isxdigit(c)), digit,
          bool(std::isupper(c)), bool(std::islower(c)),  std::isalnum(c) || c == '_',
          bool(std::isgraph(c)), bool(std::isprint(c)),  bool(std::ispunct(c)),
          bool(std::iscntrl(c))};
}

// Every byte of the block as the current locale's classification and case functions say,
// with decimal digits fixed to '0'..'9' and the underscore always a word character.
void expect_follows_locale(const Block1088& block) {
  for (int c = 0; c < 256; c++) {
    SCOPED_TRACE(testing::Message() << "code " << c);
    ASSERT_EQ(block[kLowerOffset + c], std::uint8_t(std::tolower(c)));
    ASSERT_EQ(block[kFlipOffset + c],
              std::uint8_t(std::islower(c) ? std::toupper(c) : std::tolower(c)));
    const auto classes = locale_classes(c);
    for (std::size_t m = 0; m < kClassCount; m++) {
      ASSERT_EQ(in_class(block, ClassMap(m), c), classes[m]) << kClassNames[m];
    }
    const int type = (std::isspace(c) ? 0x01 : 0) | (std::isalpha(c) ? 0x02 : 0) |
                     (std::islower(c) ? 0x04 : 0) | (classes[kDigit] ? 0x08 : 0) |
                     (classes[kWord] ? 0x10 : 0);
    ASSERT_EQ(block[kTypeOffset + c], type);
  }
}

// The rules that no locale can change.
void expect_fixed_rules(const Block1088& block) {
  for (int c = 0; c < 256; c++) {
    SCOPED_TRACE(testing::Message() << "code " << c);
    const bool digit = c >= 48 && c <= 57;
    EXPECT_EQ(in_class(block, kDigit, c), digit);
    EXPECT_EQ((block[kTypeOffset + c] & 0x08) != 0, digit);
    EXPECT_EQ(block[kTypeOffset + c] & 0xE0, 0);
  }
  EXPECT_TRUE(in_class(block, kWord, '_'));
  EXPECT_TRUE(block[kTypeOffset + '_'] & 0x10);
}

TEST(TablesInC, EveryCodeMatchesAsciiClassification) {
  const Block1088 block = built();
  for (int c = 0; c < 256; c++) {
    SCOPED_TRACE(testing::Message() << "code " << c);
    const bool upper = in_ranges(c, {{65, 90}});
    const bool lower = in_ranges(c, {{97, 122}});
    const bool digit = in_ranges(c, {{48, 57}});
    const bool alnum = upper || lower || digit;
    const bool space = in_ranges(c, {{9, 13}, {32, 32}});
    const bool graph = in_ranges(c, {{33, 126}});
    const std::array<bool, kClassCount> expected = {
        space,           in_ranges(c, {{48, 57}, {65, 70}, {97, 102}}),
        digit,           upper,
        lower,           alnum || c == 95,
        graph,           in_ranges(c, {{32, 126}}),
        graph && !alnum, in_ranges(c, {{0, 31}, {127, 127}})};
    for (std::size_t m = 0; m < kClassCount; m++) {
      EXPECT_EQ(in_class(block, ClassMap(m), c), expected[m]) << kClassNames[m];
    }
    EXPECT_EQ(block[kLowerOffset + c], upper ? c + 32 : c);
    EXPECT_EQ(block[kFlipOffset + c], upper ? c + 32 : lower ? c - 32 : c);
    const int type = (space ? 0x01 : 0) | (upper || lower ? 0x02 : 0) | (lower ? 0x04 : 0) |
                     (digit ? 0x08 : 0) | (alnum || c == 95 ? 0x10 : 0);
    EXPECT_EQ(block[kTypeOffset + c], type);
  }
  expect_follows_locale(block);
  expect_fixed_rules(block);
}

TEST(TablesInC, BitsRunFromTheLeastSignificantEnd) {
  const Block1088 block = built();
  EXPECT_EQ(block[65], 97);
  EXPECT_EQ(block[353], 65);
  EXPECT_EQ(block[683], 0x87);  // word map byte 11: 'X' 'Y' 'Z' and '_'
  EXPECT_EQ(block[927], 0x10);
  EXPECT_EQ(block[kClassOffset + 1], 0x3e);               // space map: 9..13
  EXPECT_EQ(block[class_map_offset(kCntrl) + 15], 0x80);  // 127 is the top bit
}

TEST(TablesInEightBitLocale, FollowTheLocaleAndKeepTheFixedRules) {
  SKIP_WITHOUT_TURKISH();
  test::TurkishLocale locale;
  ASSERT_TRUE(locale.active());
  const Block1088 block = built();
  expect_follows_locale(block);
  expect_fixed_rules(block);
  EXPECT_EQ(block[kLowerOffset + 'I'], 0xFD);  // dotless i
  EXPECT_EQ(block[kFlipOffset + 'i'], 0xDD);   // capital I with dot
  EXPECT_EQ(block[kFlipOffset + 0xFD], 'I');
  // Letters above 127 are classified there, so the block differs from "C".
  EXPECT_TRUE(in_class(block, kLower, 0xE7));
  EXPECT_TRUE(in_class(block, kPrint, 0xC7));
}

}  // namespace
}  // namespace tresk
