// The generated source text is assembled in memory, so that the driver can hand it to the
// file in one write and check that write.
#include "source_writer.h"

#include <cstring>
#include <string_view>

namespace tresk {
namespace {

constexpr std::size_t kRowLength = 8;

constexpr std::string_view kHeader =
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

constexpr std::string_view kAfterLocale =
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

constexpr std::string_view kFlipTitle =
    ",\n"
    "\n"
    "/* This table is a case flipping table. */\n"
    "\n";

constexpr std::string_view kClassTitle =
    ",\n"
    "\n"
    "/* This table contains bit maps for various character classes. Each map is 32\n"
    "bytes long and the bits run from the least significant end of each byte. The\n"
    "classes that have their own maps are: space, xdigit, digit, upper, lower, word,\n"
    "graph, print, punct, and cntrl. Other classes are built from combinations. */\n"
    "\n";

constexpr std::string_view kTypeTitle =
    ",\n"
    "\n"
    "/* This table identifies various classes of character by individual bits:\n";

// The meanings of kTypeFlags, in the same order.
constexpr std::array<std::string_view, kTypeFlags.size()> kTypeMeanings = {
    "white space character", "letter", "lower case letter", "decimal digit", "alphanumeric or '_'"};

constexpr std::string_view kTypeTitleEnd =
    "*/\n"
    "\n";

constexpr std::string_view kEnd = " */\n\n/* End of tresk_chartables.c */\n";

void put(char*& p, std::string_view s) {
  std::memcpy(p, s.data(), s.size());
  p += s.size();
}

// "%3d" and "0x%02x" of every byte value, looked up rather than computed: the tables are
// most of the text.
struct CellText {
  char decimal[3];
  char hex[4];
};
constexpr std::array<CellText, kCodes> kCellText = [] {
  constexpr char kDigits[] = "0123456789abcdef";
  std::array<CellText, kCodes> text{};
  for (unsigned v = 0; v < kCodes; v++) {
    text[v] = {
        {v >= 100 ? static_cast<char>('0' + v / 100) : ' ',
         v >= 10 ? static_cast<char>('0' + v / 10 % 10) : ' ', static_cast<char>('0' + v % 10)},
        {'0', 'x', kDigits[v >> 4], kDigits[v & 15]}};
  }
  return text;
}();

void put_decimal(char*& p, unsigned v) {
  std::memcpy(p, kCellText[v].decimal, 3);
  p += 3;
}

void put_hex(char*& p, unsigned v) {
  std::memcpy(p, kCellText[v].hex, 4);
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
void put_range(char*& p, ConstBlock block, unsigned first, unsigned last) {
  if (in_class(block, kPrint, static_cast<int>(first))) {
    put(p, " ");
    *p++ = static_cast<char>(first);
    put(p, " -");
  } else {
    put_decimal(p, first);
    put(p, "-");
  }
  if (in_class(block, kPrint, static_cast<int>(last))) {
    put(p, " ");
    *p++ = static_cast<char>(last);
    put(p, " ");
  } else {
    put_decimal(p, last);
  }
}

enum class Cell { kDecimal, kHex };

// Lays out values in rows of eight, each row starting with two spaces and every value but
// the last followed by a comma. row_end(p, i) annotates the row that ends before value i;
// the last row is left for the caller to close.
template <typename RowEnd>
void put_rows(char*& p, std::span<const std::uint8_t> values, Cell cell, RowEnd row_end) {
  put(p, "  ");
  for (std::size_t i = 0; i < values.size(); i++) {
    if (i > 0) {
      *p++ = ',';
      if (i % kRowLength == 0) {
        row_end(p, i);
        put(p, "\n  ");
      }
    }
    if (cell == Cell::kDecimal) {
      put_decimal(p, values[i]);
    } else {
      put_hex(p, values[i]);
    }
  }
}

void no_note(char*&, std::size_t) {}

}  // namespace

std::size_t render_source(ConstBlock block, const char* locale_name, char* out) {
  char* p = out;
  put(p, kHeader);
  put_locale_name(p, locale_name);
  put(p, kAfterLocale);

  put_rows(p, block.subspan<kLowerOffset, kCodes>(), Cell::kDecimal, no_note);
  put(p, kFlipTitle);
  put_rows(p, block.subspan<kFlipOffset, kCodes>(), Cell::kDecimal, no_note);

  put(p, kClassTitle);
  put_rows(p, block.subspan<kClassOffset, kClassLength>(), Cell::kHex, [](char*& q, std::size_t i) {
    if (i % kClassMapLength == 0) {
      put(q, "\n");  // an empty line between two maps
    } else if (i % kClassMapLength == kRowLength) {
      put(q, "  /* ");
      put(q, kClassNames[i / kClassMapLength]);
      put(q, " */");
    }
  });

  put(p, kTypeTitle);
  for (std::size_t f = 0; f < kTypeFlags.size(); f++) {
    put(p, "  ");
    put_hex(p, kTypeFlags[f]);
    put(p, "   ");
    put(p, kTypeMeanings[f]);
    put(p, "\n");
  }
  put(p, kTypeTitleEnd);
  put_rows(p, block.subspan<kTypeOffset, kCodes>(), Cell::kHex, [block](char*& q, std::size_t i) {
    put(q, " /* ");
    put_range(q, block, static_cast<unsigned>(i - kRowLength), static_cast<unsigned>(i - 1));
    put(q, " */");
  });
  put(p, "};/* ");
  put_range(p, block, kCodes - kRowLength, kCodes - 1);
  put(p, kEnd);
  return static_cast<std::size_t>(p - out);
}

}  // namespace tresk
