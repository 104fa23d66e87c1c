// One run of tresk_charsmith in this process, where the C library's storage and close can be
// made to fail. Everything the program does as a command is checked by command_line.cmake.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>

#include "driver.h"
#include "support.h"
#include "tables.h"

namespace tresk {
namespace {

using test::exists;
using test::read_file;
using test::ScratchDir;

// GoogleTest cannot capture this process's standard error under Emscripten: there only the
// status and the files are checked.
#ifdef __EMSCRIPTEN__
constexpr bool kCaptures = false;
#else
constexpr bool kCaptures = true;
#endif

// Runs the program with `resources` and returns its status and what it wrote to stderr.
std::pair<int, std::string> run_captured(const Settings& settings, const Resources& resources) {
  if (kCaptures) testing::internal::CaptureStderr();
  const int status = run(settings, resources);
  return {status, kCaptures ? testing::internal::GetCapturedStderr() : ""};
}

void* no_storage(std::size_t) {
  return nullptr;
}

// Grants the block and refuses the next request.
void* block_only(std::size_t size) {
  return size == kBlockSize ? std::malloc(size) : nullptr;
}

TEST(StorageFailure, ReportedBeforeTheOutputIsOpened) {
  ScratchDir dir;
  const std::string out = dir / "out";
  const std::pair<void* (*)(std::size_t), bool> cases[] = {
      {no_storage, true}, {no_storage, false}, {block_only, false}};
  for (const auto& [allocate, binary] : cases) {
    const auto [status, err] = run_captured({binary, "C", out.c_str()}, {allocate, std::fclose});
    EXPECT_EQ(status, 1);
    if (kCaptures) {
      EXPECT_EQ(err, "tresk_charsmith: malloc() failed\n");
    }
    EXPECT_FALSE(exists(out));
  }
}

// Closes the file, then fails as a close on NFS does that reports a deferred write error.
int failing_close(std::FILE* file) {
  std::fclose(file);
  errno = EIO;
  return EOF;
}

TEST(WriteFailures, AFailedCloseLeavesNoTables) {
  ScratchDir dir;
  for (const bool binary : {false, true}) {
    for (const bool through_link : {false, true}) {
      SCOPED_TRACE(testing::Message()
                   << (binary ? "-b" : "source") << (through_link ? ", through a link" : ""));
      const std::string target = dir / "tables";
      const std::string out = through_link ? dir / "link" : target;
      test::write_file(target, "previous content");
      if (through_link) {
        std::error_code failed;
        std::filesystem::create_symlink(target, out, failed);
        if (failed) continue;  // no links here (Windows)
      }
      const auto [status, err] = run_captured({binary, "C", out.c_str()}, {std::malloc, failing_close});
      EXPECT_EQ(status, 1);
      if (kCaptures) {
        EXPECT_EQ(err, "tresk_charsmith: failed to write " + out + "\n");
      }
      // A link stays, pointing at an emptied file; a regular file is removed.
      EXPECT_EQ(read_file(target), through_link ? std::optional<std::string>("") : std::nullopt);
      EXPECT_EQ(exists(out), through_link);
      std::filesystem::remove(out);
      std::filesystem::remove(target);
    }
  }
}

}  // namespace
}  // namespace tresk
