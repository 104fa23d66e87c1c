// Renders the character table block as the C source file that the library compiles in. The
// text is assembled in memory, so that the driver can hand it to the file in one write and
// check that write.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
#include "source_writer.h"

#include <cstdio>

namespace tresk {
namespace {

constexpr char kHeader[] =
    "/*************************************************\n"
    "*      Morvane       *\n"
    "*************************************************/\n\n"
    "/* This file was automatically written by the tresk_charsmith auxiliary\n"
    "program. It contains character tables that are used when no external\n"
    "tables are passed to TRESK by the application that calls it. The tables\n"
    "are used only for characters whose code values are less than 256. */\n\n"
    "/* This set of tables was written in the ";

constexpr char kAfterLocale[] =
    " locale. */\n\n"
    "/* The tresk_glyphkit program (which is distributed with TRESK) can be used\n"
    "to build alternative versions of this file. This is necessary if you are\n"
    "running in an EBCDIC environment, or if you want to default to a different\n"
    "encoding, for example ISO-8859-1. When tresk_charsmith is run, it creates\n"
    "these tables in the \"C\" locale by default. This happens automatically if\n"
    "TRESK is configured with --enable-rebuild-chartables. However, you can run\n"
    "tresk_charsmith manually with the -L option to build tables using the LC_ALL\n"
    "locale. */\n\n"
    "/* The following #include is present because without it gcc 4.x may remove\n"
    "the array definition from the final binary if TRESK is built into a static\n"
    "library and dead code stripping is activated. This leads to link errors.\n"
    "Pulling in the header ensures that the array gets flagged as \"someone\n"
    "outside this compilation unit might reference this\" and so it will always\n"
    "be supplied to the linker. */\n\n"
    "#ifdef HAVE_CONFIG_H\n"
    "#include \"config.h\"\n"
    "#endif\n\n"
    "#include \"tresk_internal.h\"\n\n"
    "const uint8_t PRIV(default_tables)[] = {\n\n"
    "/* This table is a lower casing table. */\n\n";

constexpr char kFlipTitle[] = ",\n\n/* This table is a case flipping table. */\n\n";

constexpr char kClassTitle[] =
    ",\n\n"
    "/* This table contains bit maps for various character classes. Each map is 32\n"
    "bytes long and the bits run from the least significant end of each byte. The\n"
    "classes that have their own maps are: space, xdigit, digit, upper, lower, word,\n"
    "graph, print, punct, and cntrl. Other classes are built from combinations. */\n\n";

constexpr char kTypeTitle[] =
    ",\n\n/* This table identifies various classes of character by individual bits:\n";

// The meanings of the type flags, in the order of their bits.
constexpr const char* kTypeMeanings[] = {"white space character", "letter", "lower case letter",
                                         "decimal digit", "alphanumeric or '_'"};

constexpr char kEnd[] = " */\n\n/* End of tresk_chartables.c */\n";

constexpr std::size_t kRowLength = 8;
constexpr std::size_t kRowsPerMap = kClassMapLength / kRowLength;

// The text written so far, in a buffer sized for all of it (source_capacity). Were the
// buffer too small, the text would stop short of its end rather than run past it.
struct Text {
  char* data;
  std::size_t capacity;
  std::size_t length;
};

void put_char(Text& text, char c) {
  if (text.length < text.capacity) text.data[text.length++] = c;
}

void put(Text& text, const char* s) {
  while (*s != '\0') put_char(text, *s++);
}

// A value as "%3d": right-aligned in three columns.
void put_decimal(Text& text, unsigned v) {
  put_char(text, v >= 100 ? static_cast<char>('0' + v / 100) : ' ');
  put_char(text, v >= 10 ? static_cast<char>('0' + v / 10 % 10) : ' ');
  put_char(text, static_cast<char>('0' + v % 10));
}

// A value as "0x%02x".
void put_hex(Text& text, unsigned v) {
  constexpr char kDigits[] = "0123456789abcdef";
  put(text, "0x");
  put_char(text, kDigits[v >> 4 & 15]);
  put_char(text, kDigits[v & 15]);
}

// The name goes inside a comment: a backslash between the characters of "*/" and "/*"
// keeps it from ending the comment or opening a nested one, and control bytes are written
// as octal escapes so that no newline can split the line.
void put_locale_name(Text& text, const char* name) {
  for (const char* s = name; *s != '\0'; s++) {
    const auto c = static_cast<unsigned char>(*s);
    if (c < 0x20 || c == 0x7f) {
      char octal[5];
      std::snprintf(octal, sizeof octal, "\\%03o", c);
      put(text, octal);
    } else {
      put_char(text, static_cast<char>(c));
    }
    if ((c == '*' && s[1] == '/') || (c == '/' && s[1] == '*')) put_char(text, '\\');
  }
}

// The range comment of the character-type row that starts at `first`: a printable code as
// itself (" %c -" first, " %c " last), any other by its number ("%3d-", "%3d"), each as wide
// either way so that the comments line up.
void put_range(Text& text, const std::uint8_t* block, std::size_t first) {
  for (std::size_t c = first; c < first + kRowLength; c += kRowLength - 1) {
    if (in_class(block, kPrint, static_cast<int>(c))) {
      put_char(text, ' ');
      put_char(text, static_cast<char>(c));
      put(text, c == first ? " -" : " ");
    } else {
      put_decimal(text, static_cast<unsigned>(c));
      if (c == first) put(text, "-");
    }
  }
}

// Lays out `count` values in rows of eight, each row two spaces and its values separated by
// commas; between two rows, after_row(r) writes the comma that ends row r and what follows
// it up to the next row.
template <typename AfterRow>
void put_rows(Text& text, const std::uint8_t* values, std::size_t count,
              void (*put_value)(Text&, unsigned), AfterRow after_row) {
  for (std::size_t i = 0; i < count; i++) {
    if (i % kRowLength == 0) {
      if (i > 0) after_row(i / kRowLength - 1);
      put(text, "  ");
    } else {
      put(text, ",");
    }
    put_value(text, values[i]);
  }
}

}  // namespace

std::size_t render_source(const std::uint8_t* block, const char* locale_name, char* out,
                          std::size_t capacity) {
  Text text{out, capacity, 0};
  const auto next_row = [&](std::size_t) { put(text, ",\n"); };

  put(text, kHeader);
  put_locale_name(text, locale_name);
  put(text, kAfterLocale);
  put_rows(text, block + kLowerOffset, kCodes, put_decimal, next_row);
  put(text, kFlipTitle);
  put_rows(text, block + kFlipOffset, kCodes, put_decimal, next_row);

  // Each map's name follows its first row; an empty line separates two maps.
  put(text, kClassTitle);
  put_rows(text, block + kClassOffset, kClassLength, put_hex, [&](std::size_t row) {
    put(text, ",");
    if (row % kRowsPerMap == 0) {
      put(text, "  /* ");
      put(text, kClassNames[row / kRowsPerMap]);
      put(text, " */");
    }
    put(text, row % kRowsPerMap == kRowsPerMap - 1 ? "\n\n" : "\n");
  });

  put(text, kTypeTitle);
  for (unsigned bit = 0; 1u << bit <= kTypeWord; bit++) {
    put(text, "  ");
    put_hex(text, 1u << bit);
    put(text, "   ");
    put(text, kTypeMeanings[bit]);
    put(text, "\n");
  }
  put(text, "*/\n\n");
  // Each row's codes follow it; the last row's follow the array's end.
  put_rows(text, block + kTypeOffset, kCodes, put_hex, [&](std::size_t row) {
    put(text, ", /* ");
    put_range(text, block, row * kRowLength);
    put(text, " */\n");
  });
  put(text, "};/* ");
  put_range(text, block, kCodes - kRowLength);
  put(text, kEnd);
  return text.length;
}

}  // namespace tresk
