// The command line of tresk_charsmith and one run of it: parse, build, write.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
#ifndef TRESK_CHARSMITH_DRIVER_H
#define TRESK_CHARSMITH_DRIVER_H

#include <cstddef>
#include <cstdio>
#include <cstdlib>

namespace tresk {

struct Settings {
  bool binary = false;            // -b: the raw block instead of source text
  const char* locale_name = "C";  // shown in the source text's locale line
  const char* output = nullptr;   // the output file, as passed
};

// What parse_command_line returns when the run goes on with the settings it filled in.
inline constexpr int kGoOn = -1;

// Fills in the settings of a run and returns kGoOn, or returns the exit status that the run
// ends with at once (after the usage text or a message on stderr). -L takes effect here,
// when it is met.
int parse_command_line(int argc, char* const argv[], Settings& settings);

// What a run takes from the C library, passed in so that a test can make each one fail.
struct Resources {
  void* (*allocate)(std::size_t) = std::malloc;
  int (*close)(std::FILE*) = std::fclose;
};

// Builds the block, writes the output file and returns the exit status.
int run(const Settings& settings, const Resources& resources = {});

// The whole program.
int charsmith_main(int argc, char* const argv[]);

}  // namespace tresk

#endif
