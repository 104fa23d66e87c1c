// The command line of tresk_charsmith and one run of it: parse, build, write.
#ifndef TRESK_CHARSMITH_DRIVER_H
#define TRESK_CHARSMITH_DRIVER_H

#include <cstddef>
#include <variant>

namespace tresk {

struct Settings {
  bool binary = false;            // -b: the raw block instead of source text
  const char* locale_name = "C";  // shown in the source text's locale line
  const char* output = nullptr;   // the output file, as passed
};

// The settings of a run, or the exit status that the run ends with at once (after the
// usage text or a message on stderr). -L takes effect here, when it is met.
std::variant<Settings, int> parse_command_line(int argc, char* const argv[]);

using Allocator = void* (*)(std::size_t);

// Builds the block, writes the output file and returns the exit status. Storage comes from
// `allocate`, so that its failure can be shown.
int run(const Settings& settings, Allocator allocate);

// The whole program.
int charsmith_main(int argc, char* const argv[]);

}  // namespace tresk

#endif
