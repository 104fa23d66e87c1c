// Computes the character table block in the current locale.
#include "tables.h"

#include <algorithm>
#include <cctype>

namespace tresk {
namespace {

void set_class(Block block, ClassMap map, int c) {
  block[class_map_offset(map) + c / 8] |= static_cast<std::uint8_t>(1u << (c % 8));
}

}  // namespace

void build_tables(Block block) {
  std::fill(block.begin(), block.end(), std::uint8_t{0});
  for (int c = 0; c < static_cast<int>(kCodes); c++) {
    const bool digit = c >= kFirstDigit && c <= kLastDigit;
    const bool word = std::isalnum(c) || c == kUnderscore;

    // Stored as the low 8 bits, as the library's tables hold bytes.
    block[kLowerOffset + c] = static_cast<std::uint8_t>(std::tolower(c));
    block[kFlipOffset + c] =
        static_cast<std::uint8_t>(std::islower(c) ? std::toupper(c) : std::tolower(c));

    if (std::isspace(c)) set_class(block, kSpace, c);
    if (std::isxdigit(c)) set_class(block, kXdigit, c);
    if (digit) set_class(block, kDigit, c);
    if (std::isupper(c)) set_class(block, kUpper, c);
    if (std::islower(c)) set_class(block, kLower, c);
    if (word) set_class(block, kWord, c);
    if (std::isgraph(c)) set_class(block, kGraph, c);
    if (std::isprint(c)) set_class(block, kPrint, c);
    if (std::ispunct(c)) set_class(block, kPunct, c);
    if (std::iscntrl(c)) set_class(block, kCntrl, c);

    std::uint8_t type = 0;
    if (std::isspace(c)) type |= kTypeSpace;
    if (std::isalpha(c)) type |= kTypeLetter;
    if (std::islower(c)) type |= kTypeLower;
    if (digit) type |= kTypeDigit;
    if (word) type |= kTypeWord;
    block[kTypeOffset + c] = type;
  }
}

}  // namespace tresk
