// The generated source text: its rows, its counts and the locale line.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <regex>
#include <string>
#include <vector>

#include "source_writer.h"
#include "support.h"
#include "tables.h"

namespace tresk {
namespace {

std::string render(const char* locale_name) {
  std::array<std::uint8_t, kBlockSize> block;
  build_tables(block.data());
  std::string text(source_capacity(std::strlen(locale_name)), '\0');
  text.resize(render_source(block.data(), locale_name, text.data()));
  return text;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1) {
    lines.push_back(text.substr(start, nl - start));
  }
  return lines;
}

std::size_t count_matching(const std::vector<std::string>& lines, const std::string& pattern) {
  const std::regex re(pattern);
  std::size_t n = 0;
  for (const auto& line : lines) n += std::regex_match(line, re);
  return n;
}

bool has_line(const std::string& text, const std::string& line) {
  return text.find("\n" + line + "\n") != std::string::npos;
}

TEST(SourceInC, HasItsShapeAndSize) {
  const std::string text = render("C");
  EXPECT_EQ(text.size(), 8081u);
  ASSERT_EQ(text.back(), '\n');
  const auto lines = lines_of(text);
  EXPECT_EQ(lines.size(), 202u);
  for (const auto& line : lines) EXPECT_FALSE(!line.empty() && line.back() == ' ') << line;
  EXPECT_EQ(lines.front(), "/*************************************************");
  EXPECT_EQ(lines[1], "*      Morvane       *");
  EXPECT_TRUE(has_line(text, "/* This set of tables was written in the C locale. */"));
  EXPECT_TRUE(has_line(text, "const uint8_t PRIV(default_tables)[] = {"));
  EXPECT_EQ(lines.back(), "/* End of tresk_chartables.c */");
}

TEST(SourceInC, RowsCarryEightValuesAndTheirCommas) {
  const auto lines = lines_of(render("C"));
  // Lower-case and case-flip tables: 64 rows, each ending with a comma, even the last.
  EXPECT_EQ(count_matching(lines, "  ( {0,2}\\d{1,3},){8}"), 64u);
  // Bitmaps: ten maps of four rows, the first row of each named.
  EXPECT_EQ(count_matching(lines, "  (0x[0-9a-f]{2},){8}"), 30u);
  EXPECT_EQ(count_matching(lines, "  (0x[0-9a-f]{2},){8}  /\\* [a-z]+ \\*/"), 10u);
  // Character types: 31 rows with a comma and a range, then the last, closed by the brace.
  EXPECT_EQ(count_matching(lines, "  (0x[0-9a-f]{2},){8} /\\* .{4}.{3} \\*/"), 31u);
  EXPECT_EQ(count_matching(lines, "  (0x[0-9a-f]{2},){7}0x00\\};/\\* 248-255 \\*/"), 1u);
  EXPECT_EQ(count_matching(lines, ""), 25u);  // 9 between maps, 16 around the texts
}

TEST(SourceInC, SampleRows) {
  const std::string text = render("C");
  for (const char* row : {
           "  0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00, /*   0-  7 */",
           "  0x01,0x00,0x00,0x00,0x00,0x00,0x00,0x00, /*    - '  */",
           "  0x18,0x18,0x18,0x18,0x18,0x18,0x18,0x18, /*  0 - 7  */",
           "  0x16,0x16,0x16,0x00,0x00,0x00,0x00,0x00, /*  x -127 */",
           "  0x00,0x00,0x00,0x00,0x00,0x00,0x00,0x00};/* 248-255 */",
           "    0,  1,  2,  3,  4,  5,  6,  7,",
           "   64, 97, 98, 99,100,101,102,103,",
           "   96, 65, 66, 67, 68, 69, 70, 71,",
           "  0x00,0x3e,0x00,0x00,0x01,0x00,0x00,0x00,  /* space */",
           "  0x00,0x00,0x00,0x00,0x00,0x00,0xff,0x03,  /* word */",
           "  0x00,0x00,0x00,0x00,0xfe,0xff,0x00,0xfc,  /* punct */",
           "  0xff,0xff,0xff,0xff,0x00,0x00,0x00,0x00,  /* cntrl */",
           "  0x10   alphanumeric or '_'",
       }) {
    EXPECT_TRUE(has_line(text, row)) << row;
  }
}

TEST(SourceInEightBitLocale, PrintableHighCodesAreRawBytes) {
  SKIP_WITHOUT_TURKISH();
  test::TurkishLocale locale;
  ASSERT_TRUE(locale.active());
  const std::string text = render(test::kTurkish);
  EXPECT_EQ(text.size(), 8081u - 1 + std::strlen(test::kTurkish));
  EXPECT_EQ(lines_of(text).size(), 202u);
  EXPECT_TRUE(has_line(text, "  0x12,0x12,0x12,0x12,0x12,0x12,0x12,0x12, /*  \xC0 - \xC7  */"));
  EXPECT_TRUE(has_line(text, "  0x16,0x16,0x16,0x16,0x16,0x16,0x16,0x16};/*  \xF8 - \xFF  */"));
}

TEST(SourceLocaleLine, NamesCannotLeaveTheComment) {
  const auto line_for = [](const char* name) {
    const std::string text = render(name);
    const auto lines = lines_of(text);
    EXPECT_EQ(lines.size(), 202u) << "a name must not add lines";
    return lines[9];
  };
  EXPECT_EQ(line_for("en_US.ISO-8859-1"),
            "/* This set of tables was written in the en_US.ISO-8859-1 locale. */");
  EXPECT_EQ(line_for("/x*/;int evil;/*/en_US.ISO-8859-1"),
            "/* This set of tables was written in the /x*\\/;int evil;/\\*\\/en_US.ISO-8859-1 "
            "locale. */");
  EXPECT_EQ(line_for("a\nb\x7f\x01\x1f c"),
            "/* This set of tables was written in the a\\012b\\177\\001\\037 c locale. */");
  EXPECT_EQ(line_for(""), "/* This set of tables was written in the  locale. */");
  // The worst case for its length still fits the room that the caller provides.
  const std::string controls(300, '\x01');
  EXPECT_EQ(render(controls.c_str()).size(), 8080u + 4 * controls.size());
}

}  // namespace
}  // namespace tresk
