// Command line and run control of tresk_charsmith.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
#include "driver.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

bool same_file(const struct stat& a, const struct stat& b) {
  return S_ISREG(a.st_mode) && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Empties the file that the output name leads to, a link's target included, once the stream
// is closed, if that is still the regular file that was written: a close can fail after
// the data reached it (NFS and AFS report deferred write errors there).
void empty_output(const char* path, const struct stat& written) {
  const int fd = open(path, O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return;
  struct stat now;
  if (fstat(fd, &now) == 0 && same_file(now, written)) (void)!ftruncate(fd, 0);
  close(fd);
}

// Removes the output name after a failed write, once the file has been emptied. Only the
// regular file that was written is removed: never a device (the output may be /dev/full,
// and we may be root), never a link to the file, and never whatever took its place
// meanwhile.
void remove_output(const char* path, const struct stat& written) {
  struct stat now;
  if (lstat(path, &now) == 0 && same_file(now, written)) unlink(path);
}

// Writes `size` bytes to the file `path` in one call and reports any failure, including one
// that shows only when the file is closed.
int write_file(const char* path, const void* data, std::size_t size, bool binary) {
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) {
    std::fprintf(stderr, "tresk_charsmith: failed to open %s for writing\n", path);
    return 1;
  }
  // Unbuffered, the data goes to the system in a single write whose failure fwrite's
  // count shows, instead of a first block now and the rest at fclose. A stream that cannot
  // be made so is not written at all.
  const bool unbuffered = std::setvbuf(file, nullptr, _IONBF, 0) == 0;
  struct stat written;
  const bool regular = fstat(fileno(file), &written) == 0 && S_ISREG(written.st_mode);

  const std::size_t count = unbuffered ? std::fwrite(data, 1, size, file) : 0;
  const bool stream_failed = !unbuffered || count != size || std::ferror(file) != 0;
  // Whatever name reached the file, a link included, no partial tables may stay in it. If
  // even this fails, removing the name below is all that is left to do.
  if (stream_failed && regular) (void)!ftruncate(fileno(file), 0);
  const bool close_failed = std::fclose(file) != 0;
  if (!stream_failed && !close_failed) return 0;

  if (binary && unbuffered && count != size) {
    std::fprintf(stderr, "tresk_charsmith: fwrite() returned wrong length %d instead of %d\n",
                 static_cast<int>(count), static_cast<int>(size));
  } else {
    std::fprintf(stderr, "tresk_charsmith: failed to write %s\n", path);
  }
  if (regular) {
    if (!stream_failed) empty_output(path, written);
    remove_output(path, written);
  }
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
      if (std::setlocale(LC_ALL, "") == nullptr) return fail("setlocale() failed");
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

int run(const Settings& settings, Allocator allocate) {
  // Everything is computed before the output is opened: a failure here touches no file.
  auto* block = static_cast<std::uint8_t*>(allocate(kBlockSize));
  if (block == nullptr) return fail("malloc() failed");
  build_tables(block);

  int status;
  if (settings.binary) {
    status = write_file(settings.output, block, kBlockSize, true);
  } else {
    auto* text = static_cast<char*>(allocate(source_capacity(std::strlen(settings.locale_name))));
    if (text == nullptr) {
      status = fail("malloc() failed");
    } else {
      const std::size_t length = render_source(block, settings.locale_name, text);
      status = write_file(settings.output, text, length, false);
    }
    std::free(text);
  }
  std::free(block);
  return status;
}

int charsmith_main(int argc, char* const argv[]) {
  Settings settings;
  const int status = parse_command_line(argc, argv, settings);
  return status == kGoOn ? run(settings, std::malloc) : status;
}

}  // namespace tresk
