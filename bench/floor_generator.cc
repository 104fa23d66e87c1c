// The floor of what a library's build pays for a table generator: the simplest C++ program
// that computes the same 1088-byte block and writes it, as C source or with -b as bytes
// (-L takes the locale from the environment). bench/consumer.sh builds and runs it with
// hand-written CMake, and compares the tools' cost with its own.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
#include <cctype>
#include <clocale>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  bool binary = false;
  int next = 1;
  for (; next < argc - 1; next++) {
    if (std::strcmp(argv[next], "-b") == 0) binary = true;
    if (std::strcmp(argv[next], "-L") == 0) std::setlocale(LC_ALL, "");
  }
  unsigned char t[1088] = {};
  for (int c = 0; c < 256; c++) {
    const bool digit = c >= '0' && c <= '9', word = std::isalnum(c) || c == '_';
    const bool in[10] = {bool(std::isspace(c)), bool(std::isxdigit(c)), digit,
                         bool(std::isupper(c)), bool(std::islower(c)),  word,
                         bool(std::isgraph(c)), bool(std::isprint(c)),  bool(std::ispunct(c)),
                         bool(std::iscntrl(c))};
    t[c] = static_cast<unsigned char>(std::tolower(c));
    t[256 + c] = static_cast<unsigned char>(in[4] ? std::toupper(c) : std::tolower(c));
    for (int m = 0; m < 10; m++) t[512 + m * 32 + c / 8] |= in[m] << (c % 8);
    t[832 + c] = (in[0] ? 1 : 0) | (std::isalpha(c) ? 2 : 0) | (in[4] ? 4 : 0) |
                 (digit ? 8 : 0) | (word ? 16 : 0);
  }
  std::FILE* f = std::fopen(argv[argc - 1], "wb");
  if (f == nullptr) return 1;
  if (binary) {
    std::fwrite(t, 1, sizeof t, f);
  } else {
    std::fputs("#include \"tresk_internal.h\"\nconst uint8_t PRIV(default_tables)[] = {\n", f);
    for (int i = 0; i < 1088; i++) std::fprintf(f, "%3d,%s", t[i], i % 8 == 7 ? "\n" : "");
    std::fputs("};\n", f);
  }
  return std::fclose(f) != 0;
}
