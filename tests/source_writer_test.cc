// The generated source text: exactly the shipped copy in "C", raw high codes in an 8-bit
// locale, and a locale line that no name can leave.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "source_writer.h"
#include "support.h"
#include "tables.h"

namespace tresk {
namespace {

std::string render(const char* locale_name) {
  std::array<std::uint8_t, kBlockSize> block;
  build_tables(block.data());
  std::string text(source_capacity(std::strlen(locale_name)), '\0');
  text.resize(render_source(block.data(), locale_name, text.data(), text.size()));
  return text;
}

bool has_line(const std::string& text, const std::string& line) {
  return text.find("\n" + line + "\n") != std::string::npos;
}

std::string line_of(const std::string& text, std::size_t index) {
  std::size_t start = 0;
  for (; index > 0; index--) start = text.find('\n', start) + 1;
  return text.substr(start, text.find('\n', start) - start);
}

std::size_t lines_of(const std::string& text) {
  std::size_t lines = 0;
  for (const char c : text) lines += c == '\n';
  return lines;
}

// Every byte of the "C" text, as the library ships it.
TEST(SourceInC, IsTheShippedTables) {
  const auto shipped = test::read_file(TRESK_TEST_SHIPPED_TABLES);
  ASSERT_TRUE(shipped.has_value()) << TRESK_TEST_SHIPPED_TABLES;
  EXPECT_EQ(render("C"), *shipped);
}

TEST(SourceInEightBitLocale, PrintableHighCodesAreRawBytes) {
  SKIP_WITHOUT_TURKISH();
  test::TurkishLocale locale;
  ASSERT_TRUE(locale.active());
  const std::string text = render(test::kTurkish);
  EXPECT_EQ(text.size(), 8081u - 1 + std::strlen(test::kTurkish));
  EXPECT_EQ(lines_of(text), 202u);
  EXPECT_TRUE(has_line(text, "  0x12,0x12,0x12,0x12,0x12,0x12,0x12,0x12, /*  \xC0 - \xC7  */"));
  EXPECT_TRUE(has_line(text, "  0x16,0x16,0x16,0x16,0x16,0x16,0x16,0x16};/*  \xF8 - \xFF  */"));
}

TEST(SourceLocaleLine, NamesCannotLeaveTheComment) {
  const auto line_for = [](const char* name) {
    const std::string text = render(name);
    EXPECT_EQ(lines_of(text), 202u) << "a name must not add lines";
    return line_of(text, 9);
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
