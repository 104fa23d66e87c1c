// The UTF-32 code-unit writer: what it stores and where its symbol can be seen.
// SPDX-License-Identifier: BSD-2-Clause
// Copyright (c) 2026 The TRESK build tools authors
#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
// A DLL's export table is what GetProcAddress reads.
#define dlopen(path, mode) static_cast<void*>(LoadLibraryA(path))
#define dlsym(library, name) reinterpret_cast<void*>(GetProcAddress(HMODULE(library), name))
#define dlclose(library) FreeLibrary(HMODULE(library))
#else
#include <dlfcn.h>
#endif

#include <cstdint>
#include <string>

#include "support.h"

extern "C" std::uint32_t _tresk_ord2utf_32(std::uint32_t cvalue, std::uint32_t* buffer);

namespace {

constexpr std::uint32_t kEdges[] = {0,        0x7F,       0xFFFF,     0x10FFFF,   0xD800,    0xDFFF,
                                    0x110000, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFE, 0xFFFFFFFF};

TEST(Ord2Utf32, StoresEveryValueUnchangedInOneUnit) {
  for (const std::uint32_t value : kEdges) {
    std::uint32_t buffer[3] = {0xA5A5A5A5, 0x5A5A5A5A, 0xA5A5A5A5};
    EXPECT_EQ(_tresk_ord2utf_32(value, buffer + 1), 1u) << value;
    EXPECT_EQ(buffer[1], value);
    EXPECT_EQ(buffer[0], 0xA5A5A5A5u) << "wrote before the buffer";
    EXPECT_EQ(buffer[2], 0xA5A5A5A5u) << "wrote past the first unit";
  }
}

TEST(Ord2Utf32, HiddenFromASharedLibrary) {
#ifdef __EMSCRIPTEN__
  GTEST_SKIP() << "Emscripten builds no shared libraries";
#elif !defined(_WIN32)
  const auto listed =
      tresk::test::run_host({TRESK_TEST_NM, "-D", "--defined-only", TRESK_PROBE_LIBRARY});
  ASSERT_EQ(listed.status, 0) << listed.err;
  const std::string& exported = listed.out;
  ASSERT_NE(exported.find("tresk_probe_ord2utf"), std::string::npos) << exported;
  EXPECT_EQ(exported.find("_tresk_ord2utf_32"), std::string::npos) << exported;
#endif

  // Through the library's own function the writer is there; by its name it is not.
  void* library = dlopen(TRESK_PROBE_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr);
  EXPECT_EQ(dlsym(library, "_tresk_ord2utf_32"), nullptr);
  using Probe = std::uint32_t (*)(std::uint32_t, std::uint32_t*);
  const auto probe = reinterpret_cast<Probe>(dlsym(library, "tresk_probe_ord2utf"));
  ASSERT_NE(probe, nullptr);
  std::uint32_t unit = 0;
  EXPECT_EQ(probe(0x1F600, &unit), 1u);
  EXPECT_EQ(unit, 0x1F600u);
  dlclose(library);
}

}  // namespace
