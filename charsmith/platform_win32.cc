// tresk_charsmith's operating-system part on Windows, through the C runtime's own
// functions, which MinGW-w64 and Visual Studio link against alike. A file cannot be removed
// while it is open, and no name here is a link to protect; a device such as NUL is left
// alone.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>

#include <cstdlib>

#include "platform.h"

namespace tresk {
namespace {

bool is_regular(const struct _stat64& st) {
  return (st.st_mode & _S_IFMT) == _S_IFREG;
}

}  // namespace

const char* environment_locale() {
  const char* name = std::getenv("LC_ALL");
  return name != nullptr ? name : "";
}

WrittenFile identify_output(std::FILE* file) {
  struct _stat64 st;
  WrittenFile written;
  // No identity is kept: the C runtime gives files no inode, and an open file keeps its
  // name here.
  written.regular = _fstat64(_fileno(file), &st) == 0 && is_regular(st);
  return written;
}

void empty_output(std::FILE* file) {
  (void)_chsize_s(_fileno(file), 0);
}

void discard_output(const char* path, const WrittenFile& written, bool emptied) {
  if (!written.regular) return;
  // Emptied first, so that the tables are gone even where another process holds the file
  // open and so keeps it from being removed.
  if (!emptied) {
    int fd = -1;
    if (_sopen_s(&fd, path, _O_WRONLY | _O_BINARY, _SH_DENYNO, _S_IREAD | _S_IWRITE) == 0) {
      struct _stat64 now;
      if (_fstat64(fd, &now) == 0 && is_regular(now)) (void)_chsize_s(fd, 0);
      _close(fd);
    }
  }
  struct _stat64 now;
  if (_stat64(path, &now) == 0 && is_regular(now)) (void)_unlink(path);
}

}  // namespace tresk
#endif
