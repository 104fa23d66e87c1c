// Scratch folders, files and the test locale for the in-process tests.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
#include "support.h"

#include <gtest/gtest.h>

#include <cctype>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tresk::test {

ScratchDir::ScratchDir() {
  const auto* test = testing::UnitTest::GetInstance()->current_test_info();
  path_ = std::string(TRESK_TEST_SCRATCH) + "/" + test->test_suite_name() + "." + test->name();
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
  std::filesystem::create_directories(path_, ignored);
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::optional<std::string> read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void write_file(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

bool exists(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

bool turkish_available() {
  static const bool available = TurkishLocale().active();
  return available;
}

TurkishLocale::TurkishLocale() {
  static char locale_path[] = "LOCPATH=" TRESK_TEST_LOCALES;
  putenv(locale_path);
  // Some C libraries take any name: the locale counts only where it classifies its letters.
  // The letter is read at run time, or the compiler folds the call as in "C".
  volatile int c_cedilla = 0xE7;
  active_ = std::setlocale(LC_ALL, kTurkish) != nullptr && std::toupper(c_cedilla) == 0xC7;
}

TurkishLocale::~TurkishLocale() {
  std::setlocale(LC_ALL, "C");
}

}  // namespace tresk::test
