// Helpers shared by the in-process tests: scratch folders, files, and the test-built 8-bit
// locale.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
#ifndef TRESK_TESTS_SUPPORT_H
#define TRESK_TESTS_SUPPORT_H

#include <optional>
#include <string>

namespace tresk::test {

// A fresh folder for the running test in the build tree, removed with its contents when the
// object goes.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

std::optional<std::string> read_file(const std::string& path);
void write_file(const std::string& path, const std::string& content);
bool exists(const std::string& path);

// The 8-bit locale built for the tests by localedef, and whether the C library can set it.
inline constexpr char kTurkish[] = "tr_TR.ISO-8859-9";
bool turkish_available();

// Switches this process to the test locale for one scope, and back to "C" after.
class TurkishLocale {
 public:
  TurkishLocale();
  ~TurkishLocale();
  TurkishLocale(const TurkishLocale&) = delete;
  TurkishLocale& operator=(const TurkishLocale&) = delete;
  bool active() const { return active_; }

 private:
  bool active_ = false;
};

#define SKIP_WITHOUT_TURKISH()             \
  if (!::tresk::test::turkish_available()) \
  GTEST_SKIP() << "the 8-bit test locale is not here: localedef builds it for the GNU C library"

}  // namespace tresk::test

#endif
