// Helpers shared by the tests: running the real program, scratch directories, the
// test-built 8-bit locale.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
#ifndef TRESK_TESTS_SUPPORT_H
#define TRESK_TESTS_SUPPORT_H

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tresk::test {

struct Outcome {
  int status = -1;  // exit status, or 128 + signal
  std::string out;
  std::string err;
};

struct Launch {
  // Environment changes: a value sets the variable, nullopt removes it.
  std::vector<std::pair<std::string, std::optional<std::string>>> env;
  long file_size_limit = -1;  // bytes, as ulimit -f sets it, with SIGXFSZ ignored; -1: none
};

// Runs `program` (through the cross-compiling emulator, if any) with `args`.
Outcome run_program(const std::string& program, const std::vector<std::string>& args,
                    const Launch& launch = {});
Outcome run_charsmith(const std::vector<std::string>& args, const Launch& launch = {});
// Runs a tool of the build machine (compiler, binutils), never through the emulator.
Outcome run_host(const std::vector<std::string>& command);

// A fresh directory, removed with its contents when the object goes.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

std::optional<std::string> read_file(const std::string& path);
void write_file(const std::string& path, const std::string& content);
bool exists(const std::string& path);

// The 8-bit locale built for the tests by localedef, whether the C library can set it, and
// the environment that selects it.
inline constexpr char kTurkish[] = "tr_TR.ISO-8859-9";
bool turkish_available();
std::string locale_dir();
Launch turkish_launch();

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
