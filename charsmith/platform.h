// What the program needs of the operating system: the environment's locale, which file the
// output stream writes to, and how a failed write leaves no partial tables behind.
// platform_posix.cc and platform_win32.cc are its two halves; each compiles to nothing on
// the other's systems.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
#ifndef TRESK_CHARSMITH_PLATFORM_H
#define TRESK_CHARSMITH_PLATFORM_H

#include <cstdio>

namespace tresk {

// The name that asks setlocale for the locale that LC_ALL names. The C library of a POSIX
// system reads LC_ALL itself for ""; Windows' reads no variable, and "" is the user's
// default there, which is not what LC_ALL says.
const char* environment_locale();

// The file that an output stream writes to. Only a regular file is ever emptied or
// removed; a device (the output may be a full device, and we may be root) or a pipe is not.
struct WrittenFile {
  bool regular = false;
  unsigned long long device = 0;
  unsigned long long inode = 0;
};

WrittenFile identify_output(std::FILE* file);

// Empties the file that the open stream writes to, whatever name reached it.
void empty_output(std::FILE* file);

// Once the stream is closed after a failed write: empties the file that `path` leads to,
// unless `emptied` says that was done while it was open (a close can fail after the data
// reached the file: NFS and AFS report deferred write errors there), and removes the name.
// Both only while `path` still leads to the file that was written.
void discard_output(const char* path, const WrittenFile& written, bool emptied);

}  // namespace tresk

#endif
