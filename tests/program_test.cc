// tresk_charsmith through its own command line: messages, statuses, output files, write
// failures, and the generated source through a real C compiler.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
#include <gtest/gtest.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <sys/sysmacros.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "driver.h"
#include "support.h"
#include "tables.h"

namespace {
// When set, the next fclose fails as a close on NFS does that reports a deferred write error.
bool fail_next_fclose = false;
}  // namespace

// The program's calls come here, in this test binary, and go through to the C library's.
// WebAssembly has no dynamic linker to find it: there the link wraps fclose.
#ifdef __EMSCRIPTEN__
extern "C" int __real_fclose(std::FILE* file);
#define fclose __wrap_fclose
#endif
extern "C" int fclose(std::FILE* file) {
#ifdef _WIN32
  static const auto real = reinterpret_cast<int (*)(std::FILE*)>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("msvcrt.dll"), "fclose")));
#elif defined(__EMSCRIPTEN__)
  const auto real = __real_fclose;
#else
  static const auto real = reinterpret_cast<int (*)(std::FILE*)>(dlsym(RTLD_NEXT, "fclose"));
#endif
  const int status = real(file);
  if (!std::exchange(fail_next_fclose, false)) return status;
  errno = EIO;
  return EOF;
}
#undef fclose

namespace tresk {
namespace {

using test::exists;
using test::read_file;
using test::run_charsmith;
using test::ScratchDir;

constexpr char kUsage[] =
    "Usage: tresk_charsmith [options] <output file>\n"
    "  -b    Write output in binary (default is source code)\n"
    "  -L    Use locale from LC_ALL (default is \"C\" locale)\n";
constexpr char kOneFile[] = "tresk_charsmith: one filename argument is required\n";

std::string replace_all(std::string text, const std::string& from, const std::string& to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

struct CommandCase {
  std::vector<std::string> args;  // "@" stands for the scratch directory
  int status;
  std::string err;
  long output_size;  // of the file written: -1 when none may be created
  const char* written = "@/out";
};

TEST(CommandLine, EveryMessageAndStatus) {
  const CommandCase cases[] = {
      {{}, 1, kOneFile, -1},
      {{"-b"}, 1, kOneFile, -1},
      {{"-L"}, 1, kOneFile, -1},
      {{"@/out", "-b"}, 1, kOneFile, -1},
      {{"@/out", "@/other"}, 1, kOneFile, -1},
      {{"-x", "@/out"}, 1, "tresk_charsmith: unrecognized option -x\n", -1},
      {{"-", "@/out"}, 1, "tresk_charsmith: unrecognized option -\n", -1},
      {{"--", "@/out"}, 1, "tresk_charsmith: unrecognized option --\n", -1},
      {{"-bL", "@/out"}, 1, "tresk_charsmith: unrecognized option -bL\n", -1},
      {{"-B", "@/out"}, 1, "tresk_charsmith: unrecognized option -B\n", -1},
      {{"-b", "-y", "@/out"}, 1, "tresk_charsmith: unrecognized option -y\n", -1},
      {{"-help"}, 0, kUsage, -1},
      {{"--help", "@/out"}, 0, kUsage, -1},
      {{"-b", "-help", "@/out"}, 0, kUsage, -1},
      {{"@/no/such/dir"}, 1, "tresk_charsmith: failed to open @/no/such/dir for writing\n", -1},
      {{"-b", "@/no/dir"}, 1, "tresk_charsmith: failed to open @/no/dir for writing\n", -1},
      {{"@/out"}, 0, "", 8081},
      {{"-b", "@/out"}, 0, "", 1088},
      {{"-b", "-b", "@/out"}, 0, "", 1088},
      // Names beyond an 8-bit code page, which Windows passes whole only in UTF-8.
      {{"@/表 x.c"}, 0, "", 8081, "@/表 x.c"},
      {{"-b", "@/\U0001F600.bin"}, 0, "", 1088, "@/\U0001F600.bin"},
      {{"@/表/x.c"}, 1, "tresk_charsmith: failed to open @/表/x.c for writing\n", -1},
  };
  for (const auto& c : cases) {
    ScratchDir dir;
    std::vector<std::string> args;
    for (const auto& a : c.args) args.push_back(replace_all(a, "@", dir.path()));
    SCOPED_TRACE(testing::PrintToString(args));
    // -L must not depend on whatever locale this machine's environment names.
    const auto outcome = run_charsmith(args, {{{"LC_ALL", "C"}}});
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.err, replace_all(c.err, "@", dir.path()));
    EXPECT_EQ(outcome.out, "");
    const auto written = read_file(replace_all(c.written, "@", dir.path()));
    EXPECT_EQ(written ? long(written->size()) : -1L, c.output_size);
  }
}

TEST(CommandLine, LocaleFromTheEnvironment) {
  ScratchDir dir;
  // An unknown locale is refused before anything is written; Emscripten's C library takes
  // any name, and classifies as in "C".
  auto outcome = run_charsmith({"-L", dir / "out"}, {{{"LC_ALL", "xx_NOWHERE.bogus"}}});
#ifdef __EMSCRIPTEN__
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.err, "");
#else
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.err, "tresk_charsmith: setlocale() failed\n");
  EXPECT_FALSE(exists(dir / "out"));
#endif

  // LC_ALL unset: the locale line says "(null)", and the tables are those of "C".
  // Every category then comes from LANG, so none may name a locale missing here.
  test::Launch unset{{{"LC_ALL", std::nullopt}, {"LANG", "C"}}};
  for (const char* category :
       {"LC_CTYPE", "LC_COLLATE", "LC_MESSAGES", "LC_MONETARY", "LC_NUMERIC", "LC_TIME", "LC_PAPER",
        "LC_NAME", "LC_ADDRESS", "LC_TELEPHONE", "LC_MEASUREMENT", "LC_IDENTIFICATION"}) {
    unset.env.emplace_back(category, std::nullopt);
  }
  outcome = run_charsmith({"-L", dir / "null.c"}, unset);
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.err, "");
  const auto text = read_file(dir / "null.c").value_or("");
  EXPECT_NE(text.find("\n/* This set of tables was written in the (null) locale. */\n"),
            std::string::npos);
#ifndef _WIN32
  ASSERT_EQ(run_charsmith({dir / "c.c"}).status, 0);
  EXPECT_EQ(text.size(), read_file(dir / "c.c")->size() - 1 + 6);
#endif  // Windows' C library then takes the user's default locale, whatever LANG says.

  // Without -L the environment is not consulted.
  ASSERT_EQ(run_charsmith({"-b", dir / "c.bin"}, {{{"LC_ALL", "xx_NOWHERE.bogus"}}}).status, 0);
  ASSERT_EQ(run_charsmith({"-L", "-b", dir / "l.bin"}, {{{"LC_ALL", "C"}}}).status, 0);
  EXPECT_EQ(read_file(dir / "c.bin"), read_file(dir / "l.bin"));
}

#ifdef _WIN32
// Under wine, this machine's full device as Windows sees it.
std::string full_device(const ScratchDir&) {
  return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") ? "Z:\\dev\\full" : "";
}
bool is_device(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  struct _stat64 st;
  const bool device =
      file && _fstat64(_fileno(file), &st) == 0 && (st.st_mode & _S_IFMT) == _S_IFCHR;
  if (file) std::fclose(file);
  return device;
}
#else
std::string full_device(const ScratchDir& dir) {
#ifdef __EMSCRIPTEN__
  return "/dev/full";  // no node can be made here; the program leaves a device alone
#endif
  const std::string full = dir / "full";
  return mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0 ? full : "";
}
bool is_device(const std::string& path) {
  return std::filesystem::is_character_file(std::filesystem::symlink_status(path));
}
#endif

TEST(WriteFailures, DeviceFullIsReportedAndTheNodeKept) {
  ScratchDir dir;
  const std::string full = full_device(dir);
  if (full.empty()) GTEST_SKIP() << "no full device can be made or reached here";
  for (const bool binary : {false, true}) {
    std::vector<std::string> args = {full};
    if (binary) args.insert(args.begin(), "-b");
    const auto outcome = run_charsmith(args);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err,
              binary ? "tresk_charsmith: fwrite() returned wrong length 0 instead of 1088\n"
                     : "tresk_charsmith: failed to write " + full + "\n");
    EXPECT_TRUE(is_device(full)) << "the device node was removed";
  }
}

// The program run in this process, where its fclose fails.
test::Outcome run_failing_close(bool binary, const std::string& out) {
  fail_next_fclose = true;
  testing::internal::CaptureStderr();
  const int status = run(Settings{binary, "C", out.c_str()}, std::malloc);
  return {status, "", testing::internal::GetCapturedStderr()};
}

TEST(WriteFailures, NoPartialTablesAreLeft) {
#ifdef __EMSCRIPTEN__
  GTEST_SKIP() << "no file size limit can be set under Emscripten, nor standard error captured";
#endif
  ScratchDir dir;
  // One 1,024-byte block: the write gets partway, to a file that held something before.
  test::Launch no_room;
  no_room.file_size_limit = 1024;
  // -b, and whether the write or the close fails.
  for (const auto& [binary, at_close] :
       {std::pair{false, false}, {true, false}, {false, true}, {true, true}}) {
    for (const bool through_link : {false, true}) {
#ifdef _WIN32
      // No file size limit can be set here, and no link made.
      if (!at_close || through_link) continue;
#endif
      SCOPED_TRACE(testing::Message()
                   << (binary ? "-b" : "source") << (at_close ? ", failed close" : "")
                   << (through_link ? ", through a link" : ""));
      const std::string target = dir / "tables";
      const std::string out = through_link ? dir / "link" : target;
      test::write_file(target, "previous content");
      if (through_link) {
        std::error_code failed;
        std::filesystem::create_symlink(target, out, failed);
        ASSERT_FALSE(failed) << failed.message();
      }
      std::vector<std::string> args = {out};
      if (binary) args.insert(args.begin(), "-b");
      const auto outcome = at_close ? run_failing_close(binary, out) : run_charsmith(args, no_room);
      EXPECT_EQ(outcome.status, 1);
      EXPECT_EQ(outcome.err,
                binary && !at_close
                    ? "tresk_charsmith: fwrite() returned wrong length 1024 instead of 1088\n"
                    : "tresk_charsmith: failed to write " + out + "\n");
      EXPECT_EQ(outcome.out, "");
      // A link stays, pointing at an emptied file; a regular file is removed.
      EXPECT_EQ(read_file(target), through_link ? std::optional<std::string>("") : std::nullopt);
      EXPECT_EQ(exists(out), through_link);
      std::filesystem::remove(out);
      std::filesystem::remove(target);
    }
  }
}

void* no_storage(std::size_t) {
  return nullptr;
}

// Grants the block and refuses the next request.
void* block_only(std::size_t size) {
  return size == kBlockSize ? std::malloc(size) : nullptr;
}

TEST(StorageFailure, ReportedBeforeTheOutputIsOpened) {
#ifdef __EMSCRIPTEN__
  GTEST_SKIP() << "GoogleTest cannot capture this process's standard error under Emscripten";
#endif
  ScratchDir dir;
  const std::string out = dir / "out";
  const std::pair<Allocator, bool> cases[] = {
      {no_storage, true}, {no_storage, false}, {block_only, false}};
  for (const auto& [allocate, binary] : cases) {
    Settings settings;
    settings.binary = binary;
    settings.output = out.c_str();
    testing::internal::CaptureStderr();
    EXPECT_EQ(run(settings, allocate), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "tresk_charsmith: malloc() failed\n");
    EXPECT_FALSE(exists(out));
  }
}

// Compiles a generated file with a stand-in for the library's header and checks that the
// array it defines holds exactly the binary output of the same locale.
void expect_round_trip(const ScratchDir& dir, const test::Launch& launch,
                       const std::vector<std::string>& options) {
#ifdef _WIN32
  GTEST_SKIP() << "a Windows program cannot run the build machine's compiler; the example "
                  "library's tests compile the tables for Windows";
#endif
  auto with = [&](std::vector<std::string> args, const std::string& out) {
    args.insert(args.end(), out);
    return args;
  };
  ASSERT_EQ(run_charsmith(with(options, dir / "tresk_chartables.c"), launch).status, 0);
  auto binary = options;
  binary.push_back("-b");
  ASSERT_EQ(run_charsmith(with(binary, dir / "tables.bin"), launch).status, 0);

  test::write_file(dir / "tresk_internal.h",
                   "#include <stdint.h>\n#define PRIV(name) _tresk_##name\n");
  test::write_file(dir / "dump.c",
                   "#include <stdio.h>\n"
                   "#include \"tresk_chartables.c\"\n"
                   "_Static_assert(sizeof PRIV(default_tables) == 1088, \"size\");\n"
                   "/* Clashes with anything a locale name might inject. */\n"
                   "static char evil __attribute__((unused));\n"
                   "int main(int argc, char **argv) {\n"
                   "  FILE *f = fopen(argv[1], \"wb\");\n"
                   "  if (argc != 2 || !f) return 2;\n"
                   "  fwrite(PRIV(default_tables), 1, sizeof PRIV(default_tables), f);\n"
                   "  return fclose(f) != 0;\n"
                   "}\n");
  std::vector<std::string> compile = {TRESK_TEST_C_COMPILER, "-Wall", "-Werror", dir / "dump.c"};
  if (*TRESK_TEST_C_TARGET) compile.push_back("--target=" TRESK_TEST_C_TARGET);  // clang's
#ifdef __EMSCRIPTEN__
  compile.insert(compile.end(), {"-sNODERAWFS=1", "-sEXIT_RUNTIME=1"});  // the real files
#endif
  compile.insert(compile.end(), {"-o", dir / "dump"});
  const auto compiled = test::run_host(compile);
  ASSERT_EQ(compiled.status, 0) << compiled.err;
  ASSERT_EQ(test::run_program(dir / "dump", {dir / "dumped.bin"}).status, 0);
  const auto dumped = read_file(dir / "dumped.bin");
  ASSERT_TRUE(dumped.has_value());
  EXPECT_EQ(dumped->size(), kBlockSize);
  EXPECT_EQ(dumped, read_file(dir / "tables.bin"));
}

TEST(RoundTrip, SourceCompilesToTheBinaryOutput) {
  ScratchDir dir;
  expect_round_trip(dir, {}, {});
}

TEST(RoundTrip, InTheEightBitLocale) {
  SKIP_WITHOUT_TURKISH();
  ScratchDir dir;
  expect_round_trip(dir, test::turkish_launch(), {"-L"});
  ASSERT_EQ(run_charsmith({"-b", dir / "c.bin"}).status, 0);
  EXPECT_NE(read_file(dir / "c.bin"), read_file(dir / "tables.bin"));
}

TEST(RoundTrip, HostileLocaleNameStaysInItsComment) {
  SKIP_WITHOUT_TURKISH();
  ScratchDir dir;
  // The C library accepts this name when LOCPATH holds a directory of that name whose
  // locale has the code set that the name ends with.
  const std::string name = std::string("/x*/;int evil;/*/") + test::kTurkish;
  const std::string locale_copy = dir.path() + "/locales" + name;
  std::filesystem::create_directories(locale_copy);
  std::filesystem::copy(test::locale_dir() + "/" + test::kTurkish, locale_copy,
                        std::filesystem::copy_options::recursive);
  const test::Launch launch{{{"LOCPATH", dir.path() + "/locales"}, {"LC_ALL", name}}};
  expect_round_trip(dir, launch, {"-L"});
  const auto text = read_file(dir / "tresk_chartables.c").value_or("");
  EXPECT_NE(text.find("written in the /x*\\/;int evil;/\\*\\/tr_TR.ISO-8859-9 locale. */\n"),
            std::string::npos);
}

}  // namespace
}  // namespace tresk
