// Command line and run control of tresk_charsmith.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
#include "driver.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform.h"
#include "source_writer.h"
#include "tables.h"

namespace tresk {
namespace {

constexpr char kUsage[] =
    "Usage: tresk_charsmith [options] <output file>\n"
    "  -b    Write output in binary (default is source code)\n"
    "  -L    Use locale from LC_ALL (default is \"C\" locale)\n";

int fail(const char* message) {
  std::fprintf(stderr, "tresk_charsmith: %s\n", message);
  return 1;
}

// Writes `size` bytes to the file `path` in one call and reports any failure, including one
// that shows only when the file is closed.
int write_file(const char* path, const void* data, std::size_t size, bool binary,
               int (*close)(std::FILE*)) {
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) {
    std::fprintf(stderr, "tresk_charsmith: failed to open %s for writing\n", path);
    return 1;
  }
  // Unbuffered, the data goes to the system in a single write whose failure fwrite's
  // count shows, instead of a first block now and the rest at fclose. A stream that cannot
  // be made so is not written at all.
  const bool unbuffered = std::setvbuf(file, nullptr, _IONBF, 0) == 0;
  const WrittenFile written = identify_output(file);

  const std::size_t count = unbuffered ? std::fwrite(data, 1, size, file) : 0;
  const bool stream_failed = !unbuffered || count != size || std::ferror(file) != 0;
  // Whatever name reached the file, a link included, no partial tables may stay in it. If
  // even this fails, removing the name below is all that is left to do.
  if (stream_failed && written.regular) empty_output(file);
  const bool close_failed = close(file) != 0;
  if (!stream_failed && !close_failed) return 0;

  if (binary && unbuffered && count != size) {
    std::fprintf(stderr, "tresk_charsmith: fwrite() returned wrong length %d instead of %d\n",
                 static_cast<int>(count), static_cast<int>(size));
  } else {
    std::fprintf(stderr, "tresk_charsmith: failed to write %s\n", path);
  }
  discard_output(path, written, stream_failed);
  return 1;
}

}  // namespace

int parse_command_line(int argc, char* const argv[], Settings& settings) {
  int next = 1;
  while (next < argc && argv[next][0] == '-') {
    const char* arg = argv[next];
    if (std::strcmp(arg, "-help") == 0 || std::strcmp(arg, "--help") == 0) {
      std::fputs(kUsage, stderr);
      return 0;
    } else if (std::strcmp(arg, "-L") == 0) {
      if (std::setlocale(LC_ALL, environment_locale()) == nullptr) {
        return fail("setlocale() failed");
      }
      const char* name = std::getenv("LC_ALL");
      settings.locale_name = name != nullptr ? name : "(null)";
    } else if (std::strcmp(arg, "-b") == 0) {
      settings.binary = true;
    } else {
      std::fprintf(stderr, "tresk_charsmith: unrecognized option %s\n", arg);
      return 1;
    }
    next++;
    if (next >= argc) return fail("one filename argument is required");
  }
  if (argc - next != 1) return fail("one filename argument is required");
  settings.output = argv[next];
  return kGoOn;
}

int run(const Settings& settings, const Resources& resources) {
  // Everything is computed before the output is opened: a failure here touches no file.
  auto* block = static_cast<std::uint8_t*>(resources.allocate(kBlockSize));
  if (block == nullptr) return fail("malloc() failed");
  build_tables(block);

  int status;
  if (settings.binary) {
    status = write_file(settings.output, block, kBlockSize, true, resources.close);
  } else {
    const std::size_t capacity = source_capacity(std::strlen(settings.locale_name));
    auto* text = static_cast<char*>(resources.allocate(capacity));
    if (text == nullptr) {
      status = fail("malloc() failed");
    } else {
      const std::size_t length = render_source(block, settings.locale_name, text, capacity);
      status = write_file(settings.output, text, length, false, resources.close);
    }
    std::free(text);
  }
  std::free(block);
  return status;
}

int charsmith_main(int argc, char* const argv[]) {
  Settings settings;
  const int status = parse_command_line(argc, argv, settings);
  return status == kGoOn ? run(settings) : status;
}

}  // namespace tresk
