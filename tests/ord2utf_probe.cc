// A shared library built with the UTF-32 writer's object, exporting one function of its
// own that calls the writer, as the library's exported functions do.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
#include <cstdint>

extern "C" std::uint32_t _tresk_ord2utf_32(std::uint32_t cvalue, std::uint32_t* buffer);

// Exported as a library marks its API; MinGW's automatic export of everything, used when
// nothing is marked, is tried by the example library's DLL.
#ifdef _WIN32
#define TRESK_PROBE_API __declspec(dllexport)
#else
#define TRESK_PROBE_API __attribute__((visibility("default")))
#endif

extern "C" TRESK_PROBE_API std::uint32_t tresk_probe_ord2utf(std::uint32_t cvalue,
                                                             std::uint32_t* buffer) {
  return _tresk_ord2utf_32(cvalue, buffer);
}
