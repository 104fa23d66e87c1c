// The generated source text is assembled in memory, so that the driver can hand it to the
// file in one write and check that write.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
#include "source_writer.h"

#include <cstring>

namespace tresk {
namespace {

constexpr std::size_t kRowLength = 8;

constexpr char kHeader[] =
    "/*************************************************\n"
    "*      Morvane       *\n"
    "*************************************************/\n"
    "\n"
    "/* This file was automatically written by the tresk_charsmith auxiliary\n"
    "program. It contains character tables that are used when no external\n"
    "tables are passed to TRESK by the application that calls it. The tables\n"
    "are used only for characters whose code values are less than 256. */\n"
    "\n"
    "/* This set of tables was written in the ";

constexpr char kAfterLocale[] =
    " locale. */\n"
    "\n"
    "/* The tresk_glyphkit program (which is distributed with TRESK) can be used\n"
    "to build alternative versions of this file. This is necessary if you are\n"
    "running in an EBCDIC environment, or if you want to default to a different\n"
    "encoding, for example ISO-8859-1. When tresk_charsmith is run, it creates\n"
    "these tables in the \"C\" locale by default. This happens automatically if\n"
    "TRESK is configured with --enable-rebuild-chartables. However, you can run\n"
    "tresk_charsmith manually with the -L option to build tables using the LC_ALL\n"
    "locale. */\n"
    "\n"
    "/* The following #include is present because without it gcc 4.x may remove\n"
    "the array definition from the final binary if TRESK is built into a static\n"
    "library and dead code stripping is activated. This leads to link errors.\n"
    "Pulling in the header ensures that the array gets flagged as \"someone\n"
    "outside this compilation unit might reference this\" and so it will always\n"
    "be supplied to the linker. */\n"
    "\n"
    "#ifdef HAVE_CONFIG_H\n"
    "#include \"config.h\"\n"
    "#endif\n"
    "\n"
    "#include \"tresk_internal.h\"\n"
    "\n"
    "const uint8_t PRIV(default_tables)[] = {\n"
    "\n"
    "/* This table is a lower casing table. */\n"
    "\n";

constexpr char kFlipTitle[] =
    ",\n"
    "\n"
    "/* This table is a case flipping table. */\n"
    "\n";

constexpr char kClassTitle[] =
    ",\n"
    "\n"
    "/* This table contains bit maps for various character classes. Each map is 32\n"
    "bytes long and the bits run from the least significant end of each byte. The\n"
    "classes that have their own maps are: space, xdigit, digit, upper, lower, word,\n"
    "graph, print, punct, and cntrl. Other classes are built from combinations. */\n"
    "\n";

constexpr char kTypeTitle[] =
    ",\n"
    "\n"
    "/* This table identifies various classes of character by individual bits:\n";

// The meanings of kTypeFlags, in the same order.
constexpr const char* kTypeMeanings[kTypeFlagCount] = {
    "white space character", "letter", "lower case letter", "decimal digit", "alphanumeric or '_'"};

constexpr char kTypeTitleEnd[] =
    "*/\n"
    "\n";

constexpr char kEnd[] = " */\n\n/* End of tresk_chartables.c */\n";

// The compiler knows the length of every constant text put here.
void put(char*& p, const char* s) {
  const std::size_t length = std::strlen(s);
  std::memcpy(p, s, length);
  p += length;
}

// "%3d" and "0x%02x" of every byte value, looked up rather than computed for each cell:
// the tables are most of the text. They are filled in when the program runs, which costs
// less than having the compiler evaluate them.
struct CellText {
  char decimal[3];
  char hex[4];
};
using CellTexts = CellText[kCodes];

void fill_cell_texts(CellTexts& cells) {
  constexpr char kDigits[] = "0123456789abcdef";
  char decimal[3] = {' ', ' ', '0'};
  for (unsigned v = 0; v < kCodes; v++) {
    cells[v] = {{decimal[0], decimal[1], decimal[2]}, {'0', 'x', kDigits[v >> 4], kDigits[v & 15]}};
    // Count on: a '9' turns to '0' and carries, a blank becomes '1'.
    for (int d = 2; d >= 0; d--) {
      if (decimal[d] != '9') {
        decimal[d] = decimal[d] == ' ' ? '1' : static_cast<char>(decimal[d] + 1);
        break;
      }
      decimal[d] = '0';
    }
  }
}

void put_decimal(char*& p, const CellText& cell) {
  std::memcpy(p, cell.decimal, 3);
  p += 3;
}

void put_hex(char*& p, const CellText& cell) {
  std::memcpy(p, cell.hex, 4);
  p += 4;
}

// The name goes inside a comment: a backslash between the characters of "*/" and "/*"
// keeps it from ending the comment or opening a nested one, and control bytes are written
// as octal escapes so that no newline can split the line.
void put_locale_name(char*& p, const char* name) {
  for (const char* s = name; *s != '\0'; s++) {
    const auto c = static_cast<unsigned char>(*s);
    if (c < 0x20 || c == 0x7f) {
      p[0] = '\\';
      p[1] = static_cast<char>('0' + (c >> 6));
      p[2] = static_cast<char>('0' + ((c >> 3) & 7));
      p[3] = static_cast<char>('0' + (c & 7));
      p += 4;
    } else {
      *p++ = static_cast<char>(c);
    }
    if ((c == '*' && s[1] == '/') || (c == '/' && s[1] == '*')) *p++ = '\\';
  }
}

// The range comment of a character-type row: a printable code is shown as itself, any
// other by its number, each field as wide either way so that the comments line up.
void put_range(char*& p, const CellTexts& cells, const std::uint8_t* block, unsigned first,
               unsigned last) {
  if (in_class(block, kPrint, static_cast<int>(first))) {
    put(p, " ");
    *p++ = static_cast<char>(first);
    put(p, " -");
  } else {
    put_decimal(p, cells[first]);
    put(p, "-");
  }
  if (in_class(block, kPrint, static_cast<int>(last))) {
    put(p, " ");
    *p++ = static_cast<char>(last);
    put(p, " ");
  } else {
    put_decimal(p, cells[last]);
  }
}

enum class Cell { kDecimal, kHex };

// Lays out values in rows of eight, each row starting with two spaces and every value but
// the last followed by a comma. row_end(p, i) annotates the row that ends before value i;
// the last row is left for the caller to close.
template <typename RowEnd>
void put_rows(char*& p, const CellTexts& cells, const std::uint8_t* values, std::size_t count,
              Cell cell, RowEnd row_end) {
  put(p, "  ");
  for (std::size_t i = 0; i < count; i++) {
    if (i > 0) {
      *p++ = ',';
      if (i % kRowLength == 0) {
        row_end(p, i);
        put(p, "\n  ");
      }
    }
    if (cell == Cell::kDecimal) {
      put_decimal(p, cells[values[i]]);
    } else {
      put_hex(p, cells[values[i]]);
    }
  }
}

void no_note(char*&, std::size_t) {}

}  // namespace

std::size_t render_source(const std::uint8_t* block, const char* locale_name, char* out) {
  char* p = out;
  put(p, kHeader);
  put_locale_name(p, locale_name);
  put(p, kAfterLocale);

  CellTexts cells;
  fill_cell_texts(cells);
  put_rows(p, cells, block + kLowerOffset, kCodes, Cell::kDecimal, no_note);
  put(p, kFlipTitle);
  put_rows(p, cells, block + kFlipOffset, kCodes, Cell::kDecimal, no_note);

  put(p, kClassTitle);
  put_rows(p, cells, block + kClassOffset, kClassLength, Cell::kHex, [](char*& q, std::size_t i) {
    if (i % kClassMapLength == 0) {
      put(q, "\n");  // an empty line between two maps
    } else if (i % kClassMapLength == kRowLength) {
      put(q, "  /* ");
      put(q, kClassNames[i / kClassMapLength]);
      put(q, " */");
    }
  });

  put(p, kTypeTitle);
  for (std::size_t f = 0; f < kTypeFlagCount; f++) {
    put(p, "  ");
    put_hex(p, cells[kTypeFlags[f]]);
    put(p, "   ");
    put(p, kTypeMeanings[f]);
    put(p, "\n");
  }
  put(p, kTypeTitleEnd);
  put_rows(p, cells, block + kTypeOffset, kCodes, Cell::kHex, [&](char*& q, std::size_t i) {
    put(q, " /* ");
    put_range(q, cells, block, static_cast<unsigned>(i - kRowLength), static_cast<unsigned>(i - 1));
    put(q, " */");
  });
  put(p, "};/* ");
  put_range(p, cells, block, kCodes - kRowLength, kCodes - 1);
  put(p, kEnd);
  return static_cast<std::size_t>(p - out);
}

}  // namespace tresk
