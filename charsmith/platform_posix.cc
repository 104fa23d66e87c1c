// tresk_charsmith's operating-system part on POSIX systems. Links are the case to mind: a
// name may lead to the file through one, and the link itself is never removed.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform.h"

namespace tresk {
namespace {

// The identity as one wide unsigned type: dev_t is signed on some systems (Darwin's is an
// int), ino_t unsigned.
WrittenFile identity_of(const struct stat& st) {
  return {S_ISREG(st.st_mode), static_cast<unsigned long long>(st.st_dev),
          static_cast<unsigned long long>(st.st_ino)};
}

bool is_written_file(const struct stat& now, const WrittenFile& written) {
  const WrittenFile current = identity_of(now);
  return current.regular && current.device == written.device && current.inode == written.inode;
}

}  // namespace

const char* environment_locale() {
  return "";
}

WrittenFile identify_output(std::FILE* file) {
  struct stat st;
  WrittenFile written;
  if (fstat(fileno(file), &st) == 0 && S_ISREG(st.st_mode)) written = identity_of(st);
  return written;
}

void empty_output(std::FILE* file) {
  (void)!ftruncate(fileno(file), 0);
}

void discard_output(const char* path, const WrittenFile& written, bool emptied) {
  if (!written.regular) return;
  // The file a link leads to is emptied too: no partial tables stay under any name.
  if (!emptied) {
    const int fd = open(path, O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd >= 0) {
      struct stat now;
      if (fstat(fd, &now) == 0 && is_written_file(now, written)) (void)!ftruncate(fd, 0);
      close(fd);
    }
  }
  // Never a link to the file, and never whatever took its place meanwhile.
  struct stat now;
  if (lstat(path, &now) == 0 && is_written_file(now, written)) unlink(path);
}

}  // namespace tresk
#endif
